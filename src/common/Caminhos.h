// Caminhos de arquivo: aceitam "\" e "/" ao separar, juntam com o separador da plataforma.
#pragma once

#include <QString>

namespace korventa {

// Tudo antes do último separador ("\" ou "/"); "" quando não há separador.
QString PastaDoArquivo(const QString& caminho);

// Tudo depois do último separador ("\" ou "/"); o caminho inteiro quando não há separador.
QString NomeDoArquivo(const QString& caminho);

// Pasta e nome com exatamente um separador entre eles; insere o da plataforma quando falta.
QString JuntaCaminho(const QString& pasta, const QString& nome);

} // namespace korventa
