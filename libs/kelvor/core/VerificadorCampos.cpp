#include "core/VerificadorCampos.h"

#include "core/Digitos.h"
#include "core/Mensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <cmath>
#include <cstring>

namespace kelvor {

namespace {

using texto::emBranco;
using texto::semBrancosDireita;
using texto::soDigitos;
using texto::soZeros;

// Lista de códigos de dois caracteres separados por brancos ("01 03 55").
bool naListaDePares(const char* lista, std::string_view v) {
    for (const char* p = lista; p[0] && p[1]; p += (p[2] ? 3 : 2))
        if (v.size() == 2 && p[0] == v[0] && p[1] == v[1]) return true;
    return false;
}

bool cnpjOuCpf(std::string_view v) {
    return digitos::cnpjValido(v) || (v.substr(0, 3) == "000" && digitos::cpfValido(v.substr(3)));
}

// A crítica de uma data que não vale: diz quando é só o ano antes de 1900.
const char* mensagemData(std::string_view v, bool mesAno) {
    return tabelas::anoAnterior1900(v, mesAno) ? msg::DataAnoAnterior1900 : msg::DataInvalida;
}

// Situação que dispensa os dados da contraparte: cancelado, denegado, inutilizado.
bool situacaoSemDados(char s) {
    return s == 'S' || s == 'X' || s == '2' || s == '4';
}

} // namespace

std::string documentoItem(const LeiauteRegistro& l, std::string_view r) {
    if (l.numero.inicio == 0) return {};
    std::string s;
    if (l.serie.inicio) {
        s = texto::semBrancos(r.substr(l.serie.inicio - 1u, l.serie.tamanho));
        s += '-';
    }
    s += r.substr(l.numero.inicio - 1u, l.numero.tamanho);
    if (l.item.inicio) {
        s += '/';
        s += r.substr(l.item.inicio - 1u, l.item.tamanho);
    }
    return s;
}

void VerificadorCampos::critica(const LeiauteRegistro* l, const RegistroLido& r, const Campo* campo,
                                std::string_view mensagem, Gravidade g) {
    c_.linha = r.linha;
    c_.offset = r.offset;
    c_.tipo.assign(r.texto.substr(0, 2));
    texto::trocaControles(c_.tipo);
    c_.campo.assign(campo ? campo->nome : "");
    c_.docItem = l ? documentoItem(*l, r.texto) : std::string();
    texto::trocaControles(c_.docItem);
    c_.conteudo.assign(campo ? campo->de(r.texto).substr(0, 25) : r.texto.substr(0, 25));
    texto::trocaControles(c_.conteudo);
    c_.mensagem.assign(mensagem);
    c_.gravidade = l && !l->conferido ? Gravidade::Advertencia : g;
    c_.inicio = campo ? campo->inicio : 0;
    c_.tamanho = campo ? campo->tamanho : 0;
    // Campo do próprio leiaute criticado: vai para o conjunto dos que falharam (só o que sai
    // da conferência campo a campo é devolvido por confere).
    if (l && campo >= l->campos.data() && campo < l->campos.data() + l->campos.size())
        falhos_ |= CamposFalhos{1} << (campo - l->campos.data());
    saida_.critica(c_);
}

CamposFalhos VerificadorCampos::confere(const LeiauteRegistro& l, const RegistroLido& r) {
    bool cancelado =
        l.papeis.situacao >= 0 && situacaoSemDados(l.campos[l.papeis.situacao].de(r.texto)[0]);
    bool v2em53 = l.indiceTipo == 4 && ctx_.versaoConvenio == 2;
    falhos_ = 0;
    for (std::size_t i = 0; i < l.campos.size(); ++i) {
        if (v2em53 && i >= 14) break; // na versão 2 as posições 97-126 são só brancos
        confereCampo(l, r, l.campos[i], cancelado);
    }
    const CamposFalhos falhos = falhos_;
    if (v2em53) confereRegistro53Versao2(l, r);
    switch (l.indiceTipo) {
    case 0:
        confereRegistro10(l, r);
        break;
    case 1:
        confereRegistro11(l, r);
        break;
    case 5:
        confereRegistro54(l, r);
        break;
    case 13:
        confereRegistro74(l, r);
        break;
    default:
        break;
    }
    confereRegrasDoDocumento(l, r, cancelado);
    confereIcms(l, r);
    return falhos;
}

void VerificadorCampos::confereCampo(const LeiauteRegistro& l, const RegistroLido& r,
                                     const Campo& c, bool cancelado) {
    auto v = c.de(r.texto);
    // Documento cancelado, denegado ou inutilizado: dados ausentes são aceitos.
    if (cancelado && (soZeros(v) || emBranco(v))) {
        switch (c.especie) {
        case Especie::CnpjContraparte:
        case Especie::IE:
        case Especie::Data:
        case Especie::UFouEX:
        case Especie::CFOP:
        case Especie::Codigo: // emitente, tipo de receita, CIF/FOB: brancos ou zeros
            return;
        default:
            break;
        }
    }
    auto rejeita = [&](std::string_view m) { critica(&l, r, &c, m); };
    switch (c.especie) {
    case Especie::Tipo:
    case Especie::X:
        return;
    case Especie::N:
        if (!soDigitos(v)) rejeita(msg::NaoNumerico);
        return;
    case Especie::Obrigatorio:
        if (emBranco(v)) rejeita(msg::Obrigatorio);
        return;
    case Especie::Brancos:
        if (!emBranco(v)) critica(&l, r, &c, msg::Brancos, Gravidade::Advertencia);
        return;
    case Especie::Zeros:
        if (!soDigitos(v))
            rejeita(msg::NaoNumerico);
        else if (!soZeros(v))
            critica(&l, r, &c, msg::Zeros, Gravidade::Advertencia);
        return;
    case Especie::Data:
    case Especie::DataOpcional:
        if (!soDigitos(v))
            rejeita(msg::NaoNumerico);
        else if (!(c.especie == Especie::DataOpcional && soZeros(v)) && !tabelas::dataValida(v))
            rejeita(mensagemData(v, false));
        return;
    case Especie::MesAno:
        if (!soDigitos(v))
            rejeita(msg::NaoNumerico);
        else if (!tabelas::mesAnoValido(v))
            rejeita(mensagemData(v, true));
        return;
    case Especie::CnpjInformante:
    case Especie::CnpjContraparte:
    case Especie::CnpjOpcional:
        confereCnpj(l, r, c);
        return;
    case Especie::IE:
    case Especie::IEInformante:
    case Especie::IEOpcional:
    case Especie::IEFavorecida:
        confereIE(l, r, c);
        return;
    case Especie::UF:
        if (!tabelas::ufValida(v)) rejeita(msg::UFInvalida);
        return;
    case Especie::UFouEX:
        if (v != "EX" && !tabelas::ufValida(v)) rejeita(msg::UFInvalida);
        return;
    case Especie::UFOpcional:
        if (v != "EX" && !emBranco(v) && !tabelas::ufValida(v)) rejeita(msg::UFInvalida);
        return;
    case Especie::CFOP:
        if (!soDigitos(v))
            rejeita(msg::NaoNumerico);
        else if (!tabelas::cfopValido(v))
            rejeita(msg::CfopInvalido);
        return;
    case Especie::Modelo:
        if (!tabelas::modeloConhecido(v))
            rejeita(msg::ModeloInvalido);
        else if (!c.lista || naListaDePares(c.lista, v))
            return;
        else if (c.proibidos && naListaDePares(c.proibidos, v))
            rejeita(msg::ModeloProibido);
        else
            critica(&l, r, &c, msg::ModeloNaoPrevisto, Gravidade::Advertencia);
        return;
    case Especie::Codigo:
    case Especie::CodigoAdvertencia:
        if (std::strchr(c.lista, v[0]) == nullptr || v[0] == '\0')
            critica(&l, r, &c, msg::CodigoInvalido,
                    c.especie == Especie::Codigo ? Gravidade::Rejeicao : Gravidade::Advertencia);
        return;
    case Especie::Codigo2:
        if (!naListaDePares(c.lista, v)) rejeita(msg::CodigoInvalido);
        return;
    case Especie::SituacaoTributaria:
        // Alíquota zero existe, mas quase sempre é um I, N ou F escrito errado.
        if (!tabelas::situacaoTributariaValida(v))
            rejeita(msg::SituacaoTributaria);
        else if (v == "0000")
            critica(&l, r, &c, msg::AliquotaZero, Gravidade::Advertencia);
        return;
    case Especie::Item54: {
        auto n = texto::numero(v);
        bool ok = (n >= 1 && n <= 993) || (n >= 997 && n <= 999);
        if (n < 0)
            rejeita(msg::NaoNumerico);
        else if (!ok)
            rejeita(msg::ItemInvalido);
        return;
    }
    }
}

void VerificadorCampos::confereCnpj(const LeiauteRegistro& l, const RegistroLido& r,
                                    const Campo& c) {
    auto v = c.de(r.texto);
    if (!soDigitos(v)) {
        critica(&l, r, &c, msg::NaoNumerico);
        return;
    }
    if (soZeros(v)) {
        if (c.especie == Especie::CnpjInformante) {
            critica(&l, r, &c, msg::CnpjInvalido);
        } else if (c.especie == Especie::CnpjContraparte && (c.ie >= 0 || c.uf >= 0)) {
            bool exterior = c.uf >= 0 && l.campos[c.uf].de(r.texto) == "EX";
            bool isento = c.ie >= 0 && semBrancosDireita(l.campos[c.ie].de(r.texto)) == "ISENTO";
            // Pessoa física sem CPF também vai zerada, e o arquivo não tem como mostrar isso.
            if (!exterior && !isento) critica(&l, r, &c, msg::CnpjZerado, Gravidade::Advertencia);
        }
        return;
    }
    if (!cnpjOuCpf(v))
        critica(&l, r, &c,
                c.especie == Especie::CnpjInformante ? msg::CnpjInvalido : msg::CnpjCpfInvalido);
}

void VerificadorCampos::confereIE(const LeiauteRegistro& l, const RegistroLido& r, const Campo& c) {
    auto v = c.de(r.texto);
    auto t = semBrancosDireita(v);
    if (t.empty()) {
        if (c.especie != Especie::IEOpcional) critica(&l, r, &c, msg::IENaoInformada);
        return;
    }
    if (t == "ISENTO") {
        if (c.especie == Especie::IEInformante)
            critica(&l, r, &c, msg::IEIsentoInformante, Gravidade::Advertencia);
        return;
    }
    if (t == "INEXISTENTE" && c.especie == Especie::IEFavorecida) return;
    std::string_view uf = c.uf >= 0 ? l.campos[c.uf].de(r.texto) : std::string_view();
    bool produtorSP = t[0] == 'P' && uf == "SP";
    if (!soDigitos(produtorSP ? t.substr(1) : t)) {
        critica(&l, r, &c, msg::IECaracteres);
        return;
    }
    if (!tabelas::ufValida(uf))
        return; // sem UF válida não há algoritmo (a UF já foi criticada, ou é EX)
    if (!digitos::ieValida(v, uf)) {
        std::string m = msg::IEInvalidaUF;
        m.append(uf).append(".");
        critica(&l, r, &c, m,
                digitos::algoritmoIEConfirmado(v, uf) ? Gravidade::Rejeicao
                                                      : Gravidade::Advertencia);
    }
}

void VerificadorCampos::confereRegrasDoDocumento(const LeiauteRegistro& l, const RegistroLido& r,
                                                 bool cancelado) {
    const auto& p = l.papeis;
    // A data preenchida de um documento cancelado também tem de estar no período; só o
    // lançamento extemporâneo (E, X) fica fora dele.
    if (p.data >= 0 && ctx_.dataInicial && ctx_.dataFinal) {
        char sit = p.situacao >= 0 ? l.campos[p.situacao].de(r.texto)[0] : 'N';
        int d = tabelas::dataValida(l.campos[p.data].de(r.texto));
        if (d && sit != 'E' && sit != 'X' && (d < ctx_.dataInicial || d > ctx_.dataFinal))
            critica(&l, r, &l.campos[p.data], msg::ForaDoPeriodo);
    }
    if (!cancelado && p.cfop >= 0 && p.uf >= 0 && tabelas::ufValida(ctx_.uf)) {
        const Campo& cc = l.campos[p.cfop];
        auto cfop = cc.de(r.texto);
        auto uf = l.campos[p.uf].de(r.texto);
        if (tabelas::cfopValido(cfop) && (uf == "EX" || tabelas::ufValida(uf))) {
            char d = cfop[0];
            bool ok = uf == "EX"      ? (d == '3' || d == '7')
                      : uf == ctx_.uf ? (d == '1' || d == '5')
                                      : (d == '2' || d == '6');
            if (!ok) critica(&l, r, &cc, msg::CfopUF, Gravidade::Advertencia);
        }
    }
}

void VerificadorCampos::confereIcms(const LeiauteRegistro& l, const RegistroLido& r) {
    const auto& p = l.papeis;
    if (p.base < 0 || p.icms < 0 || p.aliquota < 0) return;
    auto base = texto::numero(l.campos[p.base].de(r.texto));
    auto icms = texto::numero(l.campos[p.icms].de(r.texto));
    auto aliquota = texto::numero(l.campos[p.aliquota].de(r.texto));
    if (base < 0 || icms < 0 || aliquota < 0)
        return; // campo não numérico (já criticado) ou situação tributária não numérica
    // Em inteiros (a conta em ponto flutuante pesava em todo registro de documento): |ICMS -
    // base × alíquota / d| > 1 é |ICMS × d - base × alíquota| > d. Valores que não cabem nos
    // 64 bits (acima de 9 × 10^14 centavos) vão pela conta antiga.
    constexpr std::int64_t CabeEm64Bits = 900'000'000'000'000;
    const std::int64_t d = p.aliquotaInteira ? 100 : 10000;
    bool diverge;
    if (base < CabeEm64Bits && icms < CabeEm64Bits && aliquota < 10000) {
        const std::int64_t diferenca = icms * d - base * aliquota;
        diverge = diferenca > d || diferenca < -d;
    } else {
        const long double esperado = static_cast<long double>(base) * aliquota / d;
        diverge = std::fabs(static_cast<long double>(icms) - esperado) > 1.0L + 1e-6L;
    }
    if (diverge) critica(&l, r, &l.campos[p.icms], msg::IcmsDivergente, Gravidade::Advertencia);
}

void VerificadorCampos::confereRegistro10(const LeiauteRegistro& l, const RegistroLido& r) {
    const Campo& ini = l.campos[7];
    const Campo& fim = l.campos[8];
    int di = tabelas::dataValida(ini.de(r.texto));
    int df = tabelas::dataValida(fim.de(r.texto));
    if (di && df) {
        if (di > df)
            critica(&l, r, &fim, msg::DataInicialPosterior);
        else if (di % 100 != 1 || di / 100 != df / 100 ||
                 df % 100 != tabelas::diasNoMes(df / 10000, df / 100 % 100))
            critica(&l, r, &ini, msg::PeriodoNaoMensal, Gravidade::Advertencia);
    }
    if (ctx_.flagLeiaute == 0)
        critica(&l, r, nullptr, msg::LeiauteAnterior2003, Gravidade::Advertencia);
}

void VerificadorCampos::confereRegistro11(const LeiauteRegistro& l, const RegistroLido& r) {
    const Campo& numero = l.campos[2];
    const Campo& complemento = l.campos[3];
    const Campo& telefone = l.campos[7];
    auto n = numero.de(r.texto);
    if (soZeros(n) && emBranco(complemento.de(r.texto)))
        critica(&l, r, &numero, msg::NumeroOuComplemento);
    if (soZeros(telefone.de(r.texto)))
        critica(&l, r, &telefone, msg::TelefoneZerado, Gravidade::Advertencia);
}

void VerificadorCampos::confereRegistro54(const LeiauteRegistro& l, const RegistroLido& r) {
    auto item = texto::numero(l.campos[7].de(r.texto));
    if (item < 991 || (item > 993 && item < 997) || item > 999)
        return; // item comum, ou número inválido (já criticado)
    // Frete, seguro, PIS/COFINS e outras despesas: só as chaves do documento e o valor.
    const Campo& cst = l.campos[6];
    const Campo& produto = l.campos[8];
    const Campo& quantidade = l.campos[9];
    if (!emBranco(produto.de(r.texto)))
        critica(&l, r, &produto, msg::ItemDespesa, Gravidade::Advertencia);
    else if (!emBranco(cst.de(r.texto)))
        critica(&l, r, &cst, msg::ItemDespesa, Gravidade::Advertencia);
    else if (!soZeros(quantidade.de(r.texto)))
        critica(&l, r, &quantidade, msg::ItemDespesa, Gravidade::Advertencia);
}

void VerificadorCampos::confereRegistro74(const LeiauteRegistro& l, const RegistroLido& r) {
    const char posse = l.campos[5].de(r.texto)[0];
    const Campo& cnpj = l.campos[6];
    const Campo& ie = l.campos[7];
    const Campo& uf = l.campos[8];
    if (posse == '1') {
        // Mercadoria do informante em seu poder: não há possuidor. A UF em branco vem só por
        // analogia com CNPJ e IE, então fica advertência.
        if (!soZeros(cnpj.de(r.texto))) critica(&l, r, &cnpj, msg::Posse1Cnpj);
        if (!emBranco(ie.de(r.texto))) critica(&l, r, &ie, msg::Posse1IE);
        if (!emBranco(uf.de(r.texto))) critica(&l, r, &uf, msg::Posse1UF, Gravidade::Advertencia);
        return;
    }
    if (posse != '2' && posse != '3') return; // código inválido: já criticado
    // Em poder de terceiros (2) ou de terceiros em poder do informante (3): os dados de quem
    // tem a mercadoria ou é dono dela.
    const auto falta = [&](const Campo& c, const char* oQue, const char* fim) {
        critica(&l, r, &c,
                std::string("Código de posse ") + posse + ": " + oQue +
                    (posse == '2' ? "possuidor" : "proprietário") + fim);
    };
    if (soZeros(cnpj.de(r.texto))) falta(cnpj, "CNPJ do ", " não informado.");
    if (emBranco(ie.de(r.texto))) falta(ie, "Inscrição Estadual do ", " não informada.");
    if (emBranco(uf.de(r.texto))) falta(uf, "UF do ", " não informada.");
}

void VerificadorCampos::confereRegistro53Versao2(const LeiauteRegistro& l, const RegistroLido& r) {
    static constexpr Campo Fim53{"Brancos", 97, 30, Especie::Brancos};
    if (!emBranco(Fim53.de(r.texto))) critica(&l, r, &Fim53, msg::Brancos53Versao2);
}

} // namespace kelvor
