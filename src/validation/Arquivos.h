// Tabela de arquivos abertos: abertura de uma entrada (pré-verificação do motor e registros 10
// e 11), campos do cabeçalho, conferência do convênio e detecção de arquivo trocado em disco.
#pragma once

#include <QString>

namespace korventa {

struct ArquivoAberto;
struct Sessao;

// Passos da abertura até data e tamanho: pré-verificação do motor, leitura e conferência das
// duas primeiras linhas, campos do cabeçalho. Falso quando o arquivo foi recusado; o motivo fica
// no campo mensagem da entrada.
bool CarregaEntrada(ArquivoAberto& e, const QString& caminho);

// Preenche os campos do cabeçalho a partir das linhas dos registros 10 e 11.
void ObtemCamposRegistroKorventa(ArquivoAberto& e);

// Identificação do convênio conforme o ano do fim do período; "" quando passa.
QString VerificaConvenio(const ArquivoAberto& e);

// Ano do fim do período (caracteres 7 a 10 do texto dd/mm/aaaa); 0 quando não é número.
int AnoFimPeriodo(const ArquivoAberto& e);

// Verdadeiro quando o arquivo em disco ainda tem a data e o tamanho de quando foi aberto.
bool VerificaDataHoraArquivo(Sessao& s, int indice, bool mostraMensagem);

} // namespace korventa
