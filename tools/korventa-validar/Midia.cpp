#include "Midia.h"

#include "Saida.h"

#include "core/Texto.h"
#include "midia/LeituraMidia.h"

#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using kelvor::texto::paraUtf8;
namespace md = korventa::midia;

// Campos do bloco de informações (colunas 1-based, largura).
struct Campo {
    const char* nome;
    std::size_t coluna, largura;
};
constexpr Campo Campos[] = {
    {"protocolo", 1, 10},
    {"cnpj", 11, 14},
    {"ie", 25, 14},
    {"uf", 39, 2},
    {"registro10", 41, 126},
    {"codigoTransmissao", 193, 2},
    {"remetente", 195, 20},
    {"protocoloQIV", 215, 7},
    {"chaveTransmissao", 222, 8},
    {"dataTransmissao", 230, 8},
    {"horaTransmissao", 238, 6},
    {"email", 327, 70},
    {"destino", 397, 55},
    {"destinoComplemento", 452, 25},
    {"ufDestino", 477, 2},
    {"crcArquivo", 503, 8},
    {"versaoBloco", 511, 2},
};

std::string aparado(std::string s) {
    const auto i = s.find_first_not_of(' ');
    if (i == std::string::npos) return {};
    return s.substr(i, s.find_last_not_of(' ') - i + 1);
}

// Caminho e nomes de entradas podem vir em qualquer codificação: o JSON sai sempre UTF-8.
std::string emJson(std::string_view s) {
    return textoJson(s);
}

// Linhas de um texto com CR LF, sem a última vazia.
std::vector<std::string> linhas(const std::string& t) {
    std::vector<std::string> r;
    std::size_t p = 0;
    while (p < t.size()) {
        auto f = t.find('\n', p);
        if (f == std::string::npos) f = t.size();
        std::string l = t.substr(p, f - p);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        r.push_back(paraUtf8(l));
        p = f + 1;
    }
    return r;
}

std::string lista(const std::vector<std::string>& l) {
    std::string r = "[";
    for (std::size_t i = 0; i < l.size(); ++i)
        r += (i ? ", " : "") + emJson(l[i]);
    return r + "]";
}

} // namespace

int mostraMidia(const std::string& caminho, bool json) {
    md::Midia m;
    std::string resumo, totais;
    auto motivo = md::AbreMidia(caminho, m);
    if (!motivo) motivo = md::LeEntrada(caminho, m, md::NomeResumo, resumo);
    if (!motivo) motivo = md::LeEntrada(caminho, m, md::NomeTotaisCFOP, totais);
    if (motivo) {
        if (json)
            std::printf("{\"midia\": %s, \"selo\": \"danificado\", \"motivo\": %s}\n",
                        emJson(caminho).c_str(), emJson(*motivo).c_str());
        else
            std::printf("%s\nSelo: DANIFICADO (%s)\n", md::MensagemDanificada(caminho).c_str(),
                        motivo->c_str());
        return SaidaMidiaDanificada;
    }
    std::vector<std::pair<std::string, std::string>> campos;
    for (const Campo& c : Campos)
        campos.emplace_back(c.nome, aparado(paraUtf8(m.info().substr(c.coluna - 1, c.largura))));
    const std::string tipo = paraUtf8(m.ini.tipoDocumento);
    const std::string versao = m.ini.versao0 + "." + m.ini.versao1 + "." + m.ini.versao2;
    if (json) {
        std::string r = "{\"midia\": " + emJson(caminho) + ", \"selo\": \"integro\", \"info\": {";
        for (std::size_t i = 0; i < campos.size(); ++i)
            r += (i ? ", " : "") + emJson(campos[i].first) + ": " + emJson(campos[i].second);
        r += "}, \"classe\": " + emJson(m.ini.classe) + ", \"tipoDocumento\": " + emJson(tipo) +
             ", \"versaoValidador\": " + emJson(versao) + ", \"entradas\": [";
        for (std::size_t i = 0; i < m.zip.entradas.size(); ++i) {
            const auto& e = m.zip.entradas[i];
            r += std::string(i ? ", " : "") + "{\"nome\": " + emJson(e.nome) +
                 ", \"tamanho\": " + std::to_string(e.tamanho) +
                 ", \"cifrada\": " + (e.cifrada() ? "true" : "false") + "}";
        }
        r += "], \"resumo\": " + lista(linhas(resumo)) +
             ", \"totaisCFOP\": " + lista(linhas(totais)) + "}";
        std::printf("%s\n", r.c_str());
        return SaidaMidiaIntegra;
    }
    std::printf("Mídia: %s\nSelo: íntegro\n\nBloco de informações:\n", caminho.c_str());
    for (const auto& [nome, valor] : campos)
        std::printf("  %-18s %s\n", nome.c_str(), valor.c_str());
    std::printf("\nClasse: %s\nTipo de documento: %s\nVersão do validador: %s\n\nEntradas:\n",
                m.ini.classe.c_str(), tipo.c_str(), versao.c_str());
    for (const auto& e : m.zip.entradas)
        std::printf("  %-24s %10u bytes%s\n", e.nome.c_str(), unsigned(e.tamanho),
                    e.cifrada() ? " (cifrada)" : "");
    std::printf("\nResumo da validação:\n");
    for (const auto& l : linhas(resumo))
        std::printf("  %s\n", l.c_str());
    std::printf("\nTotais por CFOP:\n");
    for (const auto& l : linhas(totais))
        std::printf("  %s\n", l.c_str());
    return SaidaMidiaIntegra;
}
