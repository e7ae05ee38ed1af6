#include "app/InstanciaUnica.h"

#include "engine/Definicoes.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace korventa {

InstanciaUnica::InstanciaUnica(QString chave) : chave_(std::move(chave)) {}

InstanciaUnica::~InstanciaUnica() = default;

QString InstanciaUnica::chavePadrao() {
    QString usuario = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    usuario.remove(QLatin1Char('/')).remove(QLatin1Char('\\'));
    return QString::fromLatin1(TituloPrograma) + QLatin1Char('-') + usuario;
}

bool InstanciaUnica::assume() {
    trava_ = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(chave_ + ".lock"));
    // A trava de um processo que morreu é retomada pelo próprio QLockFile.
    if (!trava_->tryLock(0)) {
        trava_.reset();
        avisaOutra();
        return false;
    }
    // Com a trava na mão, um servidor que tenha ficado de um processo morto pode ser removido.
    QLocalServer::removeServer(chave_);
    servidor_ = std::make_unique<QLocalServer>();
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(servidor_.get(), &QLocalServer::newConnection, servidor_.get(), [this] {
        while (QLocalSocket* s = servidor_->nextPendingConnection()) {
            QObject::connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (aoPedirFrente_) aoPedirFrente_();
        }
    });
    // Sem servidor o programa roda do mesmo jeito; só não atende às próximas instâncias.
    servidor_->listen(chave_);
    return true;
}

void InstanciaUnica::avisaOutra() {
    QLocalSocket socket;
    socket.connectToServer(chave_);
    if (!socket.waitForConnected(1000)) return;
    socket.write("frente\n");
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}

} // namespace korventa
