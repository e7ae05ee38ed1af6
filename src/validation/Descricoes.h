// Rótulos dos códigos das colunas 124, 125 e 126 do registro 10. Cada rótulo começa pelo seu
// código, que as outras partes do programa leem de volta como o primeiro caractere.
#pragma once

#include <QString>

namespace korventa {

// Código que não está na tabela volta sem mudança.
QString DescricaoConvenio(const QString& codigo);
QString DescricaoNatureza(const QString& codigo);
QString DescricaoFinalidade(const QString& codigo);

// Código de um rótulo das tabelas acima: o seu primeiro caractere ("" para rótulo vazio).
QString CodigoDoRotulo(const QString& rotulo);

} // namespace korventa
