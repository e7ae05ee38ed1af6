#!/usr/bin/env bash
# Mede o Tramil num arquivo gerado (padrão 1G) numa pasta temporária, apagada no fim:
# primeira tela do visualizador, busca ao lado de grep -c, filtro por tipo e índice de notas.
#   bench/tramil/rodar.sh [TAMANHO]        ex.: 1G, 300M
# Variáveis: BUILD (pasta do build, padrão build), PASTA (onde criar a pasta temporária),
#            SEMENTE (padrão 1), GERAR_OPCOES (outras opções do gerador).
# Para medir um arquivo que já existe: build/bin/bench-tramil ARQUIVO
set -euo pipefail

raiz="$(cd "$(dirname "$0")/../.." && pwd)"
tamanho="${1:-${TAMANHO:-1G}}"
build="${BUILD:-$raiz/build}"
bin="$build/bin"

if [[ ! -x "$bin/gerar-exemplo" || ! -x "$bin/bench-tramil" ]]; then
    echo "Compilando gerar-exemplo e bench-tramil em $build..."
    cmake -S "$raiz" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target gerar-exemplo bench-tramil >/dev/null
fi

tmp="$(mktemp -d "${PASTA:-${TMPDIR:-/tmp}}/bench-tramil.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT

arquivo="$tmp/exemplo.txt"
# shellcheck disable=SC2086
"$bin/gerar-exemplo" --tamanho "$tamanho" --semente "${SEMENTE:-1}" --falha icms --falha sem75 \
    ${GERAR_OPCOES:-} "$arquivo" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$bin/bench-tramil" "$arquivo"
