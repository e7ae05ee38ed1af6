// Página Sobre (aba 7): versão do programa e de cada componente.
#pragma once

#include "app/JanelaInicio.h"

#include <QWidget>

class QLabel;

namespace korventa {

class PaginaSobre : public QWidget {
public:
    explicit PaginaSobre(QWidget* pai);

    void mostraVersoesComponentes(const VersoesComponentes& versoes);
    void mostraVersaoPrograma(const QString& versao);

private:
    QLabel* valkora2_;
    QLabel* valkora3_;
    QLabel* kelvor_;
    QLabel* gerarMidia_;
    QLabel* tramil_;
    QLabel* reexame_;
    QLabel* reexame88_;
    QLabel* legendaTramil_ = nullptr;
    QLabel* validador_;
};

} // namespace korventa
