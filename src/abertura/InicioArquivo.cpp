#include "abertura/InicioArquivo.h"

#include <algorithm>

namespace korventa::abertura {

namespace {

constexpr char MarcaFim = 26;

// Só para o log: o tipo lido pode ter qualquer byte.
std::string Legivel(std::string_view bytes) {
    std::string s(bytes);
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) >= 127) c = '?';
    return s;
}

std::optional<Recusa> ConfereLinha(const LinhaInicial& l, const char* tipo, const char* ordinal,
                                   const char* artigo) {
    const std::string ord = ordinal;
    if (l.tamanho < 126) {
        const std::string n = std::to_string(l.tamanho);
        return Recusa{"O tamanho do registro da " + ord + " linha é inválido! Tamanho: " + n,
                      "O tamanho do registro da " + ord + " linha é inválido: " + n + "!"};
    }
    if (l.texto.compare(0, 2, tipo) != 0)
        return Recusa{"O registro da " + ord + " não é do tipo " + tipo +
                          "! Tipo: " + Legivel(std::string_view(l.texto).substr(0, 2)),
                      std::string(artigo) + " linha não é um registro tipo " + tipo + "!"};
    return std::nullopt;
}

} // namespace

bool LinhasIniciais::acrescenta(std::string_view bloco) {
    while (!bloco.empty() && quantas_ < 2) {
        temAtual_ = true;
        const auto lf = bloco.find('\n');
        const auto parte = bloco.substr(0, lf);
        const auto cabe = LimiteLinha - std::min(LimiteLinha, atual_.texto.size());
        atual_.texto.append(parte.substr(0, cabe));
        atual_.tamanho += static_cast<std::int64_t>(parte.size());
        if (!parte.empty()) ultimo_ = parte.back();
        if (lf == std::string_view::npos) break;
        if (ultimo_ == '\r') tiraUltimo();
        fechaLinha();
        bloco.remove_prefix(lf + 1);
    }
    return completas();
}

void LinhasIniciais::terminaArquivo() {
    if (!temAtual_ || quantas_ == 2) return;
    // Última linha sem LF: tira a marca de fim e um CR que tenha sobrado antes dela.
    if (ultimo_ == MarcaFim) {
        tiraUltimo();
        if (!atual_.texto.empty() &&
            atual_.texto.size() == static_cast<std::size_t>(atual_.tamanho) &&
            atual_.texto.back() == '\r')
            tiraUltimo();
    } else if (ultimo_ == '\r') {
        tiraUltimo();
    }
    if (atual_.tamanho > 0) fechaLinha();
    temAtual_ = false;
}

void LinhasIniciais::tiraUltimo() {
    --atual_.tamanho;
    // Numa linha cortada no limite o byte tirado nem foi guardado.
    if (atual_.texto.size() > static_cast<std::size_t>(atual_.tamanho)) atual_.texto.pop_back();
}

void LinhasIniciais::fechaLinha() {
    linhas_[quantas_++] = std::move(atual_);
    atual_ = LinhaInicial{};
    temAtual_ = false;
    ultimo_ = 0;
}

std::string ErroAbrindo(std::string_view caminho) {
    return "Erro tentando abrir o arquivo " + std::string(caminho);
}

std::string ErroLendo(std::string_view caminho) {
    return "Erro lendo do arquivo " + std::string(caminho);
}

std::string ErroFechando(std::string_view caminho) {
    return "Erro fechando o arquivo " + std::string(caminho);
}

std::optional<Recusa> ConfereLinhasIniciais(const LinhasIniciais& linhas,
                                            std::string_view caminho) {
    if (!linhas.completas()) return Recusa{{}, ErroLendo(caminho)};
    if (auto r = ConfereLinha(linhas.linha(0), "10", "primeira", "A primeira")) return r;
    return ConfereLinha(linhas.linha(1), "11", "segunda", "A segunda");
}

std::optional<std::string> ConfereConvenio(std::string_view r10) {
    if (r10.size() < 124) return std::nullopt;
    int ano = 0;
    for (char c : r10.substr(115, 4)) {
        if (c < '0' || c > '9') return std::nullopt; // data inválida: o motor é quem critica
        ano = ano * 10 + (c - '0');
    }
    const char codigo = r10[123];
    const std::string periodo = "Período de referência inválido para código de identificação "
                                "de estrutura do Convênio.\r";
    if (codigo == '1' && ano == 2003)
        return periodo + "Informar código 2 ou superior no campo 10 do registro 10 para fatos "
                         "geradores ocorridos a partir de 01/01/2003.";
    if ((codigo == '1' || codigo == '2') && ano > 2003)
        return periodo + "Informar código 3 no campo 10 do registro 10 para fatos geradores "
                         "ocorridos a partir de 01/01/2004.";
    return std::nullopt;
}

std::optional<Recusa> ConfereInicio(const LinhasIniciais& linhas, std::string_view caminho) {
    if (auto r = ConfereLinhasIniciais(linhas, caminho)) return r;
    if (auto m = ConfereConvenio(linhas.linha(0).texto)) return Recusa{{}, *m};
    return std::nullopt;
}

} // namespace korventa::abertura
