#!/usr/bin/env bash
# O pacote está completo sem instalá-lo: desempacotado numa pasta temporária, o validador de
# linha de comando valida um lote e o programa inicia até a janela principal, abre o arquivo
# pedido e fecha, tudo só com o que veio no pacote (nada da árvore de compilação no caminho das
# bibliotecas nem gravado nos executáveis).
# Uso: conteudo.sh PASTA_SAIDA PASTA_BIN_DA_COMPILACAO
set -euo pipefail
saida=$1 bin=$2
deb=$(echo "$saida"/*.deb)
trab=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$trab"' EXIT
source "$(dirname "$0")/programa.sh"

raiz=$trab/raiz
dpkg-deb -x "$deb" "$raiz"
privada=$raiz/usr/lib/validador-korventa
unset LD_LIBRARY_PATH LD_PRELOAD QT_PLUGIN_PATH

# O que o pacote precisa trazer: o programa, o validador de linha de comando, o utilitário, o
# simulador do programa de transmissão e todas as bibliotecas próprias na pasta privada.
bibliotecas=(Kelvor GerarMidiaQIV Tramil Valkora2 Valkora3 Reexame Reexame88)
esperados=(
    usr/bin/validador-korventa usr/bin/korventa-validar
    usr/lib/validador-korventa/ValidadorKorventa2017 usr/lib/validador-korventa/korventa-validar
    usr/lib/validador-korventa/Tramil usr/lib/validador-korventa/qiv.exe etc/xdg/Quorbis.ini
    usr/lib/validador-korventa/ValidadorKorventa2017.hlp
    usr/share/applications/br.com.korventa.ValidadorKorventa2017.desktop
    usr/share/metainfo/br.com.korventa.ValidadorKorventa2017.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/br.com.korventa.ValidadorKorventa2017.svg
    usr/share/icons/hicolor/48x48/apps/br.com.korventa.ValidadorKorventa2017.png
    usr/share/man/man1/korventa-validar.1.gz usr/share/man/man1/validador-korventa.1.gz
    usr/share/bash-completion/completions/korventa-validar
    usr/share/doc/validador-korventa/copyright
    usr/share/lintian/overrides/validador-korventa
)
for lib in "${bibliotecas[@]}"; do
    esperados+=("usr/lib/validador-korventa/lib$lib.so")
done
for f in "${esperados[@]}"; do
    [ -e "$raiz/$f" ] || falha "o pacote não traz $f"
done
# O Quorbis.ini do sistema aponta a pasta onde o pacote instala o simulador.
grep -qx 'Diretorio=/usr/lib/validador-korventa' "$raiz/etc/xdg/Quorbis.ini" ||
    falha "o Quorbis.ini do pacote não aponta a pasta do simulador"
echo "pacote traz os ${#esperados[@]} arquivos esperados"

# Nada da árvore de compilação gravado nos executáveis: um caminho de bibliotecas, se houver,
# só pode ser a pasta do próprio arquivo; e tudo de que precisam se acha.
for f in "$privada"/*; do
    file -b "$f" | grep -q '^ELF' || continue
    caminhos=$(readelf -d "$f" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]/\2/p' | tr ':' '\n')
    if [ -n "$caminhos" ] && grep -qv '^\$ORIGIN$' <<<"$caminhos"; then
        falha "$(basename "$f") guarda um caminho de bibliotecas fora da sua pasta: $caminhos"
    fi
    if ldd "$f" | grep -q 'not found'; then
        falha "$(basename "$f") precisa de bibliotecas que não há: $(ldd "$f" | grep 'not found')"
    fi
done

# Um lote com um arquivo aceito, um com advertência, um rejeitado e um que não existe.
dados=$trab/dados
mkdir -p "$dados"
"$bin/gerar-exemplo" --registros 200 "$dados/aceito.txt" >/dev/null
"$bin/gerar-exemplo" --registros 200 --falha icms "$dados/advertencia.txt" >/dev/null 2>&1
"$bin/gerar-exemplo" --registros 200 --falha tipo "$dados/rejeitado.txt" >/dev/null 2>&1
set +e
"$raiz/usr/bin/korventa-validar" --json --max 5 "$dados/aceito.txt" "$dados/advertencia.txt" \
    "$dados/rejeitado.txt" >"$trab/lote.json" 2>"$trab/lote.err"
rc=$?
"$raiz/usr/bin/korventa-validar" --max 0 "$dados/aceito.txt" >/dev/null 2>&1
rc_aceito=$?
"$raiz/usr/bin/korventa-validar" "$dados/nao-existe.txt" >/dev/null 2>&1
rc_sumido=$?
set -e
[ $rc -eq 2 ] || falha "o lote deveria sair com 2 (o pior), saiu com $rc: $(cat "$trab/lote.err")"
[ $rc_aceito -eq 0 ] || falha "o arquivo aceito deveria sair com 0, saiu com $rc_aceito"
[ $rc_sumido -eq 3 ] || falha "o arquivo que não existe deveria sair com 3, saiu com $rc_sumido"
python3 - "$trab/lote.json" "$dados" <<'FIM' || falha "JSON do lote fora do esperado: $(cat "$trab/lote.json")"
import json, sys
objetos = [json.loads(l) for l in open(sys.argv[1], encoding="utf-8") if l.strip()]
resultados = {o["arquivo"]: o["resultado"] for o in objetos if "arquivo" in o}
d = sys.argv[2]
assert resultados == {d + "/aceito.txt": 0, d + "/advertencia.txt": 1, d + "/rejeitado.txt": 2}, resultados
FIM
echo "korventa-validar do pacote validou o lote"

# O programa, fora da tela, numa conta nova: início até a janela, o arquivo pedido aberto e o
# fechamento pedido pelo sistema, com as configurações gravadas.
export HOME=$trab/casa TMPDIR=$trab/tmp QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$HOME/.config XDG_CONFIG_DIRS=$raiz/etc/xdg
mkdir -p "$XDG_CONFIG_HOME" "$TMPDIR"
# O programa guarda o log na sua pasta temporária, só do usuário.
log=$TMPDIR/ValidadorKorventa2017-$(id -u)/Korventa.log
inicia_programa "$privada" "$log" "$raiz/usr/bin/validador-korventa" -l 4 "$dados/aceito.txt"
if grep -F "$(dirname "$bin")" "/proc/$pid/maps"; then
    falha "o programa carregou algo da árvore de compilação"
fi
encerra_programa "$log"
grep -qF "$dados/aceito.txt" "$XDG_CONFIG_HOME/ValidadorKorventaV2.conf" ||
    falha "as configurações não guardaram o arquivo aberto"
echo "o programa do pacote iniciou, abriu o arquivo e fechou"

"$privada/Tramil" --help >/dev/null || falha "o Tramil do pacote não inicia"
echo "Tramil do pacote inicia"

# O simulador do programa de transmissão inicia e carrega o motor da pasta do pacote.
"$privada/qiv.exe" -l 4 "$dados/nenhuma.zip" >"$trab/qiv.txt" 2>&1 &
pid=$!
for _ in $(seq 300); do
    grep -q "$privada/libKelvor.so" "/proc/$pid/maps" 2>/dev/null && break
    kill -0 "$pid" 2>/dev/null || falha "o simulador terminou no início: $(cat "$trab/qiv.txt")"
    sleep 0.1
done
grep -q "$privada/libKelvor.so" "/proc/$pid/maps" || falha "o simulador não carregou o motor"
kill -TERM "$pid"
wait "$pid" 2>/dev/null || true
pid=
echo "simulador do pacote inicia"
