// Recusas da abertura de um arquivo fiscal, as mesmas no programa e no korventa-validar: as duas
// primeiras linhas (tamanho e tipo) e a identificação do convênio pelo ano do período. Sem Qt e
// sem E/S: quem abre o arquivo entrega os bytes lidos em sequência.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korventa::abertura {

// Do começo de uma linha enorme (arquivo que não é de registros) só se guarda isto.
inline constexpr std::size_t LimiteLinha = 64 * 1024;

struct LinhaInicial {
    std::string texto; // bytes da linha (Windows-1252), sem o fim de linha; cortado no limite
    std::int64_t tamanho = 0; // tamanho real da linha
};

// Junta as duas primeiras linhas a partir de blocos lidos do arquivo. Uma linha termina no LF,
// com CR opcional antes; a última pode não ter LF; um caractere 26 no fim do arquivo não é linha.
class LinhasIniciais {
public:
    // Próximo bloco do arquivo; verdadeiro quando as duas linhas já estão completas.
    bool acrescenta(std::string_view bloco);
    // O arquivo acabou: fecha a linha que ficou sem LF.
    void terminaArquivo();

    int quantas() const { return quantas_; }
    bool completas() const { return quantas_ == 2; }
    const LinhaInicial& linha(int i) const { return linhas_[i]; }

private:
    void fechaLinha();
    void tiraUltimo();

    LinhaInicial linhas_[2];
    int quantas_ = 0;
    LinhaInicial atual_;
    bool temAtual_ = false;
    char ultimo_ = 0; // último byte da linha em curso, que pode ter vindo num bloco anterior
};

// Por que a abertura parou: o detalhe vai para o log antes da mensagem (pode ser vazio); a
// mensagem é o que o usuário vê. Textos em UTF-8.
struct Recusa {
    std::string detalhe;
    std::string mensagem;
};

// Falhas de E/S da leitura das duas linhas, com o caminho (em UTF-8).
std::string ErroAbrindo(std::string_view caminho);
std::string ErroLendo(std::string_view caminho);
std::string ErroFechando(std::string_view caminho);

// Menos de duas linhas, linha curta demais ou de outro tipo.
std::optional<Recusa> ConfereLinhasIniciais(const LinhasIniciais& linhas, std::string_view caminho);

// Código de identificação do convênio (coluna 124 do registro 10) contra o ano do fim do período
// (colunas 116-119); a mensagem quando não serve, com as frases separadas por CR.
std::optional<std::string> ConfereConvenio(std::string_view registro10);

// A sequência inteira sobre as linhas já lidas: linhas e depois convênio.
std::optional<Recusa> ConfereInicio(const LinhasIniciais& linhas, std::string_view caminho);

} // namespace korventa::abertura
