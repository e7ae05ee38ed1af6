#!/usr/bin/env bash
# O lintian não pode achar erro nem aviso no pacote (as exceções justificadas estão no
# lintian-overrides do pacote; informações não reprovam).
# Uso: lintian.sh PASTA_SAIDA
set -euo pipefail
deb=$(echo "$1"/*.deb)
saida=$(lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "$saida"
if grep -qE '^(E|W):' <<<"$saida"; then
    echo "lintian achou erros ou avisos no pacote"
    exit 1
fi
