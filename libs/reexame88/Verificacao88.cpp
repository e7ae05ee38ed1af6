#include "Verificacao88.h"

#include "comum/Reexame.h"
#include "core/Mensagens.h"

namespace reexame {

namespace {

constexpr std::int64_t TamanhoRegistro = 126;

// O registro 88 é definido por cada Estado: o leiaute do motor só conhece o tipo. Estas são as
// posições do 88 de MS.
struct CampoMS {
    const char* nome;
    int inicio, tamanho;
    std::string_view de(std::string_view t) const {
        return t.substr(static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(tamanho));
    }
};
constexpr CampoMS Subtipo{"Subtipo", 3, 3};
constexpr CampoMS CnpjInformante{"CNPJ/CPF do informante", 6, 14};

bool alfanumerico(std::string_view s) {
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

kelvor::Critica critica(const kelvor::Linha& l, const CampoMS* campo, kelvor::Gravidade g,
                        std::string mensagem) {
    kelvor::Critica c;
    c.linha = l.numero;
    c.offset = l.offset;
    c.tipo = "88";
    if (campo) {
        c.campo = campo->nome;
        c.conteudo = std::string(campo->de(l.texto));
        c.inicio = campo->inicio;
        c.tamanho = campo->tamanho;
    }
    c.mensagem = std::move(mensagem);
    c.gravidade = g;
    return c;
}

} // namespace

Resultado88 Verifica88(const std::string& caminhoArquivo, const std::string& caminhoCriticas,
                       std::int64_t primeiraSequencia) {
    Resultado88 r;
    const kelvor::Campo* cnpj10 = CampoDoLeiaute("10", "CNPJ");
    if (!cnpj10) {
        r.falha = FaltaCampo("10", "CNPJ");
        return r;
    }
    LeituraFiscal leitura;
    if (auto falha = leitura.abre(caminhoArquivo)) {
        r.falha = *falha;
        return r;
    }
    kelvor::Linha l;
    if (!leitura.proxima(l) || l.texto.substr(0, 2) != "10" ||
        l.texto.size() < static_cast<std::size_t>(cnpj10->inicio - 1 + cnpj10->tamanho)) {
        r.falha =
            leitura.falha().value_or("O arquivo não começa pelo registro 10: " + caminhoArquivo);
        return r;
    }
    const std::string cnpj(cnpj10->de(l.texto));

    GravadorCriticas saida;
    if (auto falha = saida.cria(caminhoCriticas, caminhoArquivo, primeiraSequencia)) {
        r.falha = *falha;
        return r;
    }
    while (leitura.proxima(l)) {
        if (l.texto.substr(0, 2) != "88") continue;
        if (l.tamanho != TamanhoRegistro || l.texto.size() != TamanhoRegistro) {
            // O resto do registro não se sabe onde está.
            saida.grava(critica(l, nullptr, kelvor::Gravidade::Rejeicao,
                                kelvor::msg::TamanhoInvalido + std::to_string(l.tamanho) +
                                    kelvor::msg::TamanhoInvalidoFim));
            ++r.erros;
            ++r.linhasComErro;
            continue;
        }
        bool erro = false, advertencia = false;
        if (!alfanumerico(Subtipo.de(l.texto))) {
            saida.grava(critica(l, &Subtipo, kelvor::Gravidade::Advertencia,
                                "Subtipo do registro 88 deve ter só letras e dígitos."));
            ++r.advertencias;
            advertencia = true;
        }
        if (CnpjInformante.de(l.texto) != cnpj) {
            saida.grava(critica(l, &CnpjInformante, kelvor::Gravidade::Rejeicao,
                                "CNPJ/CPF do informante diferente do informado no registro 10."));
            ++r.erros;
            erro = true;
        }
        if (erro)
            ++r.linhasComErro;
        else if (advertencia)
            ++r.linhasComAdvertencia;
    }
    if (auto falha = leitura.falha()) {
        r.falha = *falha;
        return r;
    }
    if (auto falha = saida.conclui()) r.falha = *falha;
    return r;
}

} // namespace reexame
