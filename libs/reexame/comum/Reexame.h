// Peças comuns às bibliotecas de pós-validação (Reexame e Reexame88): campos dos leiautes do
// motor pelo nome, leitura do arquivo fiscal em blocos e a gravação das críticas no formato do
// relatório do motor.
#pragma once

#include "core/Critica.h"
#include "core/Leiaute.h"
#include "core/Leitor.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace reexame {

// Campo do leiaute do motor pelo tipo ("10", "50", "54" ...) e pelo nome; nullptr quando o
// leiaute não o tem. As posições vêm sempre daqui: nenhuma tabela de campos própria.
const kelvor::Campo* CampoDoLeiaute(std::string_view tipo, std::string_view nome);

// Falta de um campo no leiaute, em texto para a mensagem de falha.
std::string FaltaCampo(std::string_view tipo, std::string_view nome);

// Copia o texto (UTF-8) para a saída do chamador em Windows-1252, cortado e terminado em NUL.
void CopiaMensagem(std::string_view utf8, char* saida, std::size_t tamanho);

// Os dois caminhos levam ao mesmo arquivo existente.
bool MesmoArquivo(const std::string& a, const std::string& b);

// O arquivo fiscal lido de uma ponta à outra, em blocos, sem guardá-lo.
class LeituraFiscal {
public:
    LeituraFiscal() = default;
    LeituraFiscal(const LeituraFiscal&) = delete;
    LeituraFiscal& operator=(const LeituraFiscal&) = delete;
    ~LeituraFiscal();

    // Mensagem (UTF-8) quando não abriu.
    std::optional<std::string> abre(const std::string& caminho);
    // Próxima linha; falso no fim ou numa falha de leitura (veja falha()).
    bool proxima(kelvor::Linha& l);
    std::optional<std::string> falha() const;

private:
    std::string caminho_;
    std::FILE* arq_ = nullptr;
    std::unique_ptr<kelvor::LeitorLinhas> leitor_;
};

// Relatório de críticas gravado num arquivo ao lado e posto no lugar só quando completo: uma
// falha no meio não deixa relatório pela metade com o nome certo.
class GravadorCriticas {
public:
    GravadorCriticas() = default;
    GravadorCriticas(const GravadorCriticas&) = delete;
    GravadorCriticas& operator=(const GravadorCriticas&) = delete;
    ~GravadorCriticas();

    // Cria o arquivo com o cabecalho do motor; as críticas são numeradas a partir de
    // primeiraSequencia. Mensagem (UTF-8) quando não conseguiu.
    std::optional<std::string> cria(const std::string& caminho, const std::string& caminhoFiscal,
                                    std::int64_t primeiraSequencia);
    void grava(const kelvor::Critica& c);
    // Fecha e põe no lugar; mensagem quando a gravação falhou em algum ponto.
    std::optional<std::string> conclui();
    std::int64_t gravadas() const { return gravadas_; }

private:
    void descarta();

    std::string caminho_, parcial_;
    std::FILE* arq_ = nullptr;
    std::int64_t proxima_ = 1;
    std::int64_t gravadas_ = 0;
};

} // namespace reexame
