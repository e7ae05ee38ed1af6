#include "telas/ImpressaoNota.h"

#include "telas/Cores.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <numeric>

namespace tramil {

namespace {

// Desenha (ou só mede, na primeira passada) o documento página a página.
class Paginador {
public:
    Paginador(QPainter& p, QPrinter& impressora, bool desenha, int totalPaginas, QString rodape)
        : p_(p), impressora_(impressora), desenha_(desenha), total_(totalPaginas),
          rodape_(std::move(rodape)) {
        area_ = QRectF(QPointF(0, 0),
                       impressora.pageLayout().paintRectPixels(impressora.resolution()).size());
        mm_ = impressora.resolution() / 25.4;
        base_ = QFont(QStringLiteral("Liberation Sans"));
        base_.setPointSizeF(8.5);
        mono_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono_.setPointSizeF(6.5);
        y_ = area_.top();
        p_.setFont(base_);
    }

    int paginas() const { return pagina_; }
    double mm() const { return mm_; }
    const QRectF& area() const { return area_; }
    QFont fonte(double pontos, bool negrito = false) const {
        QFont f = base_;
        f.setPointSizeF(pontos);
        f.setBold(negrito);
        return f;
    }
    const QFont& mono() const { return mono_; }

    double alturaUtil() const { return area_.bottom() - 8 * mm_; }
    void garante(double altura) {
        if (y_ + altura > alturaUtil() && y_ > area_.top()) quebra();
    }
    void quebra() {
        rodape();
        if (desenha_) impressora_.newPage();
        ++pagina_;
        y_ = area_.top();
    }
    void termina() { rodape(); }

    // Texto com quebra de linha na largura dada; devolve a altura.
    double texto(const QString& t, const QRectF& caixa, const QFont& f,
                 int alinhamento = Qt::AlignLeft, const QColor& cor = Qt::black) {
        p_.setFont(f);
        const QRectF medida = p_.boundingRect(caixa, alinhamento | Qt::TextWordWrap, t);
        if (desenha_) {
            p_.setPen(cor);
            p_.drawText(QRectF(caixa.topLeft(), QSizeF(caixa.width(), medida.height())),
                        alinhamento | Qt::TextWordWrap, t);
        }
        return medida.height();
    }
    void linhaSimples(const QString& t, const QPointF& topo, const QFont& f) {
        if (!desenha_) return;
        p_.setFont(f);
        p_.setPen(Qt::black);
        p_.drawText(
            QRectF(topo, QSizeF(area_.right() - topo.x(), QFontMetricsF(f, p_.device()).height())),
            Qt::AlignLeft | Qt::TextSingleLine, t);
    }
    void linhaHorizontal(double y, double x0, double x1, const QColor& cor = Qt::gray) {
        if (!desenha_) return;
        p_.setPen(QPen(cor, 0.2 * mm_));
        p_.drawLine(QPointF(x0, y), QPointF(x1, y));
    }
    void fundo(const QRectF& r, const QColor& cor) {
        if (desenha_) p_.fillRect(r, cor);
    }
    void moldura(const QRectF& r) {
        if (!desenha_) return;
        p_.setPen(QPen(Qt::gray, 0.2 * mm_));
        p_.drawRect(r);
    }

    double y_ = 0;
    QPainter& p_;

private:
    void rodape() {
        const double y = area_.bottom() - 5 * mm_;
        linhaHorizontal(y, area_.left(), area_.right());
        const QFont f = fonte(7);
        texto(rodape_, QRectF(area_.left(), y + 0.8 * mm_, area_.width() * 0.75, 5 * mm_), f);
        texto(QStringLiteral("Página %1 de %2").arg(pagina_).arg(std::max(total_, pagina_)),
              QRectF(area_.left(), y + 0.8 * mm_, area_.width(), 5 * mm_), f, Qt::AlignRight);
    }

    QPrinter& impressora_;
    bool desenha_;
    int total_;
    QString rodape_;
    QRectF area_;
    double mm_ = 1;
    QFont base_, mono_;
    int pagina_ = 1;
};

void Titulo(Paginador& g, const QString& t, double pontos = 10) {
    const QRectF caixa(g.area().left(), g.y_, g.area().width(), 100 * g.mm());
    const QFont f = g.fonte(pontos, true);
    g.p_.setFont(f);
    const double h = g.p_.boundingRect(caixa, Qt::TextWordWrap, t).height();
    g.garante(h + 8 * g.mm()); // o título não fica sozinho no pé da página
    g.y_ += g.texto(t, QRectF(g.area().left(), g.y_, g.area().width(), h), f) + 1 * g.mm();
}

// Pares rótulo: valor em colunas, numa caixa.
void Pares(Paginador& g, const QString& titulo, const std::vector<Par>& pares, int colunas) {
    if (pares.empty()) return;
    Titulo(g, titulo, 9);
    const double largura = g.area().width() / colunas;
    const QFont rotulo = g.fonte(6.5), valor = g.fonte(8.5, true);
    const double inicio = g.y_;
    for (std::size_t i = 0; i < pares.size(); i += static_cast<std::size_t>(colunas)) {
        double altura = 0;
        // Mede a linha inteira antes, para não partir um par entre páginas.
        for (int c = 0; c < colunas && i + static_cast<std::size_t>(c) < pares.size(); ++c) {
            g.p_.setFont(valor);
            const QRectF caixa(0, 0, largura - 2 * g.mm(), 100 * g.mm());
            altura =
                std::max(altura, g.p_.boundingRect(caixa, Qt::TextWordWrap,
                                                   pares[i + static_cast<std::size_t>(c)].second)
                                     .height());
        }
        g.garante(altura + 4 * g.mm());
        for (int c = 0; c < colunas && i + static_cast<std::size_t>(c) < pares.size(); ++c) {
            const auto& par = pares[i + static_cast<std::size_t>(c)];
            const double x = g.area().left() + c * largura + 1 * g.mm();
            const double h = g.texto(par.first, QRectF(x, g.y_, largura - 2 * g.mm(), 4 * g.mm()),
                                     rotulo, Qt::AlignLeft, Qt::darkGray);
            g.texto(par.second, QRectF(x, g.y_ + h, largura - 2 * g.mm(), altura), valor);
        }
        g.y_ += altura + 3.5 * g.mm();
    }
    if (g.y_ > inicio) g.linhaHorizontal(g.y_, g.area().left(), g.area().right());
    g.y_ += 2 * g.mm();
}

void TabelaNoPapel(Paginador& g, const Tabela& t) {
    if (t.linhas.empty()) return;
    Titulo(g, t.titulo, 9);
    const auto n = static_cast<std::size_t>(t.colunas.size());
    // Largura natural de cada coluna; se não couber, a letra diminui até 5 pontos e o resto
    // é cortado com reticências.
    double pontos = 7;
    std::vector<double> larguras(n);
    for (; pontos >= 5; pontos -= 0.5) {
        const QFontMetricsF m(g.fonte(pontos), g.p_.device());
        const QFontMetricsF mc(g.fonte(pontos, true), g.p_.device());
        for (std::size_t c = 0; c < n; ++c) {
            double w = mc.horizontalAdvance(t.colunas[static_cast<qsizetype>(c)]);
            for (const auto& l : t.linhas)
                w = std::max(w, m.horizontalAdvance(l.value(static_cast<qsizetype>(c))));
            larguras[c] = w + 2 * g.mm();
        }
        if (std::accumulate(larguras.begin(), larguras.end(), 0.0) <= g.area().width()) break;
    }
    const double soma = std::accumulate(larguras.begin(), larguras.end(), 0.0);
    const double escala = g.area().width() / soma;
    for (auto& w : larguras)
        w *= escala; // ocupa a largura toda (ou encolhe o que não coube)
    const QFont fonte = g.fonte(std::max(pontos, 5.0)),
                negrito = g.fonte(std::max(pontos, 5.0), true);
    const double altura = QFontMetricsF(fonte, g.p_.device()).height() + 1 * g.mm();
    const auto linha = [&](const QStringList& celulas, const QFont& f, const QColor& cor,
                           bool cabecalho) {
        double x = g.area().left();
        if (cabecalho) g.fundo(QRectF(x, g.y_, g.area().width(), altura), QColor(225, 225, 225));
        for (std::size_t c = 0; c < n; ++c) {
            const QString s = QFontMetricsF(f, g.p_.device())
                                  .elidedText(celulas.value(static_cast<qsizetype>(c)),
                                              Qt::ElideRight, larguras[c] - 1.5 * g.mm());
            g.texto(
                s,
                QRectF(x + 0.75 * g.mm(), g.y_ + 0.5 * g.mm(), larguras[c] - 1.5 * g.mm(), altura),
                f, t.numerica[c] ? Qt::AlignRight : Qt::AlignLeft, cor);
            x += larguras[c];
        }
        g.y_ += altura;
    };
    g.garante(2 * altura);
    linha(t.colunas, negrito, Qt::black, true);
    for (std::size_t r = 0; r < t.linhas.size(); ++r) {
        if (g.y_ + altura > g.alturaUtil()) {
            g.quebra();
            linha(t.colunas, negrito, Qt::black, true); // cabeçalho de novo na página nova
        }
        const bool marcada = t.marcada[r];
        linha(t.linhas[r], marcada ? negrito : fonte, marcada ? CorNaoConfere() : QColor(Qt::black),
              false);
        g.linhaHorizontal(g.y_, g.area().left(), g.area().right(), QColor(210, 210, 210));
    }
    g.y_ += 3 * g.mm();
}

void Desenha(Paginador& g, const DocumentoNota& n) {
    Titulo(g, n.titulo, 13);
    const bool ok = n.confere();
    g.y_ += g.texto(ok ? QStringLiteral("As somas conferem.")
                       : QStringLiteral("Há somas que não conferem: veja a conferência no fim."),
                    QRectF(g.area().left(), g.y_, g.area().width(), 6 * g.mm()), g.fonte(9, true),
                    Qt::AlignLeft, ok ? CorConfere() : CorNaoConfere()) +
            2 * g.mm();
    Pares(g, QStringLiteral("Dados do documento"), n.dados, 3);
    // Emitente e destinatário lado a lado.
    if (!n.participantes.empty()) {
        const int k = static_cast<int>(n.participantes.size());
        const double largura = g.area().width() / k;
        double altura = 0;
        const QFont rotulo = g.fonte(6.5), valor = g.fonte(8.5, true), titulo = g.fonte(9, true);
        for (const auto& p : n.participantes) {
            double h = 6 * g.mm();
            for (const auto& par : p.dados) {
                g.p_.setFont(valor);
                h += g.p_.boundingRect(QRectF(0, 0, largura - 4 * g.mm(), 100 * g.mm()),
                                       Qt::TextWordWrap, par.second)
                         .height() +
                     3.5 * g.mm();
            }
            altura = std::max(altura, h);
        }
        g.garante(altura + 2 * g.mm());
        for (int i = 0; i < k; ++i) {
            const auto& p = n.participantes[static_cast<std::size_t>(i)];
            const double x = g.area().left() + i * largura;
            g.moldura(QRectF(x + 0.5 * g.mm(), g.y_, largura - 1 * g.mm(), altura));
            double y = g.y_ + 1 * g.mm();
            y += g.texto(p.papel, QRectF(x + 2 * g.mm(), y, largura - 4 * g.mm(), 6 * g.mm()),
                         titulo) +
                 1 * g.mm();
            for (const auto& par : p.dados) {
                y += g.texto(par.first, QRectF(x + 2 * g.mm(), y, largura - 4 * g.mm(), 4 * g.mm()),
                             rotulo, Qt::AlignLeft, Qt::darkGray);
                y += g.texto(par.second,
                             QRectF(x + 2 * g.mm(), y, largura - 4 * g.mm(), 50 * g.mm()), valor) +
                     1 * g.mm();
            }
        }
        g.y_ += altura + 4 * g.mm();
    }
    for (const auto& t : n.tabelas)
        TabelaNoPapel(g, t);
    Pares(g, QStringLiteral("Totais"), n.totais, 3);
    Titulo(g, QStringLiteral("Conferência das somas"), 9);
    if (n.conferencias.empty())
        g.y_ +=
            g.texto(QStringLiteral("Não há somas a conferir neste documento."),
                    QRectF(g.area().left(), g.y_, g.area().width(), 10 * g.mm()), g.fonte(8.5)) +
            1 * g.mm();
    for (const auto& c : n.conferencias) {
        const QString t =
            (c.confere ? QStringLiteral("Confere - ") : QStringLiteral("NÃO CONFERE - ")) +
            c.descricao + QStringLiteral(": ") + c.detalhe;
        g.p_.setFont(g.fonte(8.5, !c.confere));
        const double h =
            g.p_.boundingRect(QRectF(0, 0, g.area().width(), 100 * g.mm()), Qt::TextWordWrap, t)
                .height();
        g.garante(h + 1 * g.mm());
        g.y_ +=
            g.texto(t, QRectF(g.area().left(), g.y_, g.area().width(), h), g.fonte(8.5, !c.confere),
                    Qt::AlignLeft, c.confere ? CorConfere() : CorNaoConfere()) +
            1 * g.mm();
    }
    g.y_ += 3 * g.mm();
    Titulo(g, QStringLiteral("Registros do arquivo"), 9);
    // Um registro por linha, sem quebra: a letra diminui até a linha mais longa caber.
    QStringList linhas;
    for (const auto& r : n.registros)
        linhas << (r.linha > 0 ? QStringLiteral("%1  ").arg(r.linha, 9) : QString()) + r.texto;
    QFont mono = g.mono();
    for (const QString& l : linhas)
        while (mono.pointSizeF() > 4 &&
               QFontMetricsF(mono, g.p_.device()).horizontalAdvance(l) > g.area().width())
            mono.setPointSizeF(mono.pointSizeF() - 0.25);
    const double h = QFontMetricsF(mono, g.p_.device()).height();
    for (const QString& l : linhas) {
        g.garante(h);
        g.linhaSimples(l, QPointF(g.area().left(), g.y_), mono);
        g.y_ += h;
    }
    g.termina();
}

} // namespace

int ImprimeNota(QPrinter& impressora, const DocumentoNota& n, const QString& origem) {
    const QString rodape =
        QStringLiteral("Consulta Nota Fiscal - ") + origem + QStringLiteral(" - impresso em ") +
        QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    QPainter p;
    if (!p.begin(&impressora)) return 0;
    // Primeiro só mede, para o rodapé saber o total de páginas.
    int total = 0;
    {
        Paginador medida(p, impressora, false, 0, rodape);
        Desenha(medida, n);
        total = medida.paginas();
    }
    Paginador g(p, impressora, true, total, rodape);
    Desenha(g, n);
    p.end();
    return g.paginas();
}

} // namespace tramil
