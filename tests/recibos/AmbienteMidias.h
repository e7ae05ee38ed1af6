// Página Mídias numa sessão de testes: o ambiente das mídias (validação e geração de verdade),
// o estado das mídias com uma pasta de recibos própria e as ligações capturadas.
#pragma once

#include "AmbienteMidia.h"
#include "app/PaginaMidias.h"
#include "media/EstadoMidias.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <memory>

namespace korventa::testes {

class AmbienteMidias : public AmbienteMidia {
protected:
    AmbienteMidias();
    ~AmbienteMidias() override;

    // Pasta de mídias do teste (criada), o caminho de uma mídia nela.
    QString pastaMidias() const { return pasta.filePath(QStringLiteral("midias")); }
    QString midia(const QString& nome) const { return pastaMidias() + QLatin1Char('/') + nome; }
    // Lista a pasta pelo botão "Listar".
    void lista(const QString& pasta);
    // Linha da lista com o nome dado; nulo quando não está.
    QTreeWidgetItem* linha(const QString& nome) const;
    void seleciona(const QString& nome);
    QString textoNumero() const;

    QTemporaryDir recibos;
    EstadoMidias estado;
    std::unique_ptr<PaginaMidias> pagina;
    QVector<ArquivoAberto> infosMostradas;
    QStringList transmitidas;
};

} // namespace korventa::testes
