#!/usr/bin/env bash
# Entrada do menu, metadados, páginas de manual e complemento do bash: válidos para as
# ferramentas do Debian, na versão do projeto, e acompanhando as opções do korventa-validar.
# Uso: documentacao.sh KORVENTA_VALIDAR PASTA_PACOTE VERSAO
set -euo pipefail
validar=$1 pasta=$2 versao=$3
id=br.com.korventa.ValidadorKorventa2017
erros=0
falha() {
    echo "FALHA: $*"
    erros=$((erros + 1))
}

desktop-file-validate "$pasta/$id.desktop" || falha "entrada do menu inválida"
appstreamcli validate --no-net "$pasta/$id.metainfo.xml" || falha "metainfo inválido"

grep -q "<release version=\"$versao\"" "$pasta/$id.metainfo.xml" ||
    falha "o metainfo não tem a versão $versao"
head -1 "$pasta/changelog" | grep -q "($versao)" || falha "o changelog não começa na versão $versao"
for pagina in "$pasta"/man/*.1; do
    grep -q "^\.TH .* \"ValidadorKorventa2017 $versao\"" "$pagina" ||
        falha "$(basename "$pagina") não está na versão $versao"
    avisos=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$pagina" 2>&1 >/dev/null)
    [ -z "$avisos" ] || falha "$(basename "$pagina"): $avisos"
done

# Cada opção da ajuda aparece na página de manual (no começo de uma linha, como item) e é
# completada pelo bash.
ajuda=$("$validar" --help)
opcoes=$(sed -n 's/^  \(-[^ ].*\)$/\1/p' <<<"$ajuda" | sed 's/   .*//' |
    grep -oE '(^|[ ,])--?[A-Za-z0-9][-A-Za-z0-9]*' | tr -d ' ,')
[ -n "$opcoes" ] || falha "nenhuma opção lida da ajuda"
manual=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$pasta/man/korventa-validar.1" 2>/dev/null | col -bx)
for o in $opcoes; do
    grep -qE "^[[:space:]]+([^[:space:]]+, )*$o([[:space:],]|$)" <<<"$manual" ||
        falha "a página de manual não descreve a opção $o"
    completadas=$(bash -c '
        source "$1"
        COMP_WORDS=(korventa-validar "$2"); COMP_CWORD=1
        _korventa_validar
        printf "%s\n" "${COMPREPLY[@]}"' _ "$pasta/korventa-validar.bash" "$o")
    grep -qx -- "$o" <<<"$completadas" || falha "o bash não completa a opção $o"
done
# E nada além delas: uma opção que saiu da ajuda sai também do complemento.
sobra=$(bash -c 'source "$1"; COMP_WORDS=(korventa-validar -); COMP_CWORD=1
    _korventa_validar; printf "%s\n" "${COMPREPLY[@]}"' _ "$pasta/korventa-validar.bash")
for o in $sobra; do
    grep -qx -- "$o" <<<"$opcoes" || falha "o bash completa $o, que a ajuda não tem"
done
echo "opções conferidas: $(echo $opcoes)"
[ $erros -eq 0 ]
