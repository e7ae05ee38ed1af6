// Ambiente dos testes do programa: pastas isoladas, configurações limpas, carregador apontado
// para as bibliotecas construídas e leitura do log do motor.
#pragma once

#include <QString>
#include <QStringList>

namespace korventa::testes {

// Pasta temporária do processo de testes (TMPDIR) e pasta de configuração (XDG_CONFIG_HOME).
QString pastaTemporariaTestes();
QString pastaConfiguracaoTestes();
// Pasta de configuração do sistema (XDG_CONFIG_DIRS): a /etc/xdg dos testes.
QString pastaConfiguracaoSistemaTestes();
QString pastaBibliotecas();

// Apaga as configurações do programa e do programa de transmissão e os Quorbis.ini.
void limpaConfiguracoes();

// Carregador das bibliotecas na pasta dada (padrão: a pasta onde foram construídas).
void usaBibliotecasDe(const QString& pasta);

// Linhas do log do motor (só o texto, sem data e nível) e limpeza dele.
QStringList linhasDoLog();
void apagaLog();

} // namespace korventa::testes
