#include "Registros.h"

#include "core/Leiaute.h"

#include <QFile>
#include <cstring>
#include <stdexcept>

namespace tramil::teste {

std::string Registro(std::string_view codigo,
                     std::initializer_list<std::pair<const char*, std::string>> campos) {
    std::string r(codigo);
    r.resize(126, ' ');
    const kelvor::LeiauteRegistro* l = kelvor::leiautePara(r);
    if (!l) throw std::runtime_error("código sem leiaute: " + std::string(codigo));
    for (const auto& c : l->campos)
        if (c.especie == kelvor::Especie::N || c.especie == kelvor::Especie::Data ||
            c.especie == kelvor::Especie::CFOP || c.especie == kelvor::Especie::Item54 ||
            c.especie == kelvor::Especie::Zeros)
            std::memset(r.data() + c.inicio - 1, '0', c.tamanho);
    for (const auto& [nome, valor] : campos) {
        const kelvor::Campo* achado = nullptr;
        for (const auto& c : l->campos)
            if (std::strcmp(c.nome, nome) == 0) achado = &c;
        if (!achado) throw std::runtime_error("campo desconhecido: " + std::string(nome));
        std::string v = valor.substr(0, achado->tamanho);
        const bool numerico =
            achado->especie == kelvor::Especie::N || achado->especie == kelvor::Especie::Item54;
        if (numerico)
            v = std::string(achado->tamanho - v.size(), '0') + v;
        else
            v.resize(achado->tamanho, ' ');
        r.replace(achado->inicio - 1, achado->tamanho, v);
    }
    return r;
}

std::string Grava(const QTemporaryDir& pasta, const char* nome, const std::string& conteudo) {
    const QString caminho = pasta.filePath(QString::fromUtf8(nome));
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(conteudo.data(), static_cast<qint64>(conteudo.size())) !=
            static_cast<qint64>(conteudo.size()))
        throw std::runtime_error("não gravou " + caminho.toStdString());
    return caminho.toStdString();
}

std::string Cabecalho() {
    return Registro("10", {{"CNPJ", "86024835000105"},
                           {"Inscrição Estadual", "590518532008"},
                           {"Nome do Contribuinte", "EMPRESA DE TESTE LTDA"},
                           {"Município", "SAO PAULO"},
                           {"Unidade da Federação", "SP"},
                           {"Data Inicial", "20230501"},
                           {"Data Final", "20230531"},
                           {"Código da estrutura", "3"},
                           {"Código da natureza", "3"},
                           {"Código da finalidade", "1"}}) +
           "\r\n" +
           Registro("11", {{"Logradouro", "RUA DAS FLORES"},
                           {"Número", "123"},
                           {"Bairro", "CENTRO"},
                           {"CEP", "01001000"},
                           {"Nome do Contato", "FULANO"},
                           {"Telefone", "1133334444"}}) +
           "\r\n";
}

} // namespace tramil::teste
