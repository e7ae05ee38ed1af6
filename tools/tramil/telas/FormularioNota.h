// O documento na tela, com a cara de uma nota: dados, emitente e destinatário, itens, impostos,
// totais e a conferência das somas, com o que não fecha em vermelho.
#pragma once

#include "nucleo/DocumentoNota.h"

#include <QScrollArea>

class QVBoxLayout;

namespace tramil {

class FormularioNota : public QScrollArea {
public:
    explicit FormularioNota(QWidget* pai = nullptr);

    void mostra(const DocumentoNota& n);
    void limpa(const QString& aviso);

    // Todo o texto mostrado, na ordem da tela (testes e leitura de tela).
    QStringList textos() const;

private:
    QWidget* novoConteudo();
    QVBoxLayout* layout_ = nullptr;
};

} // namespace tramil
