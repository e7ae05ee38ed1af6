#include "midia/FormatoMidia.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <cstdio>

namespace korventa::midia {

namespace {

constexpr std::string_view Secao = "[Midia]";
constexpr std::string_view Fim = "\r\n";

struct CampoIni {
    const char* nome;
    std::string DadosIni::*valor;
};
constexpr CampoIni Campos[] = {
    {"Classe", &DadosIni::classe},
    {"Gim", &DadosIni::gim},
    {"TipoDocumento", &DadosIni::tipoDocumento},
    {"Codigo", &DadosIni::codigo},
    {"Versao0", &DadosIni::versao0},
    {"Versao1", &DadosIni::versao1},
    {"Versao2", &DadosIni::versao2},
    {"UF", &DadosIni::uf},
};

} // namespace

bool ValorIniAceito(std::string_view valor) {
    return valor.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string TextoIni(const DadosIni& d, bool comSelo) {
    std::string t(Secao);
    t += Fim;
    for (const auto& c : Campos) {
        t += c.nome;
        t += '=';
        t += d.*c.valor;
        t += Fim;
    }
    if (comSelo) {
        t += "Selo=";
        t += d.selo;
        t += Fim;
    }
    return t;
}

bool LeIni(std::string_view texto, DadosIni& d) {
    DadosIni lido;
    std::size_t p = 0;
    auto linha = [&](std::string_view& l) {
        auto f = texto.find(Fim, p);
        if (f == std::string_view::npos) return false;
        l = texto.substr(p, f - p);
        p = f + Fim.size();
        return true;
    };
    std::string_view l;
    if (!linha(l) || l != Secao) return false;
    auto valor = [&](std::string_view nome, std::string& destino) {
        if (!linha(l) || l.size() <= nome.size() || l.substr(0, nome.size()) != nome ||
            l[nome.size()] != '=')
            return false;
        destino = std::string(l.substr(nome.size() + 1));
        return true;
    };
    for (const auto& c : Campos)
        if (!valor(c.nome, lido.*c.valor)) return false;
    if (!valor("Selo", lido.selo) || p != texto.size()) return false;
    // Só a forma canônica: qualquer byte diferente do que TextoIni grava é dano.
    if (TextoIni(lido) != texto) return false;
    d = std::move(lido);
    return true;
}

std::string CalculaSelo(std::string_view chave, std::string_view info, const DadosIni& ini,
                        const std::vector<ResumoEntrada>& entradas) {
    std::string msg = "KORVENTA-MIDIA 1\n";
    msg += info;
    msg += '\n';
    msg += TextoIni(ini, false);
    for (const auto& e : entradas) {
        char linha[96];
        std::snprintf(linha, sizeof linha, "\n%08X %08X %u %u %u %u\n", unsigned(e.crc),
                      unsigned(e.crcArmazenado), unsigned(e.tamanho), unsigned(e.tamanhoArmazenado),
                      unsigned(e.metodo), unsigned(e.bandeiras));
        msg += e.nome;
        msg += linha;
    }
    unsigned char mac[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    HMAC(EVP_sha256(), chave.data(), static_cast<int>(chave.size()),
         reinterpret_cast<const unsigned char*>(msg.data()), msg.size(), mac, &n);
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string r;
    for (unsigned i = 0; i < n; ++i) {
        r += Hex[mac[i] >> 4];
        r += Hex[mac[i] & 15];
    }
    return r;
}

bool SelosIguais(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

std::string ParaWindows1252(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            r += char(c);
            continue;
        }
        // Sequências de 2 bytes cobrem U+0080 a U+07FF, onde estão as letras acentuadas.
        if ((c & 0xE0) == 0xC0 && i + 1 < s.size() &&
            (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
            unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
            r += cp < 0x100 ? char(cp) : '?';
            ++i;
            continue;
        }
        if ((c & 0xF0) == 0xE0 && i + 2 < s.size()) {
            r += '?';
            i += 2;
            continue;
        }
        r += char(c);
    }
    return r;
}

} // namespace korventa::midia
