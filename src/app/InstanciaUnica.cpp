#include "app/InstanciaUnica.h"

#include "engine/Definicoes.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QUrl>
#include <memory>

namespace korventa {

InstanciaUnica::InstanciaUnica(QString chave) : chave_(std::move(chave)) {}

InstanciaUnica::~InstanciaUnica() = default;

QString InstanciaUnica::chavePadrao() {
    QString usuario = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    usuario.remove(QLatin1Char('/')).remove(QLatin1Char('\\'));
    return QString::fromLatin1(TituloPrograma) + QLatin1Char('-') + usuario;
}

bool InstanciaUnica::assume(const QStringList& arquivos) {
    trava_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(chave_ + ".lock"));
    // A trava de um processo que morreu é retomada pelo próprio QLockFile.
    if (!trava_->tryLock(0)) {
        trava_.reset();
        avisaOutra(arquivos);
        return false;
    }
    // Com a trava na mão, um servidor que tenha ficado de um processo morto pode ser removido.
    QLocalServer::removeServer(chave_);
    servidor_ = std::make_unique<QLocalServer>();
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(servidor_.get(), &QLocalServer::newConnection, servidor_.get(), [this] {
        while (QLocalSocket* s = servidor_->nextPendingConnection()) {
            // O pedido inteiro chega antes de a outra instância desligar.
            auto pedido = std::make_shared<QByteArray>();
            QObject::connect(s, &QLocalSocket::readyRead, s,
                             [s, pedido] { pedido->append(s->readAll()); });
            QObject::connect(s, &QLocalSocket::disconnected, s, [this, s, pedido] {
                pedido->append(s->readAll());
                s->deleteLater();
                atendePedido(*pedido);
            });
        }
    });
    // Sem servidor o programa roda do mesmo jeito; só não atende às próximas instâncias.
    servidor_->listen(chave_);
    return true;
}

void InstanciaUnica::avisaOutra(const QStringList& arquivos) {
    QLocalSocket socket;
    socket.connectToServer(chave_);
    if (!socket.waitForConnected(1000)) return;
    socket.write(montaPedido(arquivos));
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
}

void InstanciaUnica::atendePedido(const QByteArray& pedido) {
    if (aoPedirFrente_) aoPedirFrente_();
    const QStringList arquivos = leArquivosDoPedido(pedido);
    if (!arquivos.isEmpty() && aoReceberArquivos_) aoReceberArquivos_(arquivos);
}

QByteArray InstanciaUnica::montaPedido(const QStringList& arquivos) {
    QByteArray pedido("frente\n");
    for (const QString& a : arquivos)
        pedido += QUrl::toPercentEncoding(a) + '\n';
    return pedido;
}

QStringList InstanciaUnica::leArquivosDoPedido(const QByteArray& pedido) {
    QStringList arquivos;
    const QList<QByteArray> linhas = pedido.split('\n');
    if (linhas.isEmpty() || linhas.first() != "frente") return arquivos;
    // Sem a quebra final a última linha pode ter chegado cortada: fica de fora.
    for (qsizetype i = 1; i + 1 < linhas.size(); ++i)
        if (!linhas.at(i).isEmpty()) arquivos << QUrl::fromPercentEncoding(linhas.at(i));
    return arquivos;
}

} // namespace korventa
