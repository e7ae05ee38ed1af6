#include "nucleo/DocumentoNota.h"

#include "core/Significados.h"
#include "core/Texto.h"
#include "nucleo/CamposNota.h"
#include "nucleo/Formato.h"
#include "nucleo/Identificacao.h"
#include "nucleo/Somas.h"

#include <algorithm>
#include <array>
#include <string>

namespace tramil {

namespace {

namespace tx = kelvor::texto;
namespace sig = kelvor::significados;

// Registro completado com brancos até 126 posições: os campos são lidos sem passar do fim.
class Reg {
public:
    explicit Reg(std::string_view r) {
        const auto n = std::min<std::size_t>(r.size(), b_.size());
        std::copy_n(r.data(), n, b_.data());
        std::fill(b_.begin() + static_cast<std::ptrdiff_t>(n), b_.end(), ' ');
    }
    const char* p() const { return b_.data(); }
    std::string_view operator()(const Pos& c) const {
        return c.inicio > 0 ? c.de(p()) : std::string_view();
    }
    std::int64_t valor(const Pos& c) const { return ValorCampo(p(), c); }
    std::string_view tudo() const { return {b_.data(), b_.size()}; }

private:
    std::array<char, 126> b_{};
};

QString T(std::string_view s) {
    return TextoDoArquivo(tx::semBrancos(s));
}
QString U(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString Dinheiro(std::int64_t v) {
    return FormataDecimal(v, 2);
}
QString Percentual(std::int64_t v) {
    return FormataDecimal(v, 2) + QLatin1Char('%');
}
// "Base 100,00 × 18,00% = 18,00; informado 20,00 (diferença de 2,00)."
QString DetalheIcms(std::int64_t base, std::int64_t aliquota, std::int64_t icms) {
    const auto esperado = IcmsEsperado(base, aliquota);
    return QStringLiteral("Base ") + Dinheiro(base) + QStringLiteral(" × ") + Percentual(aliquota) +
           QStringLiteral(" = ") + Dinheiro(esperado) + QStringLiteral("; informado ") +
           Dinheiro(icms) + QStringLiteral(" (diferença de ") + Dinheiro(icms - esperado) +
           QStringLiteral(").");
}
QString ComSignificado(std::string_view codigo, std::string_view significado) {
    const QString c = T(codigo);
    return significado.empty() ? c : c + QStringLiteral(" - ") + U(significado);
}
QString Cfop(std::string_view c) {
    return ComSignificado(c, sig::cfop(c));
}
QString Uf(std::string_view u) {
    return ComSignificado(u, sig::uf(u));
}
QString Modelo(std::string_view m) {
    return ComSignificado(m, sig::modelo(m));
}
QString Situacao(std::string_view s) {
    return s.size() == 1 ? ComSignificado(s, sig::situacao(s[0])) : T(s);
}
QString CnpjOuNada(std::string_view cnpj) {
    const QString f = FormataCnpjCpf(cnpj);
    return f.isEmpty() ? QStringLiteral("não informado") : f;
}

Tabela NovaTabela(const QString& titulo,
                  std::initializer_list<std::pair<const char*, bool>> colunas) {
    Tabela t;
    t.titulo = titulo;
    for (const auto& [nome, numerica] : colunas) {
        t.colunas << QString::fromUtf8(nome);
        t.numerica.push_back(numerica);
    }
    return t;
}

void Linha(Tabela& t, QStringList celulas, bool marcada = false) {
    t.linhas.push_back(std::move(celulas));
    t.marcada.push_back(marcada);
}

// Registros do documento separados pelo código do leiaute ("50", "60A"...).
struct Registros {
    std::vector<std::string_view> todos;
    std::vector<std::uint64_t> deslocamentos;
    std::vector<std::string_view> de(std::string_view codigo) const {
        std::vector<std::string_view> r;
        for (auto x : todos)
            if (x.substr(0, codigo.size()) == codigo) r.push_back(x);
        return r;
    }
};

Participante Informante(const IndiceNotas& ix, const QString& papel) {
    Participante p;
    p.papel = papel;
    const auto& c = Campos();
    if (auto d = ix.registro10()) {
        const Reg r(ix.registroEm(*d));
        p.dados.push_back({QStringLiteral("Nome"), T(r(c.r10.nome))});
        p.dados.push_back({QStringLiteral("CNPJ/CPF"), CnpjOuNada(r(c.r10.cnpj))});
        p.dados.push_back({QStringLiteral("Inscrição estadual"), T(r(c.r10.ie))});
        p.dados.push_back({QStringLiteral("Município"),
                           T(r(c.r10.municipio)) + QStringLiteral(" - ") + T(r(c.r10.uf))});
    } else {
        p.dados.push_back(
            {QStringLiteral("Nome"), QStringLiteral("(o arquivo não tem registro 10)")});
    }
    if (auto d = ix.registro11()) {
        const Reg r(ix.registroEm(*d));
        QString endereco = T(r(c.r11.logradouro));
        const auto numero = tx::numero(r(c.r11.numero));
        if (numero > 0) endereco += QStringLiteral(", ") + QString::number(numero);
        const QString complemento = T(r(c.r11.complemento));
        if (!complemento.isEmpty()) endereco += QStringLiteral(" - ") + complemento;
        p.dados.push_back({QStringLiteral("Endereço"), endereco});
        p.dados.push_back({QStringLiteral("Bairro"), T(r(c.r11.bairro))});
        const QString cep = T(r(c.r11.cep));
        p.dados.push_back(
            {QStringLiteral("CEP"), cep.size() == 8 ? cep.left(5) + u'-' + cep.right(3) : cep});
    }
    return p;
}

Participante Contraparte(const QString& papel, std::string_view cnpj, std::string_view ie,
                         std::string_view uf) {
    Participante p;
    p.papel = papel;
    p.dados.push_back({QStringLiteral("Nome"), QStringLiteral("(não consta do arquivo)")});
    p.dados.push_back({QStringLiteral("CNPJ/CPF"), CnpjOuNada(cnpj)});
    if (!ie.empty()) p.dados.push_back({QStringLiteral("Inscrição estadual"), T(ie)});
    if (!uf.empty()) p.dados.push_back({QStringLiteral("UF"), Uf(uf)});
    return p;
}

bool Saida(std::string_view cfop) {
    return !cfop.empty() && cfop[0] >= '5';
}

// Descrição, unidade e NCM do produto pelo registro 75.
struct Produto {
    QString descricao, unidade, ncm;
};
Produto ProdutoDe(const IndiceNotas& ix, std::string_view codigo) {
    Produto p;
    const auto& c = Campos().r75;
    if (auto d = ix.produto(codigo)) {
        const Reg r(ix.registroEm(*d));
        p.descricao = T(r(c.descricao));
        p.unidade = T(r(c.unidade));
        p.ncm = T(r(c.ncm));
    } else if (!tx::emBranco(codigo)) {
        p.descricao = QStringLiteral("(sem registro 75)");
    }
    return p;
}

void CfopsDistintos(const std::vector<std::string_view>& regs, const Pos& pos, DocumentoNota& n) {
    QStringList vistos;
    for (auto x : regs) {
        const QString c = Cfop(Reg(x)(pos));
        if (!vistos.contains(c)) vistos << c;
    }
    for (const auto& c : vistos)
        n.dados.push_back({QStringLiteral("CFOP"), c});
}

void MontaNotaFiscal(const IndiceNotas& ix, const Documento& d, const Registros& regs,
                     DocumentoNota& n) {
    const auto& c = Campos();
    const auto r50 = regs.de("50"), r51 = regs.de("51"), r53 = regs.de("53"), r54 = regs.de("54");
    const Reg p(ix.registroEm(d.deslocamento));
    const Identificacao id = Identifica(p.tudo());
    if (!r50.empty()) {
        n.titulo = U(sig::modelo(p(c.r50.modelo))) + QStringLiteral(" nº ") + T(p(c.r50.numero)) +
                   QStringLiteral(", série ") + T(p(c.r50.serie));
        n.dados.push_back({QStringLiteral("Modelo"), Modelo(p(c.r50.modelo))});
        n.dados.push_back({QStringLiteral("Série"), T(p(c.r50.serie))});
        n.dados.push_back({QStringLiteral("Número"), T(p(c.r50.numero))});
        n.dados.push_back(
            {QStringLiteral("Data de emissão ou recebimento"), FormataData(p(c.r50.data))});
        n.dados.push_back({QStringLiteral("Operação"), Saida(p(c.r50.cfop))
                                                           ? QStringLiteral("Saída")
                                                           : QStringLiteral("Entrada")});
        n.dados.push_back(
            {QStringLiteral("Emitente"),
             ComSignificado(p(c.r50.emitente), p(c.r50.emitente) == "P"   ? "Próprio"
                                               : p(c.r50.emitente) == "T" ? "Terceiros"
                                                                          : "")});
        n.dados.push_back({QStringLiteral("Situação"), Situacao(p(c.r50.situacao))});
        CfopsDistintos(r50, c.r50.cfop, n);
        const bool proprio = p(c.r50.emitente) == "P";
        auto informante =
            Informante(ix, proprio ? QStringLiteral("Emitente") : QStringLiteral("Destinatário"));
        auto outro =
            Contraparte(proprio ? QStringLiteral("Destinatário") : QStringLiteral("Emitente"),
                        p(c.r50.cnpj), p(c.r50.ie), p(c.r50.uf));
        if (proprio) {
            n.participantes.push_back(informante);
            n.participantes.push_back(outro);
        } else {
            n.participantes.push_back(outro);
            n.participantes.push_back(informante);
        }
    } else {
        n.titulo = QStringLiteral("Registros de nota fiscal sem o registro 50");
        n.dados.push_back({QStringLiteral("Série"), T(id.serie)});
        n.dados.push_back({QStringLiteral("Número"), T(id.numero)});
        n.participantes.push_back(
            Contraparte(QStringLiteral("Parte da operação"), id.cnpj, {}, id.uf));
    }

    // Itens e despesas acessórias (54).
    auto itens = NovaTabela(QStringLiteral("Produtos e serviços (registros 54)"),
                            {{"Item", true},
                             {"Código", false},
                             {"Descrição", false},
                             {"NCM", false},
                             {"CST", false},
                             {"CFOP", false},
                             {"Unid.", false},
                             {"Quantidade", true},
                             {"Valor unitário", true},
                             {"Valor do produto", true},
                             {"Desconto", true},
                             {"Base ICMS", true},
                             {"Base ICMS ST", true},
                             {"IPI", true},
                             {"Alíq. ICMS", true}});
    auto despesas =
        NovaTabela(QStringLiteral("Despesas acessórias (registros 54)"),
                   {{"Item", true}, {"Descrição", false}, {"CFOP", false}, {"Valor", true}});
    std::int64_t produtos = 0, descontos = 0, frete = 0, seguro = 0, outras = 0, ipiItens = 0,
                 somaItens = 0;
    for (auto x : r54) {
        const Reg r(x);
        const auto& k = c.r54;
        const auto item = r.valor(k.item);
        somaItens += ValorDoItem54(r.p());
        ipiItens += r.valor(k.ipi);
        if (item >= 991) {
            const auto v = r.valor(k.desconto);
            (item == 991 ? frete : item == 992 ? seguro : outras) += v;
            Linha(despesas, {T(r(k.item)), U(sig::itemEspecial54(static_cast<int>(item))),
                             T(r(k.cfop)), Dinheiro(v)});
            continue;
        }
        const auto qtd = r.valor(k.quantidade), valor = r.valor(k.valor);
        produtos += valor;
        descontos += r.valor(k.desconto);
        const Produto prod = ProdutoDe(ix, r(k.produto));
        // Valor unitário: valor do produto / quantidade (3 decimais), em centavos arredondados.
        const QString unitario = qtd > 0 ? Dinheiro((valor * 1000 + qtd / 2) / qtd) : QString();
        Linha(itens, {T(r(k.item)), T(r(k.produto)), prod.descricao, prod.ncm, T(r(k.cst)),
                      T(r(k.cfop)), prod.unidade, FormataDecimal(qtd, 3), unitario, Dinheiro(valor),
                      Dinheiro(r.valor(k.desconto)), Dinheiro(r.valor(k.base)),
                      Dinheiro(r.valor(k.baseSt)), Dinheiro(r.valor(k.ipi)),
                      Percentual(r.valor(k.aliquota))});
    }
    if (!itens.linhas.empty()) n.tabelas.push_back(itens);
    if (!despesas.linhas.empty()) n.tabelas.push_back(despesas);

    // ICMS por CFOP e alíquota (50).
    auto icms = NovaTabela(QStringLiteral("ICMS por CFOP e alíquota (registros 50)"),
                           {{"CFOP", false},
                            {"Alíquota", true},
                            {"Valor total", true},
                            {"Base de cálculo", true},
                            {"ICMS", true},
                            {"ICMS calculado", true},
                            {"Isentas/não trib.", true},
                            {"Outras", true}});
    std::int64_t total = 0, base = 0, valorIcms = 0, isentas = 0, outrasIcms = 0;
    std::vector<Conferencia> erradosIcms;
    for (auto x : r50) {
        const Reg r(x);
        const auto& k = c.r50;
        const auto b = r.valor(k.base), a = r.valor(k.aliquota), i = r.valor(k.icms);
        total += r.valor(k.total);
        base += b;
        valorIcms += i;
        isentas += r.valor(k.isentas);
        outrasIcms += r.valor(k.outras);
        const bool ok = IcmsConfere(b, a, i);
        Linha(icms,
              {T(r(k.cfop)), Percentual(a), Dinheiro(r.valor(k.total)), Dinheiro(b), Dinheiro(i),
               Dinheiro(IcmsEsperado(b, a)), Dinheiro(r.valor(k.isentas)),
               Dinheiro(r.valor(k.outras))},
              !ok);
        if (!ok)
            erradosIcms.push_back({QStringLiteral("ICMS do CFOP ") + T(r(k.cfop)) +
                                       QStringLiteral(" a ") + Percentual(a),
                                   DetalheIcms(b, a, i), false});
    }
    if (!icms.linhas.empty()) n.tabelas.push_back(icms);

    auto ipi = NovaTabela(QStringLiteral("IPI (registros 51)"), {{"CFOP", false},
                                                                 {"Valor total", true},
                                                                 {"Valor do IPI", true},
                                                                 {"Isentas/não trib.", true},
                                                                 {"Outras", true}});
    std::int64_t ipi51 = 0;
    for (auto x : r51) {
        const Reg r(x);
        const auto& k = c.r51;
        ipi51 += r.valor(k.ipi);
        Linha(ipi, {T(r(k.cfop)), Dinheiro(r.valor(k.total)), Dinheiro(r.valor(k.ipi)),
                    Dinheiro(r.valor(k.isentas)), Dinheiro(r.valor(k.outras))});
    }
    if (!ipi.linhas.empty()) n.tabelas.push_back(ipi);

    auto st = NovaTabela(QStringLiteral("Substituição tributária (registros 53)"),
                         {{"CFOP", false},
                          {"Base ICMS ST", true},
                          {"ICMS retido", true},
                          {"Despesas acessórias", true}});
    std::int64_t retido = 0;
    for (auto x : r53) {
        const Reg r(x);
        const auto& k = c.r53;
        retido += r.valor(k.retido);
        Linha(st, {T(r(k.cfop)), Dinheiro(r.valor(k.baseSt)), Dinheiro(r.valor(k.retido)),
                   Dinheiro(r.valor(k.despesas))});
    }
    if (!st.linhas.empty()) n.tabelas.push_back(st);

    n.totais = {{QStringLiteral("Valor dos produtos"), Dinheiro(produtos)},
                {QStringLiteral("Descontos"), Dinheiro(descontos)},
                {QStringLiteral("Frete"), Dinheiro(frete)},
                {QStringLiteral("Seguro"), Dinheiro(seguro)},
                {QStringLiteral("Outras despesas"), Dinheiro(outras)},
                {QStringLiteral("IPI dos itens"), Dinheiro(ipiItens)},
                {QStringLiteral("Base de cálculo do ICMS"), Dinheiro(base)},
                {QStringLiteral("Valor do ICMS"), Dinheiro(valorIcms)},
                {QStringLiteral("Isentas ou não tributadas"), Dinheiro(isentas)},
                {QStringLiteral("Outras"), Dinheiro(outrasIcms)}};
    if (!r53.empty())
        n.totais.push_back({QStringLiteral("ICMS retido (substituição)"), Dinheiro(retido)});
    if (!r51.empty()) n.totais.push_back({QStringLiteral("IPI (registro 51)"), Dinheiro(ipi51)});
    n.totais.push_back({QStringLiteral("Valor total da nota"),
                        r50.empty() ? QStringLiteral("desconhecido") : Dinheiro(total)});

    // Conferência.
    if (r50.empty()) {
        n.conferencias.push_back(
            {QStringLiteral("Registro 50"),
             QStringLiteral(
                 "Não há registro 50 para estes registros: o total da nota não é conhecido."),
             false});
    } else if (r54.empty()) {
        n.conferencias.push_back(
            {QStringLiteral("Itens × valor total"),
             QStringLiteral("A nota não tem registros 54: a soma dos itens não é conferida."),
             true});
    } else {
        const bool ok = TotalConfere(somaItens, total, retido, ipi51);
        QString detalhe = QStringLiteral("Produtos ") + Dinheiro(produtos) +
                          QStringLiteral(" − descontos ") + Dinheiro(descontos) +
                          QStringLiteral(" + despesas ") + Dinheiro(frete + seguro + outras) +
                          QStringLiteral(" + IPI ") + Dinheiro(ipiItens) + QStringLiteral(" = ") +
                          Dinheiro(somaItens) + QStringLiteral("; valor total da nota ") +
                          Dinheiro(total) + QLatin1Char('.');
        if (ok && somaItens != total) {
            if (somaItens + retido == total)
                detalhe += QStringLiteral(" O total inclui o ICMS retido (") + Dinheiro(retido) +
                           QStringLiteral(").");
            else if (somaItens + ipi51 == total)
                detalhe += QStringLiteral(" O total inclui o IPI do registro 51 (") +
                           Dinheiro(ipi51) + QStringLiteral(").");
            else
                detalhe += QStringLiteral(" O total inclui o ICMS retido e o IPI do registro 51.");
        }
        if (!ok)
            detalhe +=
                QStringLiteral(" Diferença de ") + Dinheiro(total - somaItens) + QLatin1Char('.');
        n.conferencias.push_back({QStringLiteral("Itens × valor total"), detalhe, ok});
    }
    if (!r50.empty()) {
        if (erradosIcms.empty())
            n.conferencias.push_back({QStringLiteral("ICMS × base × alíquota"),
                                      QStringLiteral("Confere em ") + QString::number(r50.size()) +
                                          (r50.size() == 1 ? QStringLiteral(" registro 50.")
                                                           : QStringLiteral(" registros 50.")),
                                      true});
        for (auto& e : erradosIcms)
            n.conferencias.push_back(e);
    }
}

void MontaTransporte(const IndiceNotas& ix, const Documento& d, const Registros& regs,
                     DocumentoNota& n) {
    const auto& c = Campos().r70;
    const auto& c71 = Campos().r71;
    const auto r70 = regs.de("70"), r71 = regs.de("71");
    const Reg p(ix.registroEm(d.deslocamento));
    if (!r70.empty()) {
        n.titulo = U(sig::modelo(p(c.modelo))) + QStringLiteral(" nº ") + T(p(c.numero)) +
                   QStringLiteral(", série ") + T(p(c.serie));
        n.dados.push_back({QStringLiteral("Modelo"), Modelo(p(c.modelo))});
        n.dados.push_back({QStringLiteral("Série"), T(p(c.serie))});
        n.dados.push_back({QStringLiteral("Subsérie"), T(p(c.subserie))});
        n.dados.push_back({QStringLiteral("Número"), T(p(c.numero))});
        n.dados.push_back(
            {QStringLiteral("Data de emissão ou utilização"), FormataData(p(c.data))});
        const bool prestacao = Saida(p(c.cfop));
        n.dados.push_back(
            {QStringLiteral("Operação"), prestacao ? QStringLiteral("Prestação de serviço")
                                                   : QStringLiteral("Aquisição de serviço")});
        const auto frete = p(c.frete);
        n.dados.push_back(
            {QStringLiteral("Modalidade do frete"), ComSignificado(frete, frete == "1"   ? "CIF"
                                                                          : frete == "2" ? "FOB"
                                                                          : frete == "0" ? "Outros"
                                                                                         : "")});
        n.dados.push_back({QStringLiteral("Situação"), Situacao(p(c.situacao))});
        CfopsDistintos(r70, c.cfop, n);
        auto informante = Informante(ix, prestacao ? QStringLiteral("Emitente")
                                                   : QStringLiteral("Tomador do serviço"));
        auto outro = Contraparte(prestacao ? QStringLiteral("Tomador do serviço")
                                           : QStringLiteral("Emitente"),
                                 p(c.cnpj), p(c.ie), p(c.uf));
        n.participantes = prestacao ? std::vector<Participante>{informante, outro}
                                    : std::vector<Participante>{outro, informante};
    } else {
        n.titulo = QStringLiteral("Registros 71 sem o conhecimento (registro 70)");
        n.participantes.push_back(
            Contraparte(QStringLiteral("Tomador do serviço"), p(c71.cnpj), p(c71.ie), p(c71.uf)));
    }
    auto valores =
        NovaTabela(QStringLiteral("Valores por CFOP (registros 70)"), {{"CFOP", false},
                                                                       {"Valor total", true},
                                                                       {"Base de cálculo", true},
                                                                       {"ICMS", true},
                                                                       {"Isentas/não trib.", true},
                                                                       {"Outras", true}});
    std::int64_t total = 0, base = 0, icms = 0, isentas = 0, outras = 0;
    for (auto x : r70) {
        const Reg r(x);
        total += r.valor(c.total);
        base += r.valor(c.base);
        icms += r.valor(c.icms);
        isentas += r.valor(c.isentas);
        outras += r.valor(c.outras);
        Linha(valores, {T(r(c.cfop)), Dinheiro(r.valor(c.total)), Dinheiro(r.valor(c.base)),
                        Dinheiro(r.valor(c.icms)), Dinheiro(r.valor(c.isentas)),
                        Dinheiro(r.valor(c.outras))});
    }
    if (!valores.linhas.empty()) n.tabelas.push_back(valores);
    auto notas = NovaTabela(QStringLiteral("Notas fiscais transportadas (registros 71)"),
                            {{"Data", false},
                             {"Modelo", false},
                             {"Série", false},
                             {"Número", false},
                             {"UF", false},
                             {"CNPJ/CPF", false},
                             {"Inscrição estadual", false},
                             {"Valor", true}});
    std::int64_t transportadas = 0;
    for (auto x : r71) {
        const Reg r(x);
        transportadas += r.valor(c71.valorNf);
        Linha(notas, {FormataData(r(c71.dataNf)), T(r(c71.modeloNf)), T(r(c71.serieNf)),
                      T(r(c71.numeroNf)), T(r(c71.ufNf)), CnpjOuNada(r(c71.cnpjNf)), T(r(c71.ieNf)),
                      Dinheiro(r.valor(c71.valorNf))});
    }
    if (!notas.linhas.empty()) n.tabelas.push_back(notas);
    n.totais = {{QStringLiteral("Valor total do documento"),
                 r70.empty() ? QStringLiteral("desconhecido") : Dinheiro(total)},
                {QStringLiteral("Base de cálculo do ICMS"), Dinheiro(base)},
                {QStringLiteral("Valor do ICMS"), Dinheiro(icms)},
                {QStringLiteral("Isentas ou não tributadas"), Dinheiro(isentas)},
                {QStringLiteral("Outras"), Dinheiro(outras)}};
    if (!r71.empty())
        n.totais.push_back(
            {QStringLiteral("Valor das notas transportadas"), Dinheiro(transportadas)});
    if (r70.empty())
        n.conferencias.push_back(
            {QStringLiteral("Registro 70"),
             QStringLiteral("Não há registro 70 para estas notas transportadas."), false});
}

void MontaCupom(const IndiceNotas& ix, const Documento& d, const Registros& regs,
                DocumentoNota& n) {
    const auto& c = Campos();
    const auto rM = regs.de("60M"), rA = regs.de("60A"), rD = regs.de("60D"), rI = regs.de("60I");
    const Reg p(ix.registroEm(d.deslocamento));
    n.titulo = QStringLiteral("Cupom fiscal: equipamento ") + T(p(c.r60M.serieFab)) +
               QStringLiteral(" em ") + FormataData(p(c.r60M.data));
    n.dados.push_back({QStringLiteral("Data de emissão"), FormataData(p(c.r60M.data))});
    n.dados.push_back({QStringLiteral("Nº de série de fabricação"), T(p(c.r60M.serieFab))});
    std::int64_t bruta = 0;
    if (!rM.empty()) {
        const auto& k = c.r60M;
        n.dados.push_back({QStringLiteral("Nº de ordem do equipamento"), T(p(k.ordem))});
        n.dados.push_back({QStringLiteral("Modelo"), Modelo(p(k.modelo))});
        n.dados.push_back({QStringLiteral("COO no início do dia"), T(p(k.cooInicial))});
        n.dados.push_back({QStringLiteral("COO no final do dia"), T(p(k.cooFinal))});
        n.dados.push_back({QStringLiteral("Contador de redução Z"), T(p(k.crz))});
        n.dados.push_back({QStringLiteral("Contador de reinício"), T(p(k.cro))});
        n.dados.push_back({QStringLiteral("Totalizador geral"), Dinheiro(p.valor(k.gt))});
        bruta = p.valor(k.vendaBruta);
    } else {
        n.titulo = QStringLiteral("Registros de cupom fiscal sem o registro 60M");
    }
    n.participantes.push_back(Informante(ix, QStringLiteral("Emitente")));

    auto analitico = NovaTabela(QStringLiteral("Totalizadores parciais (registros 60A)"),
                                {{"Situação tributária", false},
                                 {"Descrição", false},
                                 {"Valor acumulado", true},
                                 {"ICMS calculado", true}});
    std::int64_t somaA = 0, canc = 0, desc = 0, icmsCalculado = 0;
    for (auto x : rA) {
        const Reg r(x);
        const auto& k = c.r60A;
        const auto v = r.valor(k.valor);
        const auto s = r(k.situacao);
        somaA += v;
        if (tx::semBrancos(s) == "CANC") canc += v;
        if (tx::semBrancos(s) == "DESC") desc += v;
        QString calculado;
        if (tx::soDigitos(s)) {
            icmsCalculado += IcmsEsperado(v, tx::numero(s));
            calculado = Dinheiro(IcmsEsperado(v, tx::numero(s)));
        }
        Linha(analitico,
              {T(s), QString::fromStdString(sig::situacaoTributaria(s)), Dinheiro(v), calculado});
    }
    if (!analitico.linhas.empty()) n.tabelas.push_back(analitico);

    std::vector<Conferencia> erradas;
    auto item = [&](const Reg& r, const Pos& sit, const Pos& base, const Pos& icms,
                    const QString& onde) {
        const bool ok = IcmsDoCupomConfere(r.p());
        if (!ok)
            erradas.push_back({QStringLiteral("ICMS de ") + onde,
                               DetalheIcms(r.valor(base), r.valor(sit), r.valor(icms)), false});
        return ok;
    };
    auto diario = NovaTabela(QStringLiteral("Resumo diário por produto (registros 60D)"),
                             {{"Código", false},
                              {"Descrição", false},
                              {"Quantidade", true},
                              {"Valor", true},
                              {"Base ICMS", true},
                              {"Situação", false},
                              {"ICMS", true}});
    for (auto x : rD) {
        const Reg r(x);
        const auto& k = c.r60D;
        const bool ok =
            item(r, k.situacao, k.base, k.icms, QStringLiteral("produto ") + T(r(k.produto)));
        Linha(diario,
              {T(r(k.produto)), ProdutoDe(ix, r(k.produto)).descricao,
               FormataDecimal(r.valor(k.quantidade), 3), Dinheiro(r.valor(k.valor)),
               Dinheiro(r.valor(k.base)), T(r(k.situacao)), Dinheiro(r.valor(k.icms))},
              !ok);
    }
    if (!diario.linhas.empty()) n.tabelas.push_back(diario);
    auto itens =
        NovaTabela(QStringLiteral("Itens dos cupons (registros 60I)"), {{"Cupom", false},
                                                                        {"Item", true},
                                                                        {"Código", false},
                                                                        {"Descrição", false},
                                                                        {"Quantidade", true},
                                                                        {"Valor", true},
                                                                        {"Base ICMS", true},
                                                                        {"Situação", false},
                                                                        {"ICMS", true}});
    for (auto x : rI) {
        const Reg r(x);
        const auto& k = c.r60I;
        const bool ok =
            item(r, k.situacao, k.base, k.icms,
                 QStringLiteral("cupom ") + T(r(k.coo)) + QStringLiteral(", item ") + T(r(k.item)));
        Linha(itens,
              {T(r(k.coo)), T(r(k.item)), T(r(k.produto)), ProdutoDe(ix, r(k.produto)).descricao,
               FormataDecimal(r.valor(k.quantidade), 3), Dinheiro(r.valor(k.valor)),
               Dinheiro(r.valor(k.base)), T(r(k.situacao)), Dinheiro(r.valor(k.icms))},
              !ok);
    }
    if (!itens.linhas.empty()) n.tabelas.push_back(itens);

    n.totais = {{QStringLiteral("Venda bruta"),
                 rM.empty() ? QStringLiteral("desconhecida") : Dinheiro(bruta)},
                {QStringLiteral("Cancelamentos"), Dinheiro(canc)},
                {QStringLiteral("Descontos"), Dinheiro(desc)},
                {QStringLiteral("Venda líquida"),
                 rM.empty() ? QStringLiteral("desconhecida") : Dinheiro(bruta - canc - desc)},
                {QStringLiteral("Soma dos totalizadores parciais"), Dinheiro(somaA)},
                {QStringLiteral("ICMS calculado"), Dinheiro(icmsCalculado)}};
    if (rM.empty()) {
        n.conferencias.push_back(
            {QStringLiteral("Registro 60M"),
             QStringLiteral("Não há registro 60M deste equipamento neste dia."), false});
    } else if (!rA.empty()) {
        const bool ok = somaA == bruta;
        n.conferencias.push_back({QStringLiteral("Totalizadores parciais × venda bruta"),
                                  QStringLiteral("Soma dos registros 60A ") + Dinheiro(somaA) +
                                      QStringLiteral("; venda bruta ") + Dinheiro(bruta) +
                                      QLatin1Char('.') +
                                      (ok ? QString()
                                          : QStringLiteral(" Diferença de ") +
                                                Dinheiro(bruta - somaA) + QLatin1Char('.')),
                                  ok});
    }
    for (auto& e : erradas)
        n.conferencias.push_back(e);
}

} // namespace

bool DocumentoNota::confere() const {
    return std::all_of(conferencias.begin(), conferencias.end(),
                       [](const Conferencia& c) { return c.confere; });
}

DocumentoNota MontaDocumento(const IndiceNotas& ix, std::uint32_t doc) {
    DocumentoNota n;
    const Documento& d = ix.documentos()[doc];
    Registros regs;
    ix.paraCadaRegistro(doc, [&](std::string_view r, std::uint64_t desl) {
        regs.todos.push_back(r);
        regs.deslocamentos.push_back(desl);
        n.registros.push_back({desl, -1, TextoDoArquivo(r.substr(0, 4096))});
    });
    switch (d.tipo) {
    case TipoDocumento::NotaFiscal:
        MontaNotaFiscal(ix, d, regs, n);
        break;
    case TipoDocumento::Transporte:
        MontaTransporte(ix, d, regs, n);
        break;
    case TipoDocumento::Cupom:
        MontaCupom(ix, d, regs, n);
        break;
    }
    return n;
}

} // namespace tramil
