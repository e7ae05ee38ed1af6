#include "AmbienteMidias.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace korventa::testes {

AmbienteMidias::AmbienteMidias() {
    QDir().mkpath(pastaMidias());
    estado.pastaComprovantes = [this] { return recibos.path(); };
    estado.mostraInfo = [this](const ArquivoAberto& e) { infosMostradas << e; };
    sessao.executarQIV = [this](const QString& m) { transmitidas << m; };
    pagina = std::make_unique<PaginaMidias>(sessao, estado, nullptr);
    pagina->preenche();
}

AmbienteMidias::~AmbienteMidias() {
    pagina.reset();
}

void AmbienteMidias::lista(const QString& pasta) {
    pagina->comboPasta()->setEditText(pasta);
    pagina->findChild<QPushButton*>(QStringLiteral("BotaoMidiasListar"))->click();
}

QTreeWidgetItem* AmbienteMidias::linha(const QString& nome) const {
    const auto achados = pagina->lista()->findItems(nome, Qt::MatchExactly, 0);
    return achados.isEmpty() ? nullptr : achados.first();
}

void AmbienteMidias::seleciona(const QString& nome) {
    QTreeWidgetItem* item = linha(nome);
    ASSERT_NE(item, nullptr) << qPrintable(nome);
    pagina->lista()->setCurrentItem(item);
}

QString AmbienteMidias::textoNumero() const {
    return pagina->findChild<QLabel*>(QStringLiteral("LabelNumeroMidias"))->text();
}

} // namespace korventa::testes
