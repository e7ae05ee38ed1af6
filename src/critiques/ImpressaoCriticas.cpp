#include "critiques/ImpressaoCriticas.h"

#include "common/Numeros.h"
#include "common/Windows1252.h"
#include "critiques/PercursoRelatorio.h"
#include "printing/CabecalhoRelatorio.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieImpressao.h"

#include <algorithm>

namespace korventa {

namespace {

FonteImpressao Arial(double pontos, bool negrito) {
    FonteImpressao f;
    f.pontos = pontos;
    f.negrito = negrito;
    return f;
}

QString Texto(std::string_view bytes) {
    return DeWindows1252(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

class DesenhoCriticas {
public:
    DesenhoCriticas(SuperficieImpressao& s, const PedidoCriticas& p,
                    const AcompanhamentoCriticas& a)
        : s_(s), p_(p), a_(a) {
        s_.defineFonte(Arial(9, false));
        w_ = s_.larguraImprimivel();
        colunas_ = CalculaColunasCriticas(w_, s_.larguraTexto(QStringLiteral("Advertência")));
        fimUtil_ = FimUtilCriticas(s_.alturaImprimivel());
        linhas_ = LinhasPorPaginaCriticas(s_.alturaImprimivel());
        linhaNaPagina_ = linhas_; // a primeira crítica abre a primeira página
        cabecalho_.titulo = TituloCriticas(p_.tipo);
        cabecalho_.dataHora = DataHoraRelatorio(p_.agora);
        cabecalho_.arquivo = QStringLiteral("Arquivo: ") + p_.arquivo;
        cabecalho_.contribuinte = p_.contribuinte;
        cabecalho_.periodo = p_.periodo;
    }

    ResultadoCriticas desenha() {
        for (const QString& relatorio : p_.relatorios) {
            if (!percurso_.abre(relatorio))
                return {FimCriticas::Falhou, percurso_.mensagem(), desenhadas_};
            std::string_view registro;
            for (;;) {
                const PercursoRelatorio::Passo passo = percurso_.proximo(registro);
                if (passo == PercursoRelatorio::Passo::Fim) break;
                if (passo == PercursoRelatorio::Passo::Falha) {
                    percurso_.fecha();
                    return {FimCriticas::Falhou,
                            QStringLiteral("Erro lendo do arquivo ") + relatorio, desenhadas_};
                }
                const CamposCritica campos = RecortaCritica(registro);
                TipoCritica tipo;
                if (!TipoDaCritica(campos.tipo, tipo) || !PassaNoFiltro(p_.tipo, tipo)) continue;
                if (linhaNaPagina_ == linhas_) {
                    ++pagina_;
                    linhaNaPagina_ = 0;
                    // A página depois da última pedida nunca começa.
                    if (pagina_ > p_.paginaFinal) {
                        percurso_.fecha();
                        return termina();
                    }
                    if (pagina_ >= p_.paginaInicial && !comecaPagina()) {
                        percurso_.fecha();
                        return {FimCriticas::NaoCoube, QString(), desenhadas_};
                    }
                }
                // Páginas antes do intervalo só contam as críticas.
                if (pagina_ < p_.paginaInicial) {
                    ++linhaNaPagina_;
                    continue;
                }
                imprimeLinha(campos, tipo);
                if (a_.cancelou && a_.cancelou()) {
                    percurso_.fecha();
                    return {FimCriticas::Cancelado, QString(), desenhadas_};
                }
            }
            percurso_.fecha();
        }
        return termina();
    }

private:
    // Emenda a última página e confere que nenhuma passou da folha.
    ResultadoCriticas termina() {
        if (desenhadas_ == 0) return {FimCriticas::NadaImpresso, QString(), 0};
        s_.linha(MargemTwips, fimUtil_, w_ - MargemTwips, fimUtil_);
        if (s_.pagina() != desenhadas_) return {FimCriticas::NaoCoube, QString(), desenhadas_};
        return {FimCriticas::Impresso, QString(), desenhadas_};
    }

    bool comecaPagina() {
        if (desenhadas_ > 0) {
            s_.linha(MargemTwips, fimUtil_, w_ - MargemTwips, fimUtil_);
            s_.novaPagina();
        }
        ++desenhadas_;
        // Página que passou do fim da folha já abriu outra sozinha.
        if (s_.pagina() != pagina_ - p_.paginaInicial + 1) return false;
        anterior_.clear();
        if (a_.pagina) a_.pagina(pagina_);

        s_.defineFonte(Arial(10, true));
        cabecalho_.contador = QStringLiteral("Página: ") + QString::number(pagina_) +
                              QStringLiteral(" de ") + QString::number(p_.ultimaPagina);
        ImprimeCabecalho(s_, CabecalhoCriticas, cabecalho_);

        s_.defineFonte(Arial(9, true));
        const auto cabeca = [&](const QString& texto, int x) {
            DefineLinha(s_, 26);
            ImprimeEm(s_, texto, x);
        };
        cabeca(QStringLiteral("Reg. No"), colunas_.linha);
        cabeca(QStringLiteral("Tipo"), colunas_.tipo);
        cabeca(colunas_.cabecaDocumento, colunas_.documento);
        cabeca(QStringLiteral("Campo"), colunas_.campo);
        DefineLinha(s_, 26);
        ImprimeAlinhadoDireita(s_, QStringLiteral("Conteúdo Lido"), colunas_.fimConteudo);
        cabeca(QStringLiteral("Mensagem"), colunas_.mensagem);
        DefineLinha(s_, 26);
        ImprimeMargemDireita(s_, QStringLiteral("Advertência/Rejeição"));
        const int regua = PosicaoPapel(32);
        s_.linha(MargemTwips, regua, w_ - MargemTwips, regua);
        s_.defineFonte(Arial(9, false));
        return true;
    }

    void imprimeLinha(const CamposCritica& c, TipoCritica tipo) {
        const double y = 33 + 6 * linhaNaPagina_;
        ++linhaNaPagina_;
        const auto em = [&](const QString& texto, int x) {
            DefineLinha(s_, y);
            ImprimeEm(s_, texto, x);
        };
        // Linha, tipo e documento-item só quando algum deles muda dentro da página.
        const QString identificacao[3] = {Texto(c.linha), Texto(c.registro),
                                          Texto(c.documentoItem)};
        const QString chave =
            identificacao[0] + QChar(0) + identificacao[1] + QChar(0) + identificacao[2];
        if (chave != anterior_) {
            em(identificacao[0], colunas_.linha);
            em(identificacao[1], colunas_.tipo);
            em(identificacao[2], colunas_.documento);
            anterior_ = chave;
        }
        // Textos longos diminuem a fonte (ou são cortados) em vez de cobrir a coluna seguinte.
        const QString campo = Texto(c.campo);
        const QString conteudo = Texto(c.conteudo);
        const int espaco = colunas_.fimConteudo - colunas_.campo;
        const int folga = Twips(2);
        const int larguraCampo = s_.larguraTexto(campo);
        const int larguraConteudo = s_.larguraTexto(conteudo);
        int limiteCampo = espaco - larguraConteudo - folga;
        int limiteConteudo = espaco;
        if (larguraCampo + larguraConteudo + folga > espaco) {
            // Os dois disputam o espaço: cada um fica com ao menos a metade.
            limiteCampo = std::max(limiteCampo, (espaco - folga) / 2);
            limiteConteudo = espaco - folga - std::min(larguraCampo, limiteCampo);
        }
        DefineLinha(s_, y);
        ImprimeAjustado(s_, campo, colunas_.campo, limiteCampo);
        DefineLinha(s_, y);
        ImprimeAjustadoDireita(s_, conteudo, colunas_.fimConteudo, limiteConteudo);
        DefineLinha(s_, y);
        ImprimeAjustado(s_, Texto(c.mensagem), colunas_.mensagem,
                        colunas_.critica - colunas_.mensagem - folga);
        em(tipo == TipoCritica::Rejeicao ? QStringLiteral("Rejeição")
                                         : QStringLiteral("Advertência"),
           colunas_.critica);
    }

    SuperficieImpressao& s_;
    const PedidoCriticas& p_;
    const AcompanhamentoCriticas& a_;
    PercursoRelatorio percurso_;
    DadosCabecalho cabecalho_;
    ColunasCriticas colunas_;
    int w_ = 0;
    int fimUtil_ = 0;
    int linhas_ = 1;
    int pagina_ = 0; // página do relatório em que está a próxima crítica
    int linhaNaPagina_ = 0;
    int desenhadas_ = 0; // páginas desenhadas neste documento
    QString anterior_;   // linha, tipo e documento-item da linha anterior da página
};

} // namespace

ColunasCriticas CalculaColunasCriticas(int larguraImprimivel, int larguraAdvertencia) {
    ColunasCriticas c;
    c.linha = MargemTwips;
    c.tipo = c.linha + Twips(14);
    c.documento = c.tipo + Twips(7);
    c.campo = c.documento + Twips(35);
    c.fimConteudo = c.campo + Twips(71);
    c.mensagem = c.fimConteudo + Twips(2);
    const int k = c.mensagem + Twips(114);
    const int r = larguraImprimivel - (larguraAdvertencia + MargemTwips);
    if (k <= r) {
        // Sobra espalhada pelas colunas do meio.
        const int sobra = ArredondaPar((r - k) / 5.0);
        c.tipo += sobra;
        c.documento += 2 * sobra;
        c.campo += 3 * sobra;
        c.fimConteudo += 4 * sobra;
        c.mensagem += 4 * sobra;
        c.cabecaDocumento = QStringLiteral("Documento-Item");
    } else {
        const int falta = ArredondaPar((k - r) / 5.0);
        c.campo -= falta;
        c.fimConteudo -= 3 * falta;
        c.mensagem -= 3 * falta;
        c.cabecaDocumento = QStringLiteral("Doc-Item");
    }
    c.critica = r;
    return c;
}

int FimUtilCriticas(int alturaImprimivel) {
    return alturaImprimivel - Twips(1) - MargemTwips;
}

int LinhasPorPaginaCriticas(int alturaImprimivel) {
    const int linhas = (FimUtilCriticas(alturaImprimivel) - PosicaoPapel(33)) / Twips(6);
    return std::max(1, linhas);
}

int PaginasCriticas(std::int64_t quantidade, int linhasPorPagina) {
    if (quantidade <= 0 || linhasPorPagina <= 0) return 0;
    return static_cast<int>((quantidade + linhasPorPagina - 1) / linhasPorPagina);
}

QString TituloCriticas(FiltroCriticas tipo) {
    switch (tipo) {
    case FiltroCriticas::Erros:
        return QStringLiteral("Relatório de Críticas (somente erros)");
    case FiltroCriticas::Advertencias:
        return QStringLiteral("Relatório de Críticas (somente advertências)");
    case FiltroCriticas::Tudo:
        break;
    }
    return QStringLiteral("Relatório de Críticas");
}

QString MensagemSemCriticas(FiltroCriticas tipo) {
    switch (tipo) {
    case FiltroCriticas::Erros:
        return QStringLiteral("Nenhum erro para imprimir.");
    case FiltroCriticas::Advertencias:
        return QStringLiteral("Nenhuma advertência para imprimir.");
    case FiltroCriticas::Tudo:
        break;
    }
    return QStringLiteral("Nenhuma crítica para imprimir.");
}

ResultadoCriticas DesenhaCriticas(SuperficieImpressao& s, const PedidoCriticas& pedido,
                                  const AcompanhamentoCriticas& acompanhamento) {
    DesenhoCriticas desenho(s, pedido, acompanhamento);
    return desenho.desenha();
}

} // namespace korventa
