// O que as duas janelas fazem do mesmo jeito: controles com nome e nome acessível, tabelas
// só de leitura navegáveis pelo teclado, a escolha do arquivo e os avisos sobre o arquivo.
#pragma once

#include <QString>
#include <optional>

class QAbstractItemView;
class QLabel;
class QLineEdit;
class QWidget;

namespace tramil {

class ArquivoMapeado;

// O nome pelo qual os testes e as configurações acham o controle, e o que a leitura de tela diz.
template <typename W> W* ComNome(W* w, const char* nome, const QString& acessivel) {
    w->setObjectName(QString::fromLatin1(nome));
    w->setAccessibleName(acessivel);
    return w;
}

// Rótulo de informação: o nome acessível é o próprio texto (um nome fixo esconderia o que ele
// diz da leitura de tela); texto sempre simples.
QLabel* Rotulo(const char* nome);

// Botão de limpar dentro do campo, também com nome para a leitura de tela.
void ComBotaoLimpar(QLineEdit* campo);

// Linhas inteiras, uma por vez, sem edição; Tab sai da tabela em vez de andar nas células.
void PreparaTabela(QAbstractItemView* tabela);

// Diálogo de abrir arquivo, na pasta da última vez; vazio quando cancelado.
QString PerguntaArquivo(QWidget* pai, const QString& titulo);

// "O arquivo X não parece ser um arquivo Convênio 57/95: motivo complemento"; vazio quando
// parece.
QString AvisoNaoConvenio(const ArquivoMapeado& arquivo, const QString& complemento);

// O arquivo mudou no disco depois de aberto? O texto do aviso e se reabrir faz sentido.
struct MudancaArquivo {
    QString texto;
    bool podeReabrir = false;
};
// `mostrado`: o que a janela mostra ("O que aparece", "Os documentos mostrados"...).
std::optional<MudancaArquivo> ConfereMudanca(const ArquivoMapeado& arquivo,
                                             const QString& mostrado);

} // namespace tramil
