#!/usr/bin/env bash
# O lintian não pode achar erro no pacote (avisos e informações não reprovam).
# Uso: lintian.sh PASTA_SAIDA
set -euo pipefail
deb=$(echo "$1"/*.deb)
saida=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "$saida"
if grep -q '^E:' <<<"$saida"; then
    echo "lintian achou erros no pacote"
    exit 1
fi
