// Texto vindo de arquivo, caminho ou motor aparece como texto (nunca como HTML) e cada valor
// mostrado se apresenta a quem lê a tela junto com a sua legenda.
#pragma once

#include <QString>
#include <initializer_list>

class QLabel;
class QWidget;

namespace korventa {

// Todos os rótulos dentro de `raiz` em texto simples: o Qt leria "<b>" de um nome de arquivo
// como negrito.
void RotulosEmTextoSimples(QWidget* raiz);

// Rótulo de valor (texto simples, selecionável) ligado à sua legenda, como LigaLegenda.
QLabel* NovoRotuloValor(const QString& nome, QLabel* legenda, QWidget* pai);
// Liga um rótulo de valor à legenda: a legenda aponta para ele e o nome acessível do valor é a
// legenda seguida do texto que ele mostrar ("CNPJ: 12.345.678/0001-90"), qualquer que seja o
// caminho pelo qual o texto chegue (setText).
void LigaLegenda(QLabel* valor, QLabel* legenda);

// Ordem do Tab entre os controles, na ordem dada.
void OrdemTab(std::initializer_list<QWidget*> controles);

} // namespace korventa
