#!/usr/bin/env bash
# Mede o motor num arquivo gerado: gera (padrão 1G) numa pasta temporária, valida pela
# biblioteca Kelvor e compara com wc -l no mesmo arquivo. A pasta é apagada no fim.
#   bench/motor/rodar.sh [TAMANHO]        ex.: 1G, 300M
# Variáveis: BUILD (pasta do build, padrão build), PASTA (onde criar a pasta temporária),
#            SEMENTE (padrão 1), UF (padrão SP), GERAR_OPCOES (outras opções do gerador).
set -euo pipefail

raiz="$(cd "$(dirname "$0")/../.." && pwd)"
tamanho="${1:-${TAMANHO:-1G}}"
build="${BUILD:-$raiz/build}"
bin="$build/bin"

if [[ ! -x "$bin/gerar-exemplo" || ! -x "$bin/bench-motor" || ! -f "$bin/libKelvor.so" ]]; then
    echo "Compilando gerar-exemplo, bench-motor e Kelvor em $build..."
    cmake -S "$raiz" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target gerar-exemplo bench-motor Kelvor >/dev/null
fi

tmp="$(mktemp -d "${PASTA:-${TMPDIR:-/tmp}}/bench-motor.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT

arquivo="$tmp/exemplo.txt"
inicio=$(date +%s.%N)
# shellcheck disable=SC2086
"$bin/gerar-exemplo" --tamanho "$tamanho" --semente "${SEMENTE:-1}" --uf "${UF:-SP}" \
    ${GERAR_OPCOES:-} "$arquivo"
fim=$(date +%s.%N)
awk -v a="$inicio" -v b="$fim" 'BEGIN { printf "Geração: %.2f s\n", b - a }'

"$bin/bench-motor" --biblioteca "$bin/libKelvor.so" "$arquivo"
