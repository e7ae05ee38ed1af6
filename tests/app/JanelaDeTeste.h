// O programa inteiro iniciado fora da tela, com a plataforma roteirizada: base dos testes que
// clicam nas abas e nos botões da janela principal.
#pragma once

#include "Ambiente.h"
#include "apoio/PlataformaRoteirizada.h"

#include "app/Inicializacao.h"
#include "app/Principal.h"
#include "platform/PlataformaQt.h"

#include <QDir>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

namespace korventa::testes {

// Plataforma roteirizada que, quando pedido, inicia e acompanha processos de verdade.
class PlataformaDeTeste : public PlataformaRoteirizada {
public:
    void usaProcessosReais(bool sim) { reais_ = sim; }

    ResultadoInicio iniciarProcesso(const InicioProcesso& inicio, bool acompanhar) override {
        const ResultadoInicio r = PlataformaRoteirizada::iniciarProcesso(inicio, acompanhar);
        if (!reais_) return r;
        const ResultadoInicio real = qt_.iniciarProcesso(inicio, acompanhar);
        if (real.iniciou()) ultimo_ = real.identificador;
        return real;
    }
    // Identificador do último processo de verdade iniciado.
    qint64 ultimoIniciado() const { return ultimo_; }
    bool processoAtivo(qint64 identificador) override {
        return reais_ ? qt_.processoAtivo(identificador)
                      : PlataformaRoteirizada::processoAtivo(identificador);
    }
    void liberaProcesso(qint64 identificador) override {
        if (reais_) qt_.liberaProcesso(identificador);
        PlataformaRoteirizada::liberaProcesso(identificador);
    }

private:
    PlataformaQt qt_;
    bool reais_ = false;
    qint64 ultimo_ = 0;
};

class JanelaDeTeste : public ::testing::Test {
protected:
    void SetUp() override {
        limpaConfiguracoes();
        preparaConfiguracoes();
        usaBibliotecasDe(pastaBibliotecas());
        diretorioAntes_ = QDir::currentPath();
        sessao_.pastaPrograma = pastaBibliotecas();
        inicio_ = std::make_unique<Inicializacao>(sessao_, janela_, parametros());
        ASSERT_TRUE(inicio_->executa());
    }
    void TearDown() override { QDir::setCurrent(diretorioAntes_); }

    // Configurações salvas antes do início; sem nada, é a primeira execução.
    virtual void preparaConfiguracoes() {}
    static void salva(const QString& chave, const QString& valor) {
        QSettings(QSettings::NativeFormat, QSettings::UserScope,
                  QStringLiteral("ValidadorKorventaV2"))
            .setValue(chave, valor);
    }
    static ParametrosInicio parametros() {
        return {QString(),
                QStringLiteral("ValidadorKorventa2017"),
                QStringLiteral("testes-app-") + QUuid::createUuid().toString(QUuid::Id128),
                {}};
    }

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
    template <typename Controle> Controle* controle(const char* nome) {
        auto* c = janela_.findChild<Controle*>(QLatin1String(nome));
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }

    PlataformaDeTeste plataforma_;
    Sessao sessao_{plataforma_};
    Principal janela_{sessao_};
    std::unique_ptr<Inicializacao> inicio_;
    QString diretorioAntes_;
};

} // namespace korventa::testes
