# Complemento de comandos do bash para o korventa-validar.
_korventa_validar() {
    local atual anterior
    atual=${COMP_WORDS[COMP_CWORD]}
    anterior=${COMP_WORDS[COMP_CWORD - 1]}
    case $anterior in
    -c | -t)
        # Arquivo a gravar: qualquer nome.
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$atual")
        return
        ;;
    --midia)
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -X '!*.[zZ][iI][pP]' -- "$atual"; compgen -d -- "$atual")
        return
        ;;
    --max)
        mapfile -t COMPREPLY < <(compgen -W '0 20 100 1000' -- "$atual")
        return
        ;;
    -j)
        mapfile -t COMPREPLY < <(compgen -W "1 2 4 8 $(nproc 2>/dev/null)" -- "$atual")
        return
        ;;
    --leiaute)
        mapfile -t COMPREPLY < <(compgen -W '0 1' -- "$atual")
        return
        ;;
    --versao)
        mapfile -t COMPREPLY < <(compgen -W '2 3' -- "$atual")
        return
        ;;
    esac
    if [[ $atual == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '-c -t --json --max -j --leiaute --versao --midia -h --help' -- "$atual")
        return
    fi
    # Os arquivos fiscais: .txt primeiro; sem nenhum, qualquer arquivo.
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -X '!*.[tT][xX][tT]' -- "$atual"; compgen -d -- "$atual")
    if [ ${#COMPREPLY[@]} -eq 0 ]; then
        mapfile -t COMPREPLY < <(compgen -f -- "$atual")
    fi
}
complete -F _korventa_validar korventa-validar
