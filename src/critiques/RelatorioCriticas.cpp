#include "critiques/RelatorioCriticas.h"

#include "validation/ArquivosTrabalho.h"
#include "validation/Sessao.h"

#include <limits>

namespace korventa {

namespace {

// "Rejeição" e "Advertência" em Windows-1252.
constexpr std::string_view TextoRejeicao = "Rejei\xE7\xE3o";
constexpr std::string_view TextoAdvertencia = "Advert\xEA"
                                              "ncia";

// Colunas de 1 em diante, como no formato; o que passa do fim do registro fica de fora.
std::string_view Coluna(std::string_view registro, std::size_t inicio, std::size_t largura) {
    if (inicio > registro.size()) return {};
    return registro.substr(inicio - 1, largura);
}

std::int16_t Numero16(std::string_view texto) {
    const std::int64_t n = NumeroDoCampo(texto);
    return static_cast<std::int16_t>(
        std::min<std::int64_t>(n, std::numeric_limits<std::int16_t>::max()));
}

} // namespace

std::string_view SemBrancos(std::string_view texto) {
    const auto inicio = texto.find_first_not_of(' ');
    if (inicio == std::string_view::npos) return {};
    const auto fim = texto.find_last_not_of(' ');
    return texto.substr(inicio, fim - inicio + 1);
}

std::int64_t NumeroDoCampo(std::string_view texto) {
    texto = SemBrancos(texto);
    std::int64_t valor = 0;
    for (const char c : texto) {
        if (c < '0' || c > '9') break;
        if (valor > (std::numeric_limits<std::int64_t>::max() - 9) / 10)
            return std::numeric_limits<std::int64_t>::max();
        valor = valor * 10 + (c - '0');
    }
    return valor;
}

CamposCritica RecortaCritica(std::string_view r) {
    CamposCritica c;
    c.linha = SemBrancos(Coluna(r, 11, 10));
    c.registro = SemBrancos(Coluna(r, 21, 2));
    c.campo = SemBrancos(Coluna(r, 23, 25));
    c.documentoItem = SemBrancos(Coluna(r, 48, 15));
    c.conteudo = SemBrancos(Coluna(r, 63, 25));
    c.mensagem = SemBrancos(Coluna(r, 88, 100));
    c.tipo = SemBrancos(Coluna(r, 188, 11));
    c.inicioCampo = Numero16(Coluna(r, 199, 3));
    c.tamanhoCampo = Numero16(Coluna(r, 202, 3));
    c.deslocamento = NumeroDoCampo(Coluna(r, 205, 10));
    return c;
}

bool TipoDaCritica(std::string_view tipo, TipoCritica& saida) {
    if (tipo == TextoRejeicao) {
        saida = TipoCritica::Rejeicao;
        return true;
    }
    if (tipo == TextoAdvertencia) {
        saida = TipoCritica::Advertencia;
        return true;
    }
    return false;
}

bool PassaNoFiltro(FiltroCriticas filtro, TipoCritica tipo) {
    switch (filtro) {
    case FiltroCriticas::Erros:
        return tipo == TipoCritica::Rejeicao;
    case FiltroCriticas::Advertencias:
        return tipo == TipoCritica::Advertencia;
    case FiltroCriticas::Tudo:
        break;
    }
    return true;
}

QStringList RelatoriosDoArquivo(const Sessao& sessao, int indice) {
    QStringList arquivos{CaminhoCriticas(sessao, indice)};
    const ArquivoAberto& e = sessao.arquivos.at(indice);
    if (e.temCriticas88) arquivos << CaminhoCriticas88(sessao, indice);
    if (e.temCriticasPB) arquivos << CaminhoResultadoPB(sessao, indice);
    return arquivos;
}

} // namespace korventa
