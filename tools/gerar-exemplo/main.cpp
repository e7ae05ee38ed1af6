// gerar-exemplo: grava um arquivo sintético do Convênio ICMS 57/95 para testes e medições.
#include "GeradorExemplo.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

using namespace kelvor::exemplo;

namespace {

const char* const ajuda =
    R"(Uso: gerar-exemplo [opções] ARQUIVO

Grava um arquivo sintético e válido do leiaute do Convênio ICMS 57/95 (registros 10, 11, 50,
51, 53, 54, 60M/60A/60D/60I, 61, 70, 74, 75 e 90), opcionalmente com falhas postas em lugares conhecidos.
O mesmo conjunto de opções e semente gera sempre o mesmo arquivo.

Opções:
  -o, --saida ARQUIVO     arquivo a gravar (ou o último argumento)
      --tamanho N         tamanho aproximado; aceita os sufixos K, M e G (ex.: 1G)
      --registros N       número aproximado de linhas (padrão 1000)
      --semente N         semente dos dados (padrão 1)
      --uf UF             UF do informante (padrão SP)
      --mes AAAAMM        mês do período do arquivo (padrão 202305)
      --forma FORMA       que registros dominam (padrão: padrao):
                            padrao      notas de poucos parceiros, cupons, 61, 70, inventário
                            atacadista  cada nota com o seu parceiro (CNPJ distinto) e um item
                            itens       notas de 10 a 50 itens (registros 54)
                            ecf         cupons fiscais: 60M, 60A, 60D e 60I
      --lf                fim de linha só LF (padrão CR LF)
      --eof26             acrescenta o caractere 26 no fim do arquivo
      --sem-quebra-final  última linha sem fim de linha
      --falha TIPO        injeta uma falha do tipo dado; repetível; "todas" injeta todas
      --mapa ARQUIVO      grava o mapa das falhas nesse arquivo (padrão: saída de erros)
      --sem-75 P          deixa P por cento dos códigos de produto sem registro 75: cada 54 e
                          74 que os usa fica sem o seu (falha em massa, fora do mapa)
      --nota-sem-itens    uma nota modelo 55 em situação normal fica sem os seus registros 54
      --registros88 N     N registros 88 no modelo de MS antes dos registros 90
      --88-outro-cnpj N   dos registros 88, os N primeiros com outro CNPJ do informante
      --88-subtipo N      os N registros 88 seguintes com subtipo que não é alfanumérico
  -h, --help              mostra esta ajuda

Tipos de falha: tamanho, tipo, numerico, data, periodo, cnpj, ie, cfop, uf, icms, total90,
sem50, sem75, ordem, sem60m.

O mapa tem uma linha por falha: linha, início e largura do campo (0 e 0 quando é o registro
inteiro) e o tipo da falha, separados por tabulação.

Situação de saída: 0 gravado; 1 opções inválidas; 2 erro de gravação.
)";

bool lerNumero(std::string_view s, std::uint64_t& v) {
    if (s.empty()) return false;
    v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return true;
}

bool lerTamanho(std::string_view s, std::uint64_t& v) {
    std::uint64_t mult = 1;
    if (!s.empty()) {
        switch (s.back()) {
        case 'K':
        case 'k':
            mult = 1ULL << 10;
            break;
        case 'M':
        case 'm':
            mult = 1ULL << 20;
            break;
        case 'G':
        case 'g':
            mult = 1ULL << 30;
            break;
        default:
            break;
        }
        if (mult != 1) s.remove_suffix(1);
    }
    if (!lerNumero(s, v)) return false;
    v *= mult;
    return true;
}

int erroDeUso(const std::string& msg) {
    std::cerr << "gerar-exemplo: " << msg << "\nUse --help para ver as opções.\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    Opcoes o;
    std::string saida, mapa;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const auto valor = [&](std::string_view& v) {
            if (i + 1 >= argc) return false;
            v = argv[++i];
            return true;
        };
        std::string_view v;
        std::uint64_t n = 0;
        if (a == "-h" || a == "--help") {
            std::cout << ajuda;
            return 0;
        } else if (a == "--lf") {
            o.soLf = true;
        } else if (a == "--eof26") {
            o.eof26 = true;
        } else if (a == "--sem-quebra-final") {
            o.semQuebraFinal = true;
        } else if (a == "-o" || a == "--saida") {
            if (!valor(v)) return erroDeUso("falta o arquivo de saída.");
            saida = v;
        } else if (a == "--mapa") {
            if (!valor(v)) return erroDeUso("falta o arquivo do mapa.");
            mapa = v;
        } else if (a == "--tamanho") {
            if (!valor(v) || !lerTamanho(v, o.tamanhoBytes) || o.tamanhoBytes == 0)
                return erroDeUso("tamanho inválido.");
        } else if (a == "--registros") {
            if (!valor(v) || !lerNumero(v, o.registros))
                return erroDeUso("número de registros inválido.");
        } else if (a == "--semente") {
            if (!valor(v) || !lerNumero(v, o.semente)) return erroDeUso("semente inválida.");
        } else if (a == "--uf") {
            if (!valor(v)) return erroDeUso("falta a UF.");
            o.uf = v;
        } else if (a == "--mes") {
            if (!valor(v) || v.size() != 6 || !lerNumero(v, n))
                return erroDeUso("mês inválido (use AAAAMM).");
            o.ano = static_cast<int>(n / 100);
            o.mes = static_cast<int>(n % 100);
        } else if (a == "--forma") {
            if (!valor(v)) return erroDeUso("falta a forma do arquivo.");
            auto f = formaPorNome(v);
            if (!f) return erroDeUso("forma desconhecida: " + std::string(v));
            o.forma = *f;
        } else if (a == "--sem-75") {
            if (!valor(v) || !lerNumero(v, n) || n > 100)
                return erroDeUso("porcentagem inválida (de 0 a 100).");
            o.porcentoSem75 = static_cast<int>(n);
        } else if (a == "--nota-sem-itens") {
            o.notaSemItens = true;
        } else if (a == "--registros88" || a == "--88-outro-cnpj" || a == "--88-subtipo") {
            if (!valor(v) || !lerNumero(v, n)) return erroDeUso("número inválido em " + std::string(a));
            (a == "--registros88"     ? o.registros88
             : a == "--88-outro-cnpj" ? o.registros88OutroCnpj
                                      : o.registros88SubtipoInvalido) = static_cast<std::int64_t>(n);
        } else if (a == "--falha") {
            if (!valor(v)) return erroDeUso("falta o tipo da falha.");
            if (v == "todas") {
                for (int k = 0; k < quantidadeFalhas; ++k)
                    o.falhas.push_back(static_cast<Falha>(k));
            } else if (auto f = falhaPorNome(v)) {
                o.falhas.push_back(*f);
            } else {
                return erroDeUso("tipo de falha desconhecido: " + std::string(v));
            }
        } else if (!a.empty() && a[0] == '-') {
            return erroDeUso("opção desconhecida: " + std::string(a));
        } else if (saida.empty()) {
            saida = a;
        } else {
            return erroDeUso("mais de um arquivo de saída.");
        }
    }
    if (saida.empty()) return erroDeUso("falta o arquivo de saída.");

    if (const std::string problema = opcoesInvalidas(o); !problema.empty())
        return erroDeUso(problema);

    Resumo resumo;
    std::string erro;
    if (!geraArquivo(o, saida, resumo, erro)) {
        std::cerr << "gerar-exemplo: " << erro << '\n';
        return 2;
    }
    if (!o.falhas.empty()) {
        const std::string texto = textoMapa(resumo);
        if (mapa.empty()) {
            std::cerr << texto;
        } else {
            std::ofstream f(mapa, std::ios::binary);
            f << texto;
            if (!f) {
                std::cerr << "gerar-exemplo: não foi possível gravar o mapa: " << mapa << '\n';
                return 2;
            }
        }
    }
    std::cout << saida << ": " << resumo.linhas << " linhas, " << resumo.bytes << " bytes\n";
    return 0;
}
