#!/usr/bin/env bash
# O pacote como instalado para todos, sem tocar na máquina: o conteúdo sobreposto a /usr e /etc
# num espaço de montagens só deste teste, só de leitura como numa instalação de verdade. Numa
# conta nova, o programa iniciado pela entrada do menu acha as bibliotecas, o utilitário e o
# simulador do programa de transmissão (pelo Quorbis.ini do sistema) e fecha; o korventa-validar
# e o man respondem pelos nomes instalados.
# Uso: instalado.sh PASTA_SAIDA PASTA_BIN_DA_COMPILACAO
# Sem root ou sem espaço de montagens (contêiner restrito) o teste é pulado (saída 77).
set -euo pipefail
source "$(dirname "$0")/programa.sh"

if [ "${1:-}" != --dentro ]; then
    saida=$1 bin=$2
    [ "$(id -u)" -eq 0 ] || { echo "pulado: sobrepor /usr pede root"; exit 77; }
    unshare -m --propagation private true 2>/dev/null ||
        { echo "pulado: sem espaço de montagens próprio"; exit 77; }
    trab=$(mktemp -d)
    chmod 755 "$trab" # o usuário comum do teste passa por ela
    trap 'rm -rf "$trab"' EXIT
    dpkg-deb -x "$(echo "$saida"/*.deb)" "$trab/raiz"
    mkdir -p "$trab/dados"
    "$bin/gerar-exemplo" --uf PB --registros 300 "$trab/dados/pb.txt" >/dev/null
    unshare -m --propagation private bash -c '
        set -e
        mount -t overlay overlay -o "lowerdir=$1/usr:/usr" /usr
        mount -t overlay overlay -o "lowerdir=$1/etc:/etc" /etc
        exec bash "$0" --dentro "$2"' "$0" "$trab/raiz" "$trab"
    exit $?
fi

trab=$2
privada=/usr/lib/validador-korventa
arquivo=$trab/dados/pb.txt
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null' EXIT
unset LD_LIBRARY_PATH LD_PRELOAD QT_PLUGIN_PATH XDG_CONFIG_HOME XDG_DATA_HOME XDG_CONFIG_DIRS
export HOME=$trab/casa TMPDIR=$trab/tmp QT_QPA_PLATFORM=offscreen PATH=/usr/bin:/bin
mkdir -p "$HOME" "$TMPDIR"
# Um usuário comum, como quem instala e usa o programa.
chown nobody "$HOME" "$TMPDIR"
usuario=(setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all)
cd "$HOME"
if touch "$privada/gravavel" 2>/dev/null; then
    falha "a pasta instalada aceita gravação: o teste não reproduz a instalação"
fi

# Como a entrada do menu inicia o programa, com o arquivo no lugar de %F.
exec_menu=$(sed -n 's/^Exec=//p' /usr/share/applications/br.com.korventa.ValidadorKorventa2017.desktop)
read -r -a comando <<<"${exec_menu//%F/}"
# O programa guarda o log na sua pasta temporária, só do usuário.
log=$TMPDIR/ValidadorKorventa2017-$(id -u nobody)/Korventa.log
inicia_programa "$privada" "$log" "${usuario[@]}" "${comando[@]}" -l 4 "$arquivo"
encerra_programa "$log"
grep -qx "PathQiv=$privada/qiv.exe" "$HOME/.config/ValidadorKorventaV2.conf" ||
    falha "no primeiro início o simulador instalado não foi achado: $(grep PathQiv "$HOME/.config/ValidadorKorventaV2.conf")"
echo "programa instalado: iniciou pelo menu numa conta nova, achou bibliotecas e companheiros, fechou"

set +e
"${usuario[@]}" korventa-validar "$arquivo" >"$trab/validar.txt" 2>&1
rc=$?
set -e
[ $rc -le 2 ] || falha "korventa-validar instalado saiu com $rc: $(cat "$trab/validar.txt")"
"${usuario[@]}" man -P cat korventa-validar 2>/dev/null | grep -q -- '--json' || falha "man korventa-validar não mostra a página"
echo "korventa-validar e a sua página de manual respondem pelos nomes instalados"
