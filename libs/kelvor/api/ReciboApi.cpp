// Interface C dos recibos cifrados: um recibo aberto por vez, lido linha a linha.
#include "engine/Cabecalhos.h"

#include "core/Log.h"
#include "core/ReciboCripto.h"
#include "core/Texto.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Recibo de verdade tem umas 40 linhas; acima disto não é recibo.
constexpr std::uintmax_t MaiorRecibo = 1 << 20;

void copia(char* destino, int32 tamanho, std::string_view utf8) {
    if (!destino || tamanho <= 0) return;
    const std::string s = kelvor::texto::paraWindows1252(utf8);
    const std::size_t n = std::min(s.size(), std::size_t(tamanho - 1));
    std::memcpy(destino, s.data(), n);
    destino[n] = '\0';
}

std::string texto(const char* s) {
    return s ? std::string(s) : std::string();
}

std::string motivo(int numero) {
    return kelvor::texto::paraUtf8(std::strerror(numero));
}

struct ReciboAberto {
    std::mutex trava;
    std::vector<std::string> linhas; // Windows-1252, como no arquivo
    std::size_t proxima = 0;
    bool aberto = false;
};

ReciboAberto& recibo() {
    static ReciboAberto r;
    return r;
}

// Conteúdo inteiro do arquivo, ou a mensagem do motivo.
std::optional<std::string> le(const std::string& caminho, std::string& conteudo) {
    std::error_code ec;
    const auto tamanho = fs::file_size(caminho, ec);
    if (ec) return "Não foi possível ler o recibo " + caminho + ": " + motivo(ec.value());
    if (tamanho > MaiorRecibo) return "Recibo inválido ou danificado: " + caminho;
    std::ifstream f(caminho, std::ios::binary);
    conteudo.assign(std::size_t(tamanho), '\0');
    if (!f.read(conteudo.data(), std::streamsize(tamanho)))
        return "Não foi possível ler o recibo " + caminho + ": " + motivo(errno ? errno : EIO);
    return std::nullopt;
}

// Grava num temporário da mesma pasta e só então troca de nome: um recibo pela metade nunca
// fica com o nome definitivo.
std::optional<std::string> grava(const std::string& caminho, const std::string& conteudo) {
    const fs::path destino(caminho);
    std::random_device aleatorio;
    const fs::path temp = destino.parent_path() / ("." + destino.filename().string() + "." +
                                                   std::to_string(aleatorio() % 1000000) + ".tmp");
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (!f) return "Não foi possível gravar o recibo " + caminho + ": " + motivo(errno);
        f.write(conteudo.data(), std::streamsize(conteudo.size()));
        f.flush();
        if (!f) {
            const int numero = errno ? errno : EIO;
            f.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return "Não foi possível gravar o recibo " + caminho + ": " + motivo(numero);
        }
    }
    std::error_code ec;
    fs::rename(temp, destino, ec);
    if (ec) {
        std::error_code ignorado;
        fs::remove(temp, ignorado);
        return "Não foi possível gravar o recibo " + caminho + ": " + motivo(ec.value());
    }
    return std::nullopt;
}

} // namespace

KORVENTA_API int32 KORVENTA_CALL AbrirArquivoCripto(const char* caminhoRecibo, char* mensagem,
                                                    int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    ReciboAberto& r = recibo();
    std::lock_guard<std::mutex> g(r.trava);
    r.linhas.clear();
    r.proxima = 0;
    r.aberto = false;
    const std::string caminho = texto(caminhoRecibo);
    try {
        std::string conteudo;
        if (auto erro = le(caminho, conteudo)) {
            copia(mensagem, tamanhoMensagem, *erro);
            return 1;
        }
        const auto claro = kelvor::recibo::Decifra(conteudo);
        if (!claro) {
            kelvor::log::evento(3, "Recibo recusado: " + caminho);
            copia(mensagem, tamanhoMensagem, "Recibo inválido ou danificado: " + caminho);
            return 2;
        }
        r.linhas = kelvor::recibo::Linhas(*claro);
        r.aberto = true;
        return 0;
    } catch (const std::exception& e) {
        copia(mensagem, tamanhoMensagem, std::string("Erro ao abrir o recibo: ") + e.what());
        return 3;
    }
}

KORVENTA_API int32 KORVENTA_CALL LerArquivoCripto(char* linha, int32 tamanhoLinha, char* mensagem,
                                                  int32 tamanhoMensagem, int32* tamanhoLido) {
    copia(mensagem, tamanhoMensagem, "");
    if (tamanhoLido) *tamanhoLido = 0;
    if (linha && tamanhoLinha > 0) linha[0] = '\0';
    ReciboAberto& r = recibo();
    std::lock_guard<std::mutex> g(r.trava);
    if (!r.aberto) {
        copia(mensagem, tamanhoMensagem, "Nenhum recibo aberto.");
        return 1;
    }
    if (r.proxima >= r.linhas.size()) {
        copia(mensagem, tamanhoMensagem, "Fim do recibo.");
        return 2;
    }
    if (!linha || tamanhoLinha <= 0) {
        copia(mensagem, tamanhoMensagem, "Tamanho da linha não informado.");
        return 3;
    }
    // A linha já está em Windows-1252: vai como está, cortada no tamanho do buffer.
    const std::string& l = r.linhas[r.proxima++];
    const std::size_t n = std::min(l.size(), std::size_t(tamanhoLinha - 1));
    std::memcpy(linha, l.data(), n);
    linha[n] = '\0';
    if (tamanhoLido) *tamanhoLido = int32(n);
    return 0;
}

KORVENTA_API int32 KORVENTA_CALL FecharArquivoCripto(void) {
    ReciboAberto& r = recibo();
    std::lock_guard<std::mutex> g(r.trava);
    r.linhas.clear();
    r.proxima = 0;
    r.aberto = false;
    return 0;
}

KORVENTA_API int32 KORVENTA_CALL GravarArquivoCripto(const char* caminhoRecibo,
                                                     const char* texto1252, char* mensagem,
                                                     int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    const std::string caminho = texto(caminhoRecibo);
    try {
        if (caminho.empty()) {
            copia(mensagem, tamanhoMensagem, "Caminho do recibo não informado.");
            return 1;
        }
        const auto cifrado = kelvor::recibo::Cifra(texto(texto1252));
        if (!cifrado) {
            copia(mensagem, tamanhoMensagem, "Não foi possível cifrar o recibo " + caminho + ".");
            return 2;
        }
        if (auto erro = grava(caminho, *cifrado)) {
            copia(mensagem, tamanhoMensagem, *erro);
            return 3;
        }
        return 0;
    } catch (const std::exception& e) {
        copia(mensagem, tamanhoMensagem, std::string("Erro ao gravar o recibo: ") + e.what());
        return 4;
    }
}
