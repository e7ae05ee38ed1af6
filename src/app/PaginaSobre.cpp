#include "app/PaginaSobre.h"

#include "app/Produto.h"
#include "platform/Acessivel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace korventa {

namespace {

const QString LegendaTramil = QStringLiteral("Tramil:");

QLabel* versao(const QString& nome, const QString& texto, QWidget* pai) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(nome);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

PaginaSobre::PaginaSobre(QWidget* pai)
    : QWidget(pai),
      valkora2_(versao(QStringLiteral("LabelVersaoValkora2"), QStringLiteral("x.x.x"), this)),
      valkora3_(versao(QStringLiteral("LabelVersaoValkora3"), QStringLiteral("x.x.x"), this)),
      kelvor_(versao(QStringLiteral("LabelVersaoKelvor"), QStringLiteral("x.x.x"), this)),
      gerarMidia_(versao(QStringLiteral("LabelVersaoGerarMidia"), QStringLiteral("x.x.x"), this)),
      tramil_(versao(QStringLiteral("LabelVersaoTramil"), QStringLiteral("x.x.x"), this)),
      reexame_(versao(QStringLiteral("LabelVersaoReexame"), QStringLiteral("x.x.x"), this)),
      reexame88_(versao(QStringLiteral("LabelVersaoReexame88"), QStringLiteral("x.x.x"), this)),
      validador_(versao(QStringLiteral("LabelVersaoValidador"), QStringLiteral("x.x.x"), this)) {
    setObjectName(QStringLiteral("PaginaSobre"));

    auto* titulo = new QLabel(QString::fromLatin1(NomeProduto), this);
    QFont fonte = titulo->font();
    fonte.setPointSizeF(fonte.pointSizeF() * 1.6);
    fonte.setBold(true);
    titulo->setFont(fonte);
    auto* descricao = new QLabel(QStringLiteral("Validação de arquivos fiscais no leiaute do "
                                                "Convênio ICMS 57/95 e geração das mídias de "
                                                "transmissão."),
                                 this);
    descricao->setWordWrap(true);

    // Legendas numa coluna e versões na outra, todas alinhadas (também a do Tramil).
    auto* grade = new QGridLayout;
    grade->setHorizontalSpacing(12);
    const auto linha = [&](int i, const QString& legenda, QLabel* valor) {
        auto* rotulo = new QLabel(legenda, this);
        grade->addWidget(rotulo, i, 0);
        grade->addWidget(valor, i, 1);
        LigaLegenda(valor, rotulo);
        return rotulo;
    };
    linha(0, QStringLiteral("Versão:"), validador_);
    linha(1, QStringLiteral("Valkora2: "), valkora2_);
    linha(2, QStringLiteral("Valkora3: "), valkora3_);
    linha(3, QStringLiteral("Kelvor:"), kelvor_);
    linha(4, QStringLiteral("GerarMidiaQIV:"), gerarMidia_);
    legendaTramil_ = linha(5, LegendaTramil, tramil_);
    linha(6, QStringLiteral("Reexame:"), reexame_);
    linha(7, QStringLiteral("Reexame88:"), reexame88_);
    grade->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    layout->addWidget(descricao);
    layout->addSpacing(16);
    layout->addLayout(grade);
    layout->addStretch(1);
}

void PaginaSobre::mostraVersoesComponentes(const VersoesComponentes& v) {
    valkora2_->setText(v.valkora2);
    valkora3_->setText(v.valkora3);
    kelvor_->setText(v.kelvor);
    gerarMidia_->setText(v.gerarMidia);
    // O rótulo do Tramil vem com a legenda e brancos antes da versão: a legenda vai para a
    // coluna das legendas. Sem versão a linha inteira fica vazia.
    QString tramil = v.tramil;
    if (tramil.startsWith(LegendaTramil)) tramil = tramil.mid(LegendaTramil.size()).trimmed();
    tramil_->setText(tramil);
    legendaTramil_->setVisible(!v.tramil.isEmpty());
    reexame_->setText(v.reexame);
    reexame88_->setText(v.reexame88);
}

void PaginaSobre::mostraVersaoPrograma(const QString& versao) {
    validador_->setText(versao);
}

} // namespace korventa
