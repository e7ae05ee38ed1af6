#!/usr/bin/env bash
# Mede a geração da mídia de um arquivo gerado (padrão 1G) e, lado a lado, o "zip -9" no mesmo
# arquivo. A pasta temporária é apagada no fim.
#   bench/midia/rodar.sh [TAMANHO]        ex.: 1G, 300M
# Variáveis: BUILD (pasta do build, padrão build), PASTA (onde criar a pasta temporária).
set -euo pipefail

raiz="$(cd "$(dirname "$0")/../.." && pwd)"
tamanho="${1:-${TAMANHO:-1G}}"
build="${BUILD:-$raiz/build}"
bin="$build/bin"

if [[ ! -x "$bin/gerar-exemplo" || ! -x "$bin/bench-midia" || ! -f "$bin/libGerarMidiaQIV.so" ]]; then
    echo "Compilando gerar-exemplo, bench-midia, Kelvor e GerarMidiaQIV em $build..."
    cmake -S "$raiz" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target gerar-exemplo bench-midia Kelvor GerarMidiaQIV >/dev/null
fi
command -v zip >/dev/null || { echo "Falta o zip (apt-get install zip)." >&2; exit 1; }

tmp="$(mktemp -d "${PASTA:-${TMPDIR:-/tmp}}/bench-midia.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
arquivo="$tmp/exemplo.txt"
"$bin/gerar-exemplo" --tamanho "$tamanho" --semente "${SEMENTE:-1}" "$arquivo" >/dev/null
cat "$arquivo" >/dev/null # no cache, para os dois

echo "== Geração da mídia (Kelvor + GerarMidiaQIV)"
"$bin/bench-midia" --pasta-bin "$bin" "$arquivo"

echo "== zip -9 no mesmo arquivo"
/usr/bin/time -f "%e %U %S" -o "$tmp/tempo" zip -9 -q -j "$tmp/zip9.zip" "$arquivo"
read -r parede usuario sistema <"$tmp/tempo"
mb=$(awk -v b="$(stat -c %s "$arquivo")" 'BEGIN { printf "%.0f", b / 1e6 }')
awk -v p="$parede" -v u="$usuario" -v s="$sistema" -v mb="$mb" \
    -v z="$(stat -c %s "$tmp/zip9.zip")" 'BEGIN {
        printf "zip -9: %.2f s de parede, %.2f s de CPU: %.0f MB/s (parede), %.0f MB/s (CPU)\n",
               p, u + s, mb / p, mb / (u + s)
        printf "ZIP: %.1f MB (%.1f%% do arquivo)\n", z / 1e6, 100 * z / 1e6 / mb }'
