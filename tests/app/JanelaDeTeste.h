// A janela principal real, fora da tela, depois de um início completo com a plataforma
// roteirizada e configurações limpas.
#pragma once

#include "Ambiente.h"
#include "apoio/PlataformaRoteirizada.h"

#include "app/Inicializacao.h"
#include "app/Principal.h"

#include <QDir>
#include <QTabBar>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>

namespace korventa {

class JanelaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        testes::limpaConfiguracoes();
        testes::usaBibliotecasDe(testes::pastaBibliotecas());
        diretorioAntes_ = QDir::currentPath();
        sessao_.pastaPrograma = testes::pastaBibliotecas();
        inicio_ = std::make_unique<Inicializacao>(
            sessao_, janela_,
            ParametrosInicio{QString(), QStringLiteral("ValidadorKorventa2017"),
                             QStringLiteral("testes-app-") +
                                 QUuid::createUuid().toString(QUuid::Id128)});
        ASSERT_TRUE(inicio_->executa());
    }
    void TearDown() override { QDir::setCurrent(diretorioAntes_); }

    QTabBar* abas() { return janela_.findChild<QTabBar*>(QStringLiteral("TabStrip1")); }
    // Clique do usuário numa aba (1 a 7).
    void clicaAba(int aba) {
        QTabBar* t = abas();
        QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(aba - 1).center());
    }
    int molduraVisivel() {
        int visivel = -1;
        for (int i = 0; i < QuantidadeMolduras; ++i)
            if (janela_.moldura(i)->isVisible()) {
                EXPECT_EQ(visivel, -1) << "mais de uma moldura à vista";
                visivel = i;
            }
        return visivel;
    }

    testes::PlataformaRoteirizada plataforma_;
    Sessao sessao_{plataforma_};
    Principal janela_{sessao_};
    std::unique_ptr<Inicializacao> inicio_;
    QString diretorioAntes_;
};

} // namespace korventa
