#include "Opcoes.h"

#include <cstdlib>
#include <string_view>

const char* textoAjuda() {
    return "Uso: korventa-validar [opções] ARQUIVO...\n"
           "\n"
           "Valida arquivos fiscais do Convênio ICMS 57/95 e mostra, para cada um, o resultado,\n"
           "as quantidades de erros e advertências, o número de registros, o CRC-32 do arquivo\n"
           "e as primeiras críticas.\n"
           "\n"
           "Opções:\n"
           "  -c ARQUIVO     grava o relatório de críticas (com vários arquivos: ARQUIVO.1, .2 "
           "...)\n"
           "  -t ARQUIVO     grava os totais por CFOP (com vários arquivos: ARQUIVO.1, .2 ...)\n"
           "  --json         um objeto JSON por arquivo, em vez do texto\n"
           "  --max N        mostra no máximo N críticas por arquivo (padrão 20; 0: todas)\n"
           "  -j N           N threads ao todo, de 1 a 1024 (padrão: uma por núcleo). Um\n"
           "                 arquivo só é validado com as N; com vários, até N deles de uma\n"
           "                 vez, as N repartidas entre eles; a saída sai sempre na ordem\n"
           "                 dos argumentos\n"
           "  --leiaute F    0: leiaute anterior a 2003; 1: leiaute atual (padrão)\n"
           "  --versao V     versão do convênio, 2 ou 3 (padrão 3)\n"
           "  --midia ZIP    mostra o bloco de informações, o resumo, os totais por CFOP e o\n"
           "                 selo de uma mídia (saída 0 íntegra, 2 danificada)\n"
           "  -h, --help     mostra esta ajuda\n"
           "\n"
           "Código de saída: 0 aceito, 1 aceito com advertências, 2 rejeitado,\n"
           "3 não foi possível validar (arquivo recusado na abertura, como no programa, ou\n"
           "saída que não pode ser gravada; o motivo sai junto do arquivo).\n"
           "Com vários arquivos vale o maior código entre eles, e a última linha resume o lote\n"
           "(com --json, na saída de erros).\n";
}

namespace {
bool inteiro(const char* s, int& v) {
    char* fim = nullptr;
    long n = std::strtol(s, &fim, 10);
    if (!*s || *fim || n < 0 || n > 1000000000) return false;
    v = static_cast<int>(n);
    return true;
}
} // namespace

std::optional<std::string> leOpcoes(int argc, char** argv, Opcoes& o) {
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        auto valor = [&](const char* nome) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)nome;
            return argv[++i];
        };
        if (a == "-h" || a == "--help") {
            o.ajuda = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--midia") {
            const char* v = valor(argv[i]);
            if (!v) return "A opção --midia precisa de um nome de arquivo.";
            o.midia = v;
        } else if (a == "-c" || a == "-t") {
            const char* v = valor(argv[i]);
            if (!v) return "A opção " + std::string(a) + " precisa de um nome de arquivo.";
            (a == "-c" ? o.relatorio : o.totaisCfop) = v;
        } else if (a == "--max" || a == "--leiaute" || a == "--versao" || a == "-j") {
            const char* v = valor(argv[i]);
            int n = 0;
            if (!v || !inteiro(v, n)) return "A opção " + std::string(a) + " precisa de um número.";
            if (a == "--max")
                o.maxCriticas = n;
            else if (a == "-j" && n >= 1 && n <= 1024)
                o.threads = n;
            else if (a == "--leiaute" && n <= 1)
                o.flagLeiaute = n;
            else if (a == "--versao" && (n == 2 || n == 3))
                o.versaoConvenio = n;
            else
                return "Valor inválido para a opção " + std::string(a) + ": " + v;
        } else if (a.size() > 2 && a.substr(0, 2) == "-j") { // -j4, como no make
            int n = 0;
            if (!inteiro(argv[i] + 2, n) || n < 1 || n > 1024)
                return "Valor inválido para a opção -j: " + std::string(a.substr(2));
            o.threads = n;
        } else if (a.size() > 1 && a[0] == '-') {
            return "Opção desconhecida: " + std::string(a);
        } else {
            o.arquivos.emplace_back(a);
        }
    }
    if (!o.ajuda && o.arquivos.empty() && o.midia.empty())
        return std::string("Nenhum arquivo indicado.");
    return std::nullopt;
}

std::string caminhoPara(const std::string& base, std::size_t i, std::size_t n) {
    if (base.empty() || n <= 1) return base;
    return base + "." + std::to_string(i + 1);
}
