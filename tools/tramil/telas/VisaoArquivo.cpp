#include "telas/VisaoArquivo.h"

#include "nucleo/Classes.h"
#include "nucleo/Formato.h"
#include "telas/Cores.h"
#include "telas/Regua.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tramil {

namespace {
constexpr int Recuo = 4; // entre a margem dos números e o texto
constexpr int ColunasRegistro = 126;
constexpr int MaiorColunaConhecida = 1 << 20; // uma linha enorme não estica a barra sem fim
} // namespace

VisaoArquivo::VisaoArquivo(QWidget* pai) : QAbstractScrollArea(pai), regua_(new Regua(this)) {
    setObjectName(QStringLiteral("VisaoArquivo"));
    setAccessibleName(QStringLiteral("Conteúdo do arquivo"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    acertaMedidas();
}

VisaoArquivo::~VisaoArquivo() = default;

void VisaoArquivo::acertaMedidas() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(std::max(f.pointSize(), 10));
    viewport()->setFont(f);
    regua_->setFont(f);
    const QFontMetrics m(f);
    larguraCaractere_ = std::max(1, m.horizontalAdvance(QLatin1Char('0')));
    alturaLinha_ = m.height() + 2;
    ascendente_ = m.ascent() + 1;
    setViewportMargins(0, regua_->alturaDesejada(), 0, 0);
    acertaBarras();
}

void VisaoArquivo::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) acertaMedidas();
}

void VisaoArquivo::defineFonte(const FonteLinhas* fonte) {
    fonte_ = fonte;
    linhaCursor_ = 0;
    colunaCursor_ = 0;
    linhaDescrita_ = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    acertaBarras();
    atualizaRegistro();
    viewport()->update();
    if (linhaDescrita_ >= 0) emit cursorMudou(linhaRealCursor(), colunaCursor_);
}

void VisaoArquivo::defineBusca(std::shared_ptr<const Buscador> busca) {
    busca_ = std::move(busca);
    viewport()->update();
}

int VisaoArquivo::linhasVisiveis() const {
    return std::max(1, viewport()->height() / alturaLinha_);
}

int VisaoArquivo::larguraMargem() const {
    return digitos_ * larguraCaractere_ + 2 * Recuo;
}

int VisaoArquivo::xDaColuna(int coluna) const {
    return larguraMargem() + Recuo + (coluna - horizontalScrollBar()->value()) * larguraCaractere_;
}

void VisaoArquivo::atualizaQuantidade() {
    acertaBarras();
    // A primeira linha chegou agora (índice ou filtro ainda trabalhando): o painel a descreve.
    if (linhaDescrita_ < 0 && fonte_ && fonte_->quantidade() > 0) {
        atualizaRegistro();
        emit cursorMudou(linhaRealCursor(), colunaCursor_);
    }
    viewport()->update();
}

void VisaoArquivo::acertaBarras() {
    const std::int64_t n = fonte_ ? fonte_->quantidade() : 0;
    // Os números de linha cabem na margem.
    int d = 4;
    for (std::int64_t v = n; v >= 10000; v /= 10)
        ++d;
    if (d != digitos_) {
        digitos_ = d;
        regua_->update();
    }
    const int visiveis = linhasVisiveis();
    auto* v = verticalScrollBar();
    v->setRange(0, static_cast<int>(std::clamp<std::int64_t>(n - visiveis, 0, INT32_MAX)));
    v->setPageStep(visiveis);
    v->setSingleStep(1);
    const int colunas =
        std::max(1, (viewport()->width() - larguraMargem() - Recuo) / larguraCaractere_);
    auto* h = horizontalScrollBar();
    h->setRange(0, std::max(0, maiorColuna_ + 1 - colunas));
    h->setPageStep(colunas);
    h->setSingleStep(1);
}

void VisaoArquivo::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    const QRect r = viewport()->geometry();
    regua_->setGeometry(r.left(), r.top() - regua_->alturaDesejada(), r.width(),
                        regua_->alturaDesejada());
    acertaBarras();
}

void VisaoArquivo::scrollContentsBy(int, int) {
    viewport()->update();
    regua_->update();
}

void VisaoArquivo::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    const QRect area = viewport()->rect();
    p.fillRect(area, pal.base());
    const int margem = larguraMargem();
    p.fillRect(QRect(0, 0, margem, area.height()), pal.window());
    if (!fonte_) return;

    const std::int64_t n = fonte_->quantidade();
    const std::int64_t primeira = verticalScrollBar()->value();
    const int h = horizontalScrollBar()->value();
    const int colunas = (area.width() - margem) / larguraCaractere_ + 2;
    const QStringList& codigos = CodigosClasses();
    int maior = maiorColuna_;

    p.setClipRect(area);
    for (int k = 0; k <= linhasVisiveis(); ++k) {
        const std::int64_t i = primeira + k;
        if (i >= n) break;
        const int y = k * alturaLinha_;
        const std::string_view texto = fonte_->texto(i);
        maior = std::max(
            maior, static_cast<int>(std::min<std::size_t>(texto.size(), MaiorColunaConhecida)));
        const bool cursor = i == linhaCursor_;
        if (cursor)
            p.fillRect(QRect(margem, y, area.width() - margem, alturaLinha_), CorLinhaCursor());

        // Número da linha no arquivo.
        QFont f = p.font();
        f.setBold(cursor);
        p.setFont(f);
        p.setPen(cursor ? pal.color(QPalette::WindowText) : pal.color(QPalette::PlaceholderText));
        p.drawText(QRect(0, y, margem - Recuo, alturaLinha_), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(fonte_->linhaReal(i) + 1));
        f.setBold(false);
        p.setFont(f);

        // Tipo de registro em destaque.
        const int classe = ClasseDe(texto.substr(0, 3));
        const int largTipo = classe < ClasseOutros()
                                 ? static_cast<int>(codigos.at(classe).size())
                                 : std::min<int>(2, static_cast<int>(texto.size()));
        if (largTipo > 0 && h < largTipo)
            p.fillRect(QRect(xDaColuna(0), y + 1, largTipo * larguraCaractere_, alturaLinha_ - 2),
                       CorDaClasse(classe));
        // Campo sob o cursor.
        if (cursor && campo_ >= 0) {
            const auto& c = registro_.campos[static_cast<std::size_t>(campo_)];
            const QRect r(xDaColuna(c.inicio - 1), y + 1, c.tamanho * larguraCaractere_,
                          alturaLinha_ - 2);
            p.fillRect(r, CorCampoCursor());
            p.setPen(CorCampoCursor().darker(160));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        // Ocorrências da busca; numa linha enorme, só em volta do que aparece.
        std::size_t desde = 0;
        std::string_view procurado = texto;
        if (texto.size() > 65536) {
            desde = static_cast<std::size_t>(std::max(0, h - 1024));
            procurado = texto.substr(std::min(desde, texto.size()),
                                     static_cast<std::size_t>(colunas) + 2048);
        }
        if (busca_)
            for (auto o : busca_->ocorrencias(procurado))
                if (o.inicio += static_cast<int>(desde);
                    o.inicio + o.tamanho > h && o.inicio < h + colunas)
                    p.fillRect(QRect(xDaColuna(o.inicio), y + 1, o.tamanho * larguraCaractere_,
                                     alturaLinha_ - 2),
                               CorOcorrencia());

        if (static_cast<std::size_t>(h) < texto.size()) {
            const auto trecho =
                texto.substr(static_cast<std::size_t>(h), static_cast<std::size_t>(colunas));
            // Sobre as cores de fundo o texto fica preto; no resto, a cor do tema.
            p.setPen(cursor ? QColor(Qt::black) : pal.color(QPalette::Text));
            p.drawText(xDaColuna(h), y + ascendente_, TextoDoArquivo(trecho));
            if (largTipo > h && !cursor) {
                // O tipo, sobre o fundo colorido, sempre em preto.
                p.setPen(Qt::black);
                p.drawText(xDaColuna(h), y + ascendente_,
                           TextoDoArquivo(texto.substr(static_cast<std::size_t>(h),
                                                       static_cast<std::size_t>(largTipo - h))));
            }
        }
    }
    // Fim das 126 posições do registro.
    const int x126 = xDaColuna(ColunasRegistro);
    if (x126 > margem) {
        p.setPen(QPen(pal.color(QPalette::Mid), 1, Qt::DotLine));
        p.drawLine(x126, 0, x126, area.height());
    }
    // Cursor.
    const std::int64_t k = linhaCursor_ - primeira;
    if (k >= 0 && k <= linhasVisiveis() && linhaCursor_ < n) {
        const int x = xDaColuna(colunaCursor_);
        if (x >= margem) {
            p.setPen(QPen(hasFocus() ? QColor(Qt::black) : QColor(Qt::gray), 2));
            p.drawLine(x, static_cast<int>(k) * alturaLinha_ + 1, x,
                       static_cast<int>(k + 1) * alturaLinha_ - 2);
        }
    }
    if (maior != maiorColuna_) {
        maiorColuna_ = maior;
        QMetaObject::invokeMethod(
            this, [this] { acertaBarras(); }, Qt::QueuedConnection);
    }
}

void VisaoArquivo::garanteVisivel(bool centraliza) {
    auto* v = verticalScrollBar();
    const int visiveis = linhasVisiveis();
    const auto topo = static_cast<std::int64_t>(v->value());
    if (centraliza && (linhaCursor_ < topo || linhaCursor_ >= topo + visiveis))
        v->setValue(static_cast<int>(std::max<std::int64_t>(0, linhaCursor_ - visiveis / 2)));
    else if (linhaCursor_ < topo)
        v->setValue(static_cast<int>(linhaCursor_));
    else if (linhaCursor_ >= topo + visiveis)
        v->setValue(static_cast<int>(linhaCursor_ - visiveis + 1));
    auto* h = horizontalScrollBar();
    const int colunas =
        std::max(1, (viewport()->width() - larguraMargem() - Recuo) / larguraCaractere_);
    if (colunaCursor_ < h->value())
        h->setValue(colunaCursor_);
    else if (colunaCursor_ >= h->value() + colunas)
        h->setValue(colunaCursor_ - colunas + 1);
}

void VisaoArquivo::atualizaRegistro() {
    const std::int64_t n = fonte_ ? fonte_->quantidade() : 0;
    if (n == 0) {
        registro_ = {};
        campo_ = -1;
        linhaDescrita_ = -1;
    } else {
        if (linhaCursor_ != linhaDescrita_) {
            registro_ = DescreveRegistro(fonte_->texto(linhaCursor_));
            linhaDescrita_ = linhaCursor_;
        }
        campo_ = CampoNaColuna(registro_, colunaCursor_ + 1);
    }
    QString descricao =
        QStringLiteral("Linha %1, coluna %2").arg(linhaRealCursor() + 1).arg(colunaCursor_ + 1);
    if (campo_ >= 0) {
        const auto& c = registro_.campos[static_cast<std::size_t>(campo_)];
        descricao += QStringLiteral(", campo ") + c.nome + QStringLiteral(": ") + c.conteudo;
    }
    setAccessibleDescription(descricao);
    regua_->update();
}

std::int64_t VisaoArquivo::linhaRealCursor() const {
    return fonte_ && linhaCursor_ < fonte_->quantidade() ? fonte_->linhaReal(linhaCursor_) : -1;
}

void VisaoArquivo::vaiPara(std::int64_t posicao, int coluna, bool centraliza) {
    if (!fonte_) return;
    const std::int64_t n = fonte_->quantidade();
    linhaCursor_ = std::clamp<std::int64_t>(posicao, 0, std::max<std::int64_t>(0, n - 1));
    colunaCursor_ = std::clamp(coluna, 0, MaiorColunaConhecida);
    // A barra horizontal já alcança a linha do cursor, antes de pôr o cursor à vista.
    if (n > 0)
        maiorColuna_ =
            std::max(maiorColuna_, static_cast<int>(std::min<std::size_t>(
                                       fonte_->texto(linhaCursor_).size(), MaiorColunaConhecida)));
    acertaBarras();
    atualizaRegistro();
    garanteVisivel(centraliza);
    viewport()->update();
    emit cursorMudou(linhaRealCursor(), colunaCursor_);
}

void VisaoArquivo::vaiParaLinhaReal(std::int64_t linha, int coluna, bool centraliza) {
    if (!fonte_) return;
    vaiPara(fonte_->posicaoDe(linha), coluna, centraliza);
}

void VisaoArquivo::copiaLinha() {
    if (fonte_ && linhaCursor_ < fonte_->quantidade())
        QApplication::clipboard()->setText(
            TextoDoArquivo(fonte_->texto(linhaCursor_).substr(0, MaiorColunaConhecida)));
}

void VisaoArquivo::keyPressEvent(QKeyEvent* e) {
    if (!fonte_) return QAbstractScrollArea::keyPressEvent(e);
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const int pagina = std::max(1, linhasVisiveis() - 1);
    std::int64_t linha = linhaCursor_;
    int coluna = colunaCursor_;
    const int fimLinha = static_cast<int>(std::min<std::size_t>(fonte_->texto(linhaCursor_).size(),
                                                                MaiorColunaConhecida + 1u)) -
                         1;
    switch (e->key()) {
    case Qt::Key_Up:
        --linha;
        break;
    case Qt::Key_Down:
        ++linha;
        break;
    case Qt::Key_PageUp:
        linha -= pagina;
        break;
    case Qt::Key_PageDown:
        linha += pagina;
        break;
    case Qt::Key_Home:
        if (ctrl) linha = 0;
        coluna = 0;
        break;
    case Qt::Key_End:
        if (ctrl) linha = fonte_->quantidade() - 1;
        coluna = fimLinha;
        break;
    case Qt::Key_Left:
        if (ctrl && campo_ > 0)
            coluna = registro_.campos[static_cast<std::size_t>(campo_ - 1)].inicio - 1;
        else
            --coluna;
        break;
    case Qt::Key_Right:
        if (ctrl && campo_ >= 0 && campo_ + 1 < static_cast<int>(registro_.campos.size()))
            coluna = registro_.campos[static_cast<std::size_t>(campo_ + 1)].inicio - 1;
        else
            ++coluna;
        break;
    case Qt::Key_C:
        if (ctrl) {
            copiaLinha();
            return;
        }
        return QAbstractScrollArea::keyPressEvent(e);
    default:
        return QAbstractScrollArea::keyPressEvent(e);
    }
    vaiPara(linha, std::clamp(coluna, 0, std::max(fimLinha, 0)), false);
}

void VisaoArquivo::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    if (!fonte_ || e->button() != Qt::LeftButton) return;
    const int k = static_cast<int>(e->position().y()) / alturaLinha_;
    const int x = static_cast<int>(e->position().x()) - larguraMargem() - Recuo;
    const int coluna = std::max(0, horizontalScrollBar()->value() + x / larguraCaractere_);
    const std::int64_t linha = verticalScrollBar()->value() + k;
    if (linha < fonte_->quantidade()) vaiPara(linha, coluna, false);
}

} // namespace tramil
