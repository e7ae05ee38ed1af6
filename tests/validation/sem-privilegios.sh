#!/usr/bin/env bash
# Roda casos do teste como um usuário comum: como root toda pasta aceita gravação, e o que
# depende de uma pasta só de leitura passaria sem ser verificado. Sem root, roda como está.
# Uso: sem-privilegios.sh TESTE FILTRO (saída 77: pulado)
set -euo pipefail
teste=$1 filtro=$2
if [ "$(id -u)" -ne 0 ]; then
    exec "$teste" --gtest_filter="$filtro"
fi
comum=(setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all)
# Uma compilação dentro de uma pasta fechada (como /root) não deixa o usuário comum entrar.
if ! "${comum[@]}" test -x "$teste"; then
    echo "pulado: o usuário nobody não alcança $teste"
    exit 77
fi
trab=$(mktemp -d)
trap 'rm -rf "$trab"' EXIT
chown nobody "$trab"
saida=$trab/saida.txt
HOME=$trab TMPDIR=$trab XDG_RUNTIME_DIR= XDG_CONFIG_HOME=$trab/config XDG_DATA_HOME=$trab/dados \
    "${comum[@]}" "$teste" --gtest_filter="$filtro" >"$saida" 2>&1 || { cat "$saida"; exit 1; }
cat "$saida"
# Um filtro que não casa ou um caso pulado também seria verde: exige que tenha passado.
grep -q '^\[  PASSED  \] [1-9]' "$saida" && ! grep -q '^\[  SKIPPED \]' "$saida"
