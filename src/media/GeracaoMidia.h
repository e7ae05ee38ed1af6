// Geração da mídia de uma entrada da tabela de arquivos abertos: arquivos de trabalho (resumo
// da validação, totais por CFOP, comprovante provisório), chave da UF, variante do convênio e a
// gravação pela biblioteca GerarMidiaQIV. A falha fica só no campo mensagem da entrada.
#pragma once

#include <QString>
#include <QStringList>

namespace korventa {

struct ArquivoAberto;
struct Sessao;

// Linhas de "Validacao2.resumo" e de "Comprovante.tmp".
QStringList LinhasResumoValidacao(const ArquivoAberto& e, const QString& versaoValkora2,
                                  const QString& versaoValidador);
QStringList LinhasComprovante(const ArquivoAberto& e);

// Os três arquivos de totais para a GIA entram quando o período termina depois de 2002, ou
// antes disso com convênio que não começa por "1".
bool FazArquivosGia(const ArquivoAberto& e);

// Protocolo, CNPJ, IE, UF e registro 10 completados com brancos até 502 caracteres, o CRC e
// "01". Vazio quando o registro 10 não cabe.
QString CabecalhoIdentificacao(const ArquivoAberto& e);

// Variante especial (GIM da PB): natureza começando por "3" e UF escrita "PB".
bool VarianteEspecial(const ArquivoAberto& e);

void GeraArquivoMidia(Sessao& s, int indice, const QString& caminhoMidia);

} // namespace korventa
