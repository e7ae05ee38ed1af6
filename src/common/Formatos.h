// Formatos brasileiros fixos de telas e relatórios, independentes das configurações regionais.
#pragma once

#include <QString>
#include <cstdint>

namespace korventa {

// Inteiro com "." entre milhares e milhões; acima dos milhões não agrupa (1234.567.890).
// Negativos: "-" e o valor absoluto formatado.
QString FormataMilhar(std::int32_t numero);

// Duração em horas e minutos ("2 horas 1 min", "1 hora ") ou minutos e segundos ("1 min 1 seg").
// Negativos: "-" e a duração absoluta formatada.
QString FormataDuracao(std::int32_t segundos);

// CNPJ de 14 dígitos como NN.NNN.NNN/NNNN-NN.
QString FormataCNPJ(const QString& cnpj);

// Data AAAAMMDD e hora HHMMSS como "DD/MM/AAAA às HH:MM:SS".
QString FormataDataHora(const QString& data, const QString& hora);

// Dígitos de um valor em centavos como valor brasileiro ("123456" -> "1.234,56").
QString FormataValor(const QString& centavos);

} // namespace korventa
