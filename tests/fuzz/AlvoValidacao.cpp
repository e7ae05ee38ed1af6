// Alvo de fuzzing: uma validação inteira pela interface C de libKelvor, como o programa a chama,
// e as recusas da abertura sobre os mesmos bytes. Confere o formato do que o motor grava.
#include "AlvoApoio.h"

#include "abertura/InicioArquivo.h"
#include "engine/Cabecalhos.h"

#include <chrono>
#include <string_view>
#include <thread>

using namespace korventa;

namespace {

// Cada linha do relatório depois do cabeçalho tem 216 caracteres; cada linha de totais, 146.
// Devolve quantas linhas (sem o cabeçalho).
std::size_t confereLinhas(const std::string& texto, std::size_t tamanho, bool temCabecalho,
                          const char* o_que) {
    std::size_t ini = 0, linhas = 0;
    if (temCabecalho) {
        ini = texto.find("\r\n");
        if (ini == std::string::npos) fuzz::falha("relatório sem cabeçalho");
        ini += 2;
    }
    while (ini < texto.size()) {
        const auto fim = texto.find("\r\n", ini);
        if (fim == std::string::npos || fim - ini != tamanho) fuzz::falha(o_que);
        ini = fim + 2;
        ++linhas;
    }
    return linhas;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
    const std::string arquivo = fuzz::pasta() + "entrada.txt";
    const std::string relatorio = fuzz::pasta() + "Criticas.tmp";
    const std::string totais = fuzz::pasta() + "Totais.CFOP";
    fuzz::grava(arquivo, dados, tamanho);

    abertura::LinhasIniciais linhas;
    // Em dois pedaços, para passar pela junção de blocos.
    const std::string_view tudo(reinterpret_cast<const char*>(dados), tamanho);
    linhas.acrescenta(tudo.substr(0, tamanho / 2));
    linhas.acrescenta(tudo.substr(tamanho / 2));
    linhas.terminaArquivo();
    (void)abertura::ConfereInicio(linhas, arquivo);

    // O programa não valida o que a pré-verificação recusa, mas o motor tem de aguentar qualquer
    // arquivo que outro chamador lhe dê: valida sempre.
    char mensagem[2000];
    (void)Kelvor_VerificaArquivo(arquivo.c_str(), mensagem, sizeof mensagem);
    // Leiaute e versão variam com o tamanho, para que as três combinações apareçam.
    const int flag = tamanho % 5 == 0 ? 0 : 1;
    const int versao = tamanho % 2 ? 2 : 3;
    if (Kelvor_InicioValidacao(arquivo.c_str(), relatorio.c_str(), totais.c_str(), flag, versao,
                               mensagem) == 0)
        fuzz::falha("a validação não começou");
    int32 pct = 0, lidos = 0, total = 0;
    while (Kelvor_EstadoValidacao(&pct, &lidos, &total) == -2)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    int32 erros = 0, advertencias = 0;
    const int32 veredito = Kelvor_ResultadoValidacao(mensagem, &erros, &advertencias);
    if (veredito < 0 || veredito > 2) fuzz::falha("validação sem veredito");
    // Sem registros 10, 11 e 90 o arquivo nunca é aceito.
    if (veredito == 0 && tamanho < 3 * 126) fuzz::falha("arquivo curto demais aceito");
    for (int l = 0; l <= 21; ++l)
        for (int c = 0; c <= 3; ++c)
            (void)Kelvor_Totalizador(l, c);
    char linha[100];
    for (int l = 0; l <= 30; ++l)
        Kelvor_TotalizadorRegistro(l, linha);
    const auto criticas =
        confereLinhas(fuzz::le(relatorio), 216, true, "registro do relatório sem 216 caracteres");
    if (criticas != static_cast<std::size_t>(erros) + static_cast<std::size_t>(advertencias))
        fuzz::falha("o relatório não tem uma linha por crítica contada");
    confereLinhas(fuzz::le(totais), 146, false, "linha de totais por CFOP sem 146 caracteres");
    return 0;
}
