#include "Escritor.h"

#include <cstring>

namespace kelvor::exemplo {

namespace {
constexpr std::size_t tamanhoBloco = 4u << 20;
}

Escritor::Escritor(Destino& destino, Resumo& resumo, bool soLf)
    : destino_(destino), resumo_(resumo), buf_(tamanhoBloco), soLf_(soLf) {}

void Escritor::poe(const char* p, std::size_t n) {
    if (usado_ + n > buf_.size()) descarrega();
    std::memcpy(buf_.data() + usado_, p, n);
    usado_ += n;
}

void Escritor::descarrega() {
    if (usado_ > 0 && ok_) ok_ = destino_.grava(buf_.data(), usado_);
    usado_ = 0;
}

void Escritor::linha(const Registro& r, int posicoes) {
    if (fimPendente_) poe(soLf_ ? "\n" : "\r\n", soLf_ ? 1 : 2);
    poe(r.dados(), static_cast<std::size_t>(posicoes));
    fimPendente_ = true;
    ++resumo_.linhas;
    const char* t = r.dados();
    if (t[0] >= '0' && t[0] <= '9' && t[1] >= '0' && t[1] <= '9')
        ++resumo_.porTipo[static_cast<std::size_t>((t[0] - '0') * 10 + (t[1] - '0'))];
    resumo_.bytes += static_cast<std::uint64_t>(posicoes) + (soLf_ ? 1 : 2);
}

bool Escritor::termina(bool quebraFinal, bool eof26) {
    if (fimPendente_ && quebraFinal)
        poe(soLf_ ? "\n" : "\r\n", soLf_ ? 1 : 2);
    else if (fimPendente_)
        resumo_.bytes -= soLf_ ? 1 : 2;
    fimPendente_ = false;
    if (eof26) {
        poe("\x1a", 1);
        ++resumo_.bytes;
    }
    descarrega();
    return ok_;
}

DestinoArquivo::DestinoArquivo(const std::string& caminho)
    : f_(std::fopen(caminho.c_str(), "wb")) {}

DestinoArquivo::~DestinoArquivo() {
    if (f_ != nullptr) std::fclose(f_);
}

bool DestinoArquivo::grava(const char* dados, std::size_t n) {
    return f_ != nullptr && std::fwrite(dados, 1, n, f_) == n;
}

bool DestinoArquivo::fecha() {
    if (f_ == nullptr) return false;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok;
}

} // namespace kelvor::exemplo
