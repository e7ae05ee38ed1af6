#!/usr/bin/env bash
# Refaz o corpus semente dos alvos de fuzzing com o gerar-exemplo e o korventa-validar já
# construídos: ./gerar-corpus.sh ../../build/bin
set -euo pipefail
bin=$(realpath "${1:?pasta dos executáveis (build/bin)}")
cd "$(dirname "$0")"
v=corpus/validacao r=corpus/relatorio
rm -rf corpus && mkdir -p "$v" "$r"
g() { "$bin/gerar-exemplo" --registros 10 "$@" 2>/dev/null; }
g -o "$v/padrao.txt"
g --lf --eof26 --semente 2 -o "$v/lf-eof26.txt"
g --sem-quebra-final --uf MG --semente 3 -o "$v/mg-sem-quebra.txt"
g --falha todas --semente 4 -o "$v/falhas.txt"
g --falha tamanho --falha tipo --falha ordem --semente 5 -o "$v/estrutura.txt"
# Só os registros 10, 11 e 90.
{ head -n 2 "$v/padrao.txt"; tail -n 1 "$v/padrao.txt"; } > "$v/so-cabecalho.txt"
printf '\032' > "$v/so-marca.txt"

for f in falhas estrutura padrao; do
    "$bin/korventa-validar" --max 1 -c "$r/$f.tmp" "$v/$f.txt" >/dev/null || true
done
# Registros com quebra de linha no meio: a listagem passa a ler em blocos.
sed 's/\r$//' "$r/falhas.tmp" > "$r/so-lf.tmp"
head -c 700 "$r/estrutura.tmp" > "$r/cortado.tmp"
