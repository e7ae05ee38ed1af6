// Página Mídias (aba 5): pasta das mídias com as pastas recentes, a lista das mídias da pasta
// com os protocolos e a transmissão, a procura por protocolo e as ações sobre uma mídia
// (informações, recibo, transmissão e remoção).
#pragma once

#include "validation/Sessao.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace korventa {

struct EstadoMidias;
class ListagemMidias;

class PaginaMidias : public QWidget {
public:
    PaginaMidias(Sessao& sessao, EstadoMidias& estado, QWidget* pai);

    // PreencheMidias: sem pasta escolhida, "Listar" fica desabilitado; depois LimpaListaMidias.
    void preenche();
    // LimpaListaMidias: lista vazia, botões de uma mídia desabilitados, procura vazia.
    void limpaLista();
    // Texto da pasta a partir das configurações e de volta para elas.
    void aplicaConfiguracoes();
    void guardaConfiguracoes();

    // Comandos da página.
    void BotaoMidiasListar_Click();
    void BotaoMidiasBrowse_Click();
    void BotaoMidiasRemover_Click();
    void BotaoMidiasInfo_Click();
    void BotaoMidiasRecibo_Click();
    void BotaoMidiasTransmitir_Click();
    void TextProcurarMidia_Change(const QString& texto);

    // Caminho completo da linha selecionada: a pasta listada e o nome; vazio sem seleção.
    QString midiaSelecionada() const;
    bool listando() const { return listagem_ != nullptr; }
    // O programa vai fechar: uma listagem em andamento para já.
    void cancelaListagem();

    QComboBox* comboPasta() const { return comboPasta_; }
    QTreeWidget* lista() const { return lista_; }

private:
    void atualizaBotoesDaMidia();
    void habilitaDuranteListagem(bool sim);

    Sessao& sessao_;
    EstadoMidias& estado_;
    QComboBox* comboPasta_;
    QPushButton* botaoListar_;
    QPushButton* botaoBrowse_;
    QTreeWidget* lista_;
    QLabel* labelNumero_;
    QLineEdit* textProcurar_;
    QList<QPushButton*> botoesDaMidia_;
    QString pastaListada_;
    ListagemMidias* listagem_ = nullptr;
};

} // namespace korventa
