// Configurações do usuário no armazenamento do sistema (QSettings: registro no Windows, arquivo
// INI na pasta de configuração do usuário no Linux), lidas uma vez no início e gravadas uma vez
// no fim, e os dois valores que vêm do programa de transmissão.
#pragma once

#include "validation/Sessao.h"

namespace korventa {

// "ValidadorKorventa" na versão 3 do programa, "ValidadorKorventaV2" nas demais.
QString NomeAplicacaoRegistro(const VersaoPrograma& versao);

// Lê tudo para a sessão: colunas, listas recentes, filtro, pastas, programa de transmissão,
// limite de críticas e impressora. Chaves ausentes ficam com o padrão.
void LeConfiguracoes(Sessao& sessao);

// Grava tudo a partir da sessão (as larguras de coluna já devem estar em sessao.cfg).
void GravaConfiguracoes(const Sessao& sessao);

// Pasta dos comprovantes do programa de transmissão (aplicação "QIV2"), sem uma barra final.
void LePastaComprovantesQIV(Sessao& sessao);

// Arquivo "Quorbis.ini" do programa de transmissão: na pasta de configuração do usuário no
// Linux, na pasta do Windows no Windows.
QString CaminhoQuorbisIni();

// O "Quorbis.ini" que vale: o do usuário; sem ele e sem programa no local fixo, no Linux, o
// primeiro das pastas de configuração do sistema (XDG_CONFIG_DIRS, /etc/xdg), onde uma
// instalação para todos os usuários o deixa.
QString LocalizaQuorbisIni();

// Valor de [Instalacao] Diretorio do arquivo ini; vazio quando não há arquivo ou chave.
QString LeDiretorioInstalacaoQIV(const QString& arquivoIni);

// Programa de transmissão proposto quando nada foi configurado: a pasta do ini seguida de
// qiv.exe, ou o local fixo de instalação.
QString CandidatoProgramaQIV();

// Local fixo de instalação do programa de transmissão nesta plataforma.
QString LocalPadraoQIV();

} // namespace korventa
