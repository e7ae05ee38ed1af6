#!/usr/bin/env bash
# Constrói o pacote Debian com o CPack numa pasta própria dos testes (a do desenvolvedor fica
# intocada). Uso: construir.sh CPACK CPackConfig.cmake PASTA_SAIDA
set -euo pipefail
cpack=$1 config=$2 saida=$3
rm -rf "$saida"
mkdir -p "$saida"
"$cpack" -G DEB --config "$config" -B "$saida" >"$saida/cpack.log" 2>&1 || {
    cat "$saida/cpack.log"
    exit 1
}
shopt -s nullglob
debs=("$saida"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "esperava um .deb em $saida, há ${#debs[@]}"; exit 1; }
echo "pacote: ${debs[0]}"
