#!/usr/bin/env bash
# Mede o motor em arquivos gerados de cada forma: gera (padrão 1G) numa pasta temporária,
# valida com -j 1 e com -j N, compara com wc -l no mesmo arquivo e confere que as saídas das
# duas validações são idênticas; depois mede o korventa-validar inteiro com /usr/bin/time -v
# (CPU de usuário e de sistema, parede e memória). Um arquivo por vez; a pasta é apagada no fim.
#   bench/motor/rodar.sh [TAMANHO]        ex.: 1G, 300M
# Variáveis: REGISTROS (número de linhas em vez do tamanho, ex.: 800000), BUILD (pasta do
#            build, padrão build), PASTA (onde criar a pasta temporária),
#            FORMAS (padrão "padrao atacadista itens ecf"), J (threads; padrão: todos os
#            núcleos), SEMENTE (padrão 1), UF (padrão SP), GERAR_OPCOES (outras opções do
#            gerador, por exemplo "--falha todas").
set -euo pipefail

raiz="$(cd "$(dirname "$0")/../.." && pwd)"
tamanho="${1:-${TAMANHO:-1G}}"
if [[ -n "${REGISTROS:-}" ]]; then
    medida=(--registros "$REGISTROS")
    tamanho="$REGISTROS registros"
else
    medida=(--tamanho "$tamanho")
fi
build="${BUILD:-$raiz/build}"
bin="$build/bin"
formas="${FORMAS:-padrao atacadista itens ecf}"
threads="${J:-$(nproc)}"

if [[ ! -x "$bin/gerar-exemplo" || ! -x "$bin/bench-motor" || ! -x "$bin/korventa-validar" ]]; then
    echo "Compilando gerar-exemplo, bench-motor e korventa-validar em $build..."
    cmake -S "$raiz" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target gerar-exemplo bench-motor korventa-validar >/dev/null
fi
if [[ ! -x /usr/bin/time ]]; then
    echo "Falta /usr/bin/time (pacote time): só a medição do bench-motor." >&2
fi

# O korventa-validar inteiro (contagem das linhas, leitura, releitura quando há, relatório e
# totais gravados) sob /usr/bin/time -v: o tempo de CPU do processo, de usuário e de sistema.
# Imprime as medidas e devolve o código do korventa-validar (0 a 2: validou).
mede_validar() {
    local j="$1" arquivo="$2" saida="$3"
    local medida="$tmp/time-$j.txt" rc=0
    /usr/bin/time -v -o "$medida" "$bin/korventa-validar" -j "$j" --max 0 -c "$saida.criticas" \
        -t "$saida.cfop" "$arquivo" >/dev/null 2>&1 || rc=$?
    awk -F': ' -v j="$j" -v linhas="$(wc -l <"$arquivo")" '
        /User time/ { u = $2 } /System time/ { s = $2 } /Maximum resident/ { m = $2 }
        /Elapsed \(wall clock\)/ { n = split($2, p, ":"); w = 0; for (i = 1; i <= n; ++i) w = w * 60 + p[i] }
        END {
            printf "  korventa-validar -j %s: %.2f s de usuário + %.2f s de sistema = %.2f s de CPU; %.2f s de parede\n", j, u, s, u + s, w
            printf "        registros por segundo: %.0f pela CPU, %.0f pela parede; memória de pico %d kB\n", linhas / (u + s > 0 ? u + s : 0.01), linhas / (w > 0 ? w : 0.01), m
        }' "$medida"
    return $rc
}

tmp="$(mktemp -d "${PASTA:-${TMPDIR:-/tmp}}/bench-motor.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT

echo "Máquina: $(nproc) núcleos, $(uname -sr); carga no início: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
for forma in $formas; do
    arquivo="$tmp/$forma.txt"
    echo
    echo "=== Forma $forma ($tamanho)"
    inicio=$(date +%s.%N)
    # shellcheck disable=SC2086
    "$bin/gerar-exemplo" --forma "$forma" "${medida[@]}" --semente "${SEMENTE:-1}" \
        --uf "${UF:-SP}" ${GERAR_OPCOES:-} "$arquivo" >/dev/null
    fim=$(date +%s.%N)
    awk -v a="$inicio" -v b="$fim" 'BEGIN { printf "Geração: %.2f s\n", b - a }'
    "$bin/bench-motor" -j "$threads" "$arquivo" || status=1
    if [[ -x /usr/bin/time ]]; then
        for j in 1 "$threads"; do
            rc=0
            mede_validar "$j" "$arquivo" "$tmp/saida-$j" || rc=$?
            if ((rc > 2)); then
                echo "  korventa-validar -j $j não validou (saída $rc)"
                status=1
            fi
        done
        # O cabeçalho do relatório tem a hora: fica de fora da comparação.
        if cmp -s <(tail -n +2 "$tmp/saida-1.criticas") <(tail -n +2 "$tmp/saida-$threads.criticas") &&
            cmp -s "$tmp/saida-1.cfop" "$tmp/saida-$threads.cfop"; then
            echo "  Relatório e totais do korventa-validar com -j 1 e -j $threads: idênticos"
        else
            echo "  Relatório e totais do korventa-validar com -j 1 e -j $threads: DIFERENTES"
            status=1
        fi
        rm -f "$tmp"/saida-*
    fi
    rm -f "$arquivo"
done
echo
echo "Carga no fim: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
