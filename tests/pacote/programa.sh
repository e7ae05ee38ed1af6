# Funções comuns dos testes do pacote (incluído com "source"): iniciar o programa do pacote até o
# arquivo pedido aberto, conferir de onde vieram as bibliotecas e encerrá-lo como o sistema faz.
# Quem inclui define "trab" (pasta de trabalho) e limpa "pid" ao sair.

falha() {
    echo "FALHA: $*"
    exit 1
}

# inicia_programa PASTA_PRIVADA LOG COMANDO...: volta com o programa no ar, em "pid".
inicia_programa() {
    local privada=$1 log=$2
    shift 2
    "$@" >"$trab/programa.txt" 2>&1 &
    pid=$!
    for _ in $(seq 600); do
        grep -q "Fim AbrirArquivo." "$log" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null ||
            falha "o programa terminou no início: $(cat "$trab/programa.txt" "$log" 2>/dev/null)"
        sleep 0.1
    done
    grep -q "Fim AbrirArquivo." "$log" || falha "o programa não abriu o arquivo em 60 s: $(cat "$log")"
    grep -q "Encerrando form load principal." "$log" || falha "o início não chegou ao fim"
    # Valkora2 e Valkora3 o motor só consulta (e solta) na pasta dele; as outras ficam carregadas.
    for versao in "Kelvor: 5.2.0.0" "Valkora2: 1.7.8.9" "Valkora3: 1.8.2" "Reexame: 2.1.0"; do
        grep -q "Versao $versao" "$log" || falha "a versão de ${versao%%:*} não foi lida"
    done
    for lib in Kelvor GerarMidiaQIV Tramil Reexame Reexame88; do
        grep -q "$privada/lib$lib.so" "/proc/$pid/maps" ||
            falha "lib$lib.so não foi carregada de $privada"
    done
}

# encerra_programa LOG: o pedido de encerramento do sistema fecha pelo Encerrar, com saída 0.
encerra_programa() {
    local log=$1 rc
    kill -TERM "$pid"
    set +e
    wait "$pid"
    rc=$?
    set -e
    pid=
    [ $rc -eq 0 ] || falha "o programa saiu com $rc ao ser encerrado: $(cat "$trab/programa.txt")"
    grep -q "Encerrando o programa..." "$log" || falha "o fechamento não passou pelo Encerrar"
}
