// Os campos de um registro como o painel lateral mostra: nome e posições da tabela de leiaute
// do motor, o conteúdo lido e, para códigos, valores e datas, o que eles querem dizer.
#pragma once

#include <QString>
#include <string_view>
#include <vector>

namespace tramil {

struct CampoExibido {
    int numero = 0; // 1, 2, ... na ordem do leiaute
    QString nome;
    int inicio = 0; // coluna de 1
    int tamanho = 0;
    QString conteudo;        // como está no arquivo
    QString significado;     // valor formatado, data, descrição do código; pode ser vazio
    bool incompleto = false; // o registro acaba antes do fim do campo
};

struct RegistroExibido {
    QString codigo; // "50", "60M"...; vazio quando o tipo é desconhecido
    QString titulo; // "Registro 50 - Nota fiscal quanto ao ICMS"
    QString aviso;  // tamanho errado, tipo desconhecido
    std::vector<CampoExibido> campos;
};

RegistroExibido DescreveRegistro(std::string_view registro);

// Índice do campo que cobre a coluna (de 1); -1 quando nenhum.
int CampoNaColuna(const RegistroExibido& r, int coluna);

} // namespace tramil
