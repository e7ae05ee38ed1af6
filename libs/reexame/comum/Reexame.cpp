#include "comum/Reexame.h"

#include "core/Relatorio.h"
#include "core/Texto.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace reexame {

namespace {

// Data e hora do cabeçalho. As bibliotecas rodam depois do motor, numa thread só: localtime
// basta.
std::tm agora() {
    const std::time_t t = std::time(nullptr);
    return *std::localtime(&t);
}

std::string motivo(int erro) {
    return kelvor::texto::motivoSistema(erro ? erro : EIO);
}

} // namespace

const kelvor::Campo* CampoDoLeiaute(std::string_view tipo, std::string_view nome) {
    const kelvor::LeiauteRegistro* l = kelvor::leiautePara(tipo);
    if (!l) return nullptr;
    for (const kelvor::Campo& c : l->campos)
        if (nome == c.nome) return &c;
    return nullptr;
}

std::string FaltaCampo(std::string_view tipo, std::string_view nome) {
    return "O leiaute do registro " + std::string(tipo) + " não tem o campo " + std::string(nome) +
           ".";
}

void CopiaMensagem(std::string_view utf8, char* saida, std::size_t tamanho) {
    if (!saida || tamanho == 0) return;
    const std::string t = kelvor::texto::paraWindows1252(utf8);
    const std::size_t n = std::min(t.size(), tamanho - 1);
    std::memcpy(saida, t.data(), n);
    saida[n] = '\0';
}

bool MesmoArquivo(const std::string& a, const std::string& b) {
    std::error_code erro;
    return std::filesystem::equivalent(a, b, erro) && !erro;
}

LeituraFiscal::~LeituraFiscal() {
    leitor_.reset();
    if (arq_) std::fclose(arq_);
}

std::optional<std::string> LeituraFiscal::abre(const std::string& caminho) {
    caminho_ = caminho;
    errno = 0;
    arq_ = std::fopen(caminho.c_str(), "rb");
    if (!arq_) return "Não foi possível ler o arquivo " + caminho + ": " + motivo(errno);
    leitor_ = std::make_unique<kelvor::LeitorLinhas>(arq_);
    leitor_->dispensaCrc(); // o motor já conferiu o arquivo
    return std::nullopt;
}

bool LeituraFiscal::proxima(kelvor::Linha& l) {
    return leitor_ && leitor_->proxima(l);
}

std::optional<std::string> LeituraFiscal::falha() const {
    if (!leitor_ || leitor_->erro() == 0) return std::nullopt;
    return "Erro lendo o arquivo " + caminho_ + ": " + motivo(leitor_->erro());
}

GravadorCriticas::~GravadorCriticas() {
    descarta();
}

void GravadorCriticas::descarta() {
    if (!arq_) return;
    std::fclose(arq_);
    arq_ = nullptr;
    std::remove(parcial_.c_str());
}

std::optional<std::string> GravadorCriticas::cria(const std::string& caminho,
                                                  const std::string& caminhoFiscal,
                                                  std::int64_t primeiraSequencia) {
    descarta();
    caminho_ = caminho;
    parcial_ = caminho + ".parcial";
    proxima_ = primeiraSequencia;
    gravadas_ = 0;
    // O relatório nunca toma o lugar do arquivo que ele critica.
    if (MesmoArquivo(caminho, caminhoFiscal))
        return "O relatório de críticas não pode ser gravado sobre o arquivo fiscal: " + caminho;
    errno = 0;
    arq_ = std::fopen(parcial_.c_str(), "wb");
    if (!arq_) return "Não foi possível criar o arquivo " + caminho + ": " + motivo(errno);
    std::setvbuf(arq_, nullptr, _IOFBF, 1u << 16);
    std::string cabecalho = kelvor::formataCabecalho(caminhoFiscal, agora());
    cabecalho += "\r\n";
    std::fwrite(cabecalho.data(), 1, cabecalho.size(), arq_);
    return std::nullopt;
}

void GravadorCriticas::grava(const kelvor::Critica& c) {
    if (!arq_) return;
    std::string r = kelvor::formataCritica(c, proxima_++);
    r += "\r\n";
    std::fwrite(r.data(), 1, r.size(), arq_);
    ++gravadas_;
}

std::optional<std::string> GravadorCriticas::conclui() {
    if (!arq_) return "Erro gravando o arquivo " + caminho_ + ": " + motivo(EBADF);
    errno = 0;
    bool ok = std::fflush(arq_) == 0 && !std::ferror(arq_);
    int erro = errno;
    ok = std::fclose(arq_) == 0 && ok;
    arq_ = nullptr;
    if (!ok) {
        if (!erro) erro = errno;
        std::remove(parcial_.c_str());
        return "Erro gravando o arquivo " + caminho_ + ": " + motivo(erro);
    }
    std::error_code falha;
    std::filesystem::rename(parcial_, caminho_, falha);
    if (falha) {
        std::remove(parcial_.c_str());
        return "Não foi possível criar o arquivo " + caminho_ + ": " + motivo(falha.value());
    }
    return std::nullopt;
}

} // namespace reexame
