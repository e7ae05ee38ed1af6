#include "core/ReciboCripto.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace kelvor::recibo {

namespace {

constexpr std::string_view Marca = "KRCB";
constexpr unsigned char Versao = 1;
constexpr std::size_t TamanhoNonce = 12;
constexpr std::size_t TamanhoMarcaGcm = 16;
constexpr std::size_t Cabecalho = 4 + 1 + TamanhoNonce;

// Chave do motor: fica só dentro desta biblioteca.
constexpr std::array<unsigned char, 32> Chave = {
    0x4b, 0x9e, 0x17, 0xd2, 0x6a, 0x03, 0xc8, 0x55, 0xe1, 0x7f, 0x2c, 0x90, 0xb3, 0x48, 0x0d, 0xa6,
    0x71, 0x3e, 0xfa, 0x62, 0x19, 0xcd, 0x84, 0x2b, 0x5f, 0xe7, 0x36, 0x9a, 0x0c, 0xd1, 0x58, 0xb4};

// O cabeçalho inteiro entra como dado autenticado: trocar a versão também quebra a marca.
using Contexto = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

Contexto NovoContexto() {
    return Contexto(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
}

const unsigned char* bytes(std::string_view s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

} // namespace

std::optional<std::string> Cifra(std::string_view texto) {
    std::string saida(Cabecalho + texto.size() + TamanhoMarcaGcm, '\0');
    auto* p = reinterpret_cast<unsigned char*>(saida.data());
    saida.replace(0, Marca.size(), Marca);
    p[4] = Versao;
    if (RAND_bytes(p + 5, int(TamanhoNonce)) != 1) return std::nullopt;

    Contexto ctx = NovoContexto();
    int n = 0, fim = 0;
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, int(TamanhoNonce), nullptr) != 1 ||
        EVP_EncryptInit_ex(ctx.get(), nullptr, nullptr, Chave.data(), p + 5) != 1 ||
        EVP_EncryptUpdate(ctx.get(), nullptr, &n, p, int(Cabecalho)) != 1 ||
        EVP_EncryptUpdate(ctx.get(), p + Cabecalho, &n, bytes(texto), int(texto.size())) != 1 ||
        EVP_EncryptFinal_ex(ctx.get(), p + Cabecalho + n, &fim) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_GET_TAG, int(TamanhoMarcaGcm),
                            p + Cabecalho + texto.size()) != 1)
        return std::nullopt;
    return saida;
}

std::optional<std::string> Decifra(std::string_view conteudo) {
    if (conteudo.size() < Cabecalho + TamanhoMarcaGcm || conteudo.substr(0, 4) != Marca ||
        static_cast<unsigned char>(conteudo[4]) != Versao)
        return std::nullopt;
    const std::size_t tamanho = conteudo.size() - Cabecalho - TamanhoMarcaGcm;
    const unsigned char* p = bytes(conteudo);
    std::array<unsigned char, TamanhoMarcaGcm> marca{};
    std::copy_n(p + Cabecalho + tamanho, TamanhoMarcaGcm, marca.begin());

    std::string texto(tamanho, '\0');
    auto* saida = reinterpret_cast<unsigned char*>(texto.data());
    Contexto ctx = NovoContexto();
    int n = 0, fim = 0;
    if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_IVLEN, int(TamanhoNonce), nullptr) != 1 ||
        EVP_DecryptInit_ex(ctx.get(), nullptr, nullptr, Chave.data(), p + 5) != 1 ||
        EVP_DecryptUpdate(ctx.get(), nullptr, &n, p, int(Cabecalho)) != 1 ||
        EVP_DecryptUpdate(ctx.get(), saida, &n, p + Cabecalho, int(tamanho)) != 1 ||
        EVP_CIPHER_CTX_ctrl(ctx.get(), EVP_CTRL_GCM_SET_TAG, int(TamanhoMarcaGcm), marca.data()) !=
            1 ||
        EVP_DecryptFinal_ex(ctx.get(), saida + n, &fim) != 1)
        return std::nullopt;
    return texto;
}

std::vector<std::string> Linhas(std::string_view texto) {
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < texto.size()) {
        std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string_view::npos) fim = texto.size();
        std::string_view linha = texto.substr(inicio, fim - inicio);
        if (!linha.empty() && linha.back() == '\r') linha.remove_suffix(1);
        linhas.emplace_back(linha);
        inicio = fim + 1;
    }
    return linhas;
}

} // namespace kelvor::recibo
