#!/usr/bin/env bash
# Mede o motor em arquivos gerados de cada forma: gera (padrão 1G) numa pasta temporária,
# valida com -j 1 e com -j N, compara com wc -l no mesmo arquivo e confere que as saídas das
# duas validações são idênticas. Um arquivo por vez; a pasta é apagada no fim.
#   bench/motor/rodar.sh [TAMANHO]        ex.: 1G, 300M
# Variáveis: REGISTROS (número de linhas em vez do tamanho, ex.: 800000), BUILD (pasta do
#            build, padrão build), PASTA (onde criar a pasta temporária),
#            FORMAS (padrão "padrao atacadista itens ecf"), J (threads; padrão: todos os
#            núcleos), SEMENTE (padrão 1), UF (padrão SP), GERAR_OPCOES (outras opções do
#            gerador, por exemplo "--falha todas").
set -euo pipefail

raiz="$(cd "$(dirname "$0")/../.." && pwd)"
tamanho="${1:-${TAMANHO:-1G}}"
if [[ -n "${REGISTROS:-}" ]]; then
    medida=(--registros "$REGISTROS")
    tamanho="$REGISTROS registros"
else
    medida=(--tamanho "$tamanho")
fi
build="${BUILD:-$raiz/build}"
bin="$build/bin"
formas="${FORMAS:-padrao atacadista itens ecf}"
threads="${J:-$(nproc)}"

if [[ ! -x "$bin/gerar-exemplo" || ! -x "$bin/bench-motor" ]]; then
    echo "Compilando gerar-exemplo e bench-motor em $build..."
    cmake -S "$raiz" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target gerar-exemplo bench-motor >/dev/null
fi

tmp="$(mktemp -d "${PASTA:-${TMPDIR:-/tmp}}/bench-motor.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT

echo "Máquina: $(nproc) núcleos, $(uname -sr); carga no início: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
for forma in $formas; do
    arquivo="$tmp/$forma.txt"
    echo
    echo "=== Forma $forma ($tamanho)"
    inicio=$(date +%s.%N)
    # shellcheck disable=SC2086
    "$bin/gerar-exemplo" --forma "$forma" "${medida[@]}" --semente "${SEMENTE:-1}" \
        --uf "${UF:-SP}" ${GERAR_OPCOES:-} "$arquivo" >/dev/null
    fim=$(date +%s.%N)
    awk -v a="$inicio" -v b="$fim" 'BEGIN { printf "Geração: %.2f s\n", b - a }'
    "$bin/bench-motor" -j "$threads" "$arquivo" || status=1
    rm -f "$arquivo"
done
echo
echo "Carga no fim: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
