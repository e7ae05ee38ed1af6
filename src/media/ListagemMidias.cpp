#include "media/ListagemMidias.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "engine/Bibliotecas.h"
#include "engine/Log.h"
#include "media/BlocoInfoMidia.h"
#include "media/CacheRecibos.h"
#include "media/IconesMidia.h"
#include "platform/Plataforma.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTreeWidget>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace korventa {

namespace {

using namespace std::chrono_literals;

// O que a thread de leitura entrega: o bloco lido ou o motivo da falha.
struct MidiaLida {
    QString nome;
    qint64 tamanho = 0;
    bool lida = false;
    BlocoInfoMidia bloco;
    QString mensagem;
};

// Fila entre a thread de leitura e a da interface.
struct Fila {
    std::mutex trava;
    std::condition_variable sinal;
    std::deque<MidiaLida> itens;
    bool fim = false;
};

LinhaMidia LinhaDe(const MidiaLida& m, const CacheRecibos& recibos) {
    LinhaMidia l;
    l.nome = m.nome;
    l.protocolo = m.bloco.texto().left(10);
    if (m.bloco.transmitida()) {
        l.transmitida = true;
        l.destino = m.bloco.transmissao().ufDestino;
        l.protocoloQIV = m.bloco.protocoloQIVListado();
        return l;
    }
    const int i = recibos.procura(FormataCNPJ(m.bloco.cnpj()), l.protocolo, m.tamanho);
    if (i >= 0) {
        l.protocoloQIV = recibos.recibo(i).protocoloQIV;
        l.destino = recibos.recibo(i).destino();
    }
    return l;
}

} // namespace

void AcrescentaLinhasMidias(QTreeWidget* lista, const QVector<LinhaMidia>& linhas) {
    QList<QTreeWidgetItem*> itens;
    itens.reserve(linhas.size());
    for (const LinhaMidia& l : linhas) {
        auto* item = new QTreeWidgetItem({l.nome, l.protocolo, l.protocoloQIV, l.destino});
        item->setIcon(0, l.transmitida ? IconeMidiaTransmitida() : IconeMidia());
        // O leitor de tela diz o que o ícone mostra.
        item->setData(0, Qt::AccessibleDescriptionRole,
                      l.transmitida ? QStringLiteral("transmitida") : QStringLiteral("mídia"));
        itens << item;
    }
    lista->addTopLevelItems(itens);
}

QString PastaParaListar(const QString& texto) {
    QString pasta = texto.trimmed();
    if (pasta.size() > 1 && (pasta.endsWith(QLatin1Char('\\')) || pasta.endsWith(QLatin1Char('/'))))
        pasta.chop(1);
    return pasta;
}

FimListagem ListagemMidias::lista(const QString& pasta,
                                  const std::function<void(const QVector<LinhaMidia>&)>& aoLer) {
    cancelar_ = false;
    FimListagem fim;
    if (pasta.isEmpty() || !QFileInfo(pasta).isDir()) {
        fim.pastaSumiu = true;
        return fim;
    }
    // Resolvida aqui: a thread de leitura não mexe no carregador das bibliotecas.
    auto* ler = KORVENTA_FUNCAO("Kelvor", Kelvor_ObterInfoAdicionaisMidiaQIV_Ex);

    Fila fila;
    std::thread leitura([&] {
        QDirIterator it(pasta, {QStringLiteral("*.zip")}, QDir::Files | QDir::Hidden);
        while (!cancelar_ && it.hasNext()) {
            const QFileInfo info = it.nextFileInfo();
            MidiaLida m;
            m.nome = info.fileName();
            m.tamanho = info.size();
            QString tipo;
            m.lida = LeInfoMidia(ler, info.filePath(), m.bloco, tipo, m.mensagem);
            std::lock_guard<std::mutex> g(fila.trava);
            fila.itens.push_back(std::move(m));
            fila.sinal.notify_one();
        }
        std::lock_guard<std::mutex> g(fila.trava);
        fila.fim = true;
        fila.sinal.notify_one();
    });

    bool terminou = false;
    while (!terminou) {
        std::deque<MidiaLida> lote;
        {
            std::unique_lock<std::mutex> g(fila.trava);
            fila.sinal.wait_for(g, 40ms, [&] { return fila.fim || fila.itens.size() >= 200; });
            lote.swap(fila.itens);
            terminou = fila.fim;
        }
        QVector<LinhaMidia> linhas;
        linhas.reserve(qsizetype(lote.size()));
        bool falhou = false;
        for (const MidiaLida& m : lote) {
            if (!m.lida) {
                Log(LogDetalhe, QStringLiteral("Erro listando midia: ") + m.mensagem);
                falhou = true;
                continue;
            }
            linhas << LinhaDe(m, recibos_);
        }
        if (!linhas.isEmpty()) {
            fim.linhas += int(linhas.size());
            aoLer(linhas);
        }
        // Uma falha de leitura pode ser a pasta que sumiu: aí a listagem para.
        if (falhou && !QFileInfo(pasta).isDir()) {
            cancelar_ = true;
            fim.pastaSumiu = true;
        }
        plataforma_.processarEventos();
    }
    leitura.join();
    if (!fim.pastaSumiu && !QFileInfo(pasta).isDir()) fim.pastaSumiu = true;
    fim.cancelada = cancelar_ && !fim.pastaSumiu;
    return fim;
}

} // namespace korventa
