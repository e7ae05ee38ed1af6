#include "midia/EstruturaZip.h"

#include "midia/FormatoMidia.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

#if defined(_WIN32)
#define fseeko _fseeki64
#define ftello _ftelli64
using off_t = long long;
#endif

namespace korventa::midia {

namespace {

constexpr std::uint32_t AssinaturaLocal = 0x04034b50;
constexpr std::uint32_t AssinaturaCentral = 0x02014b50;
constexpr std::uint32_t AssinaturaFim = 0x06054b50;
constexpr std::size_t TamanhoLocal = 30, TamanhoCentral = 46, TamanhoFim = 22;
// Uma mídia tem poucas entradas: um diretório maior que isto não é nosso.
constexpr std::uint32_t MaiorDiretorio = 1u << 20;
constexpr std::uint32_t MaiorConteudo = 256u << 20;

struct Fecha {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using Arquivo = std::unique_ptr<std::FILE, Fecha>;

std::uint16_t u16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const unsigned char* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

bool le(std::FILE* f, std::uint64_t offset, void* destino, std::size_t n) {
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
    return std::fread(destino, 1, n, f) == n;
}

// Campo extra 0x9901 da cifra AES: versão 1 ou 2, "AE", força 3 (256 bits), método real.
bool LeExtraAes(const std::string& extra, std::uint16_t& metodoReal) {
    if (extra.size() != 11) return false;
    auto p = reinterpret_cast<const unsigned char*>(extra.data());
    if (u16(p) != 0x9901 || u16(p + 2) != 7) return false;
    const std::uint16_t versao = u16(p + 4);
    if ((versao != 1 && versao != 2) || p[6] != 'A' || p[7] != 'E' || p[8] != 3) return false;
    metodoReal = u16(p + 9);
    return metodoReal == 0 || metodoReal == 8;
}

bool NomeAceito(const std::string& nome) {
    return !nome.empty() && nome.find_first_of(std::string("/\\\0", 3)) == std::string::npos &&
           nome != "." && nome != "..";
}

} // namespace

std::optional<std::string> ExaminaZip(const std::string& caminho, std::size_t tamanhoComentario,
                                      ArquivoZip& zip) {
    zip = {};
    Arquivo f(std::fopen(caminho.c_str(), "rb"));
    if (!f) return "não abriu";
    if (fseeko(f.get(), 0, SEEK_END) != 0) return "não posicionou";
    const auto total = static_cast<std::uint64_t>(ftello(f.get()));
    if (total < TamanhoFim + tamanhoComentario) return "curto demais";

    // Fim do diretório central: exatamente antes do comentário do tamanho esperado.
    const std::uint64_t posFim = total - TamanhoFim - tamanhoComentario;
    unsigned char fim[TamanhoFim];
    if (!le(f.get(), posFim, fim, TamanhoFim)) return "fim ilegível";
    if (u32(fim) != AssinaturaFim) return "sem fim de diretório";
    const std::uint16_t qtd = u16(fim + 8);
    const std::uint32_t tamDir = u32(fim + 12), posDir = u32(fim + 16);
    if (u16(fim + 4) != 0 || u16(fim + 6) != 0 || u16(fim + 10) != qtd ||
        u16(fim + 20) != tamanhoComentario)
        return "fim de diretório inválido";
    if (std::uint64_t(posDir) + tamDir != posFim || tamDir > MaiorDiretorio || qtd == 0)
        return "diretório fora de lugar";
    zip.comentario.resize(tamanhoComentario);
    if (tamanhoComentario &&
        !le(f.get(), posFim + TamanhoFim, zip.comentario.data(), tamanhoComentario))
        return "comentário ilegível";

    std::string dir(tamDir, '\0');
    if (!le(f.get(), posDir, dir.data(), tamDir)) return "diretório ilegível";
    auto d = reinterpret_cast<const unsigned char*>(dir.data());
    std::size_t p = 0;
    std::uint64_t esperado = 0; // onde a próxima entrada tem de começar
    std::set<std::string> nomes;
    std::vector<unsigned char> buf(1u << 20);
    for (unsigned i = 0; i < qtd; ++i) {
        if (p + TamanhoCentral > tamDir || u32(d + p) != AssinaturaCentral)
            return "registro central inválido";
        const unsigned char* c = d + p;
        EntradaZip e;
        e.versaoCriador = u16(c + 4);
        e.versaoNecessaria = u16(c + 6);
        e.bandeiras = u16(c + 8);
        e.metodo = u16(c + 10);
        e.crc = u32(c + 16);
        e.tamanhoArmazenado = u32(c + 20);
        e.tamanho = u32(c + 24);
        const std::uint16_t n = u16(c + 28), x = u16(c + 30), k = u16(c + 32);
        const std::uint32_t offset = u32(c + 42);
        if (k != 0 || u16(c + 34) != 0 || u16(c + 36) != 0 || u32(c + 38) != AtributosExternos ||
            (e.versaoCriador >> 8) != SistemaAtributos)
            return "atributos inesperados";
        if (!zip.entradas.empty() && e.versaoCriador != zip.entradas.front().versaoCriador)
            return "versões de criador diferentes";
        if (p + TamanhoCentral + n + x > tamDir) return "registro central cortado";
        e.nome.assign(reinterpret_cast<const char*>(c + TamanhoCentral), n);
        const std::string extra(reinterpret_cast<const char*>(c + TamanhoCentral + n), x);
        p += TamanhoCentral + n + x;
        if (!NomeAceito(e.nome) || !nomes.insert(e.nome).second) return "nome inválido";
        // Sem descritor de dados, sem ZIP64, bandeiras só de cifra e nível de compressão.
        if ((e.bandeiras & ~0x0807u) != 0 || offset != esperado ||
            e.tamanhoArmazenado == 0xFFFFFFFFu || e.tamanho == 0xFFFFFFFFu)
            return "entrada inesperada: " + e.nome;
        if (e.metodo == 99) {
            if (!(e.bandeiras & 1) || !LeExtraAes(extra, e.metodoReal))
                return "cifra inválida: " + e.nome;
        } else if ((e.metodo != 0 && e.metodo != 8) || (e.bandeiras & 1) || !extra.empty()) {
            return "método inválido: " + e.nome;
        } else {
            e.metodoReal = e.metodo;
        }
        if (e.metodoReal == 0 && !e.cifrada() && e.tamanho != e.tamanhoArmazenado)
            return "tamanho inválido: " + e.nome;

        // Cabeçalho local: os mesmos campos, byte a byte.
        unsigned char l[TamanhoLocal];
        if (!le(f.get(), offset, l, TamanhoLocal) || u32(l) != AssinaturaLocal)
            return "cabeçalho local inválido: " + e.nome;
        if (std::memcmp(l + 4, c + 6, 26) != 0) return "cabeçalho local diferente: " + e.nome;
        std::string nomeExtra(std::size_t(n) + x, '\0');
        if (!nomeExtra.empty() && !std::fread(nomeExtra.data(), nomeExtra.size(), 1, f.get()))
            return "cabeçalho local cortado: " + e.nome;
        if (nomeExtra != e.nome + extra) return "cabeçalho local diferente: " + e.nome;
        e.inicioDados = std::uint64_t(offset) + TamanhoLocal + n + x;
        esperado = e.inicioDados + e.tamanhoArmazenado;
        if (esperado > posDir) return "dados além do diretório: " + e.nome;

        uLong crc = crc32(0L, Z_NULL, 0);
        for (std::uint64_t falta = e.tamanhoArmazenado; falta > 0;) {
            const std::size_t bloco = std::size_t(std::min<std::uint64_t>(falta, buf.size()));
            if (std::fread(buf.data(), 1, bloco, f.get()) != bloco)
                return "dados ilegíveis: " + e.nome;
            crc = crc32(crc, buf.data(), static_cast<uInt>(bloco));
            falta -= bloco;
        }
        e.crcArmazenado = static_cast<std::uint32_t>(crc);
        zip.entradas.push_back(std::move(e));
    }
    if (p != tamDir || esperado != posDir) return "sobra entre as entradas e o diretório";
    return std::nullopt;
}

std::optional<std::string> LeConteudo(const std::string& caminho, const EntradaZip& e,
                                      std::string& conteudo) {
    conteudo.clear();
    if (e.cifrada()) return "entrada cifrada: " + e.nome;
    if (e.tamanho > MaiorConteudo) return "entrada grande demais: " + e.nome;
    Arquivo f(std::fopen(caminho.c_str(), "rb"));
    std::string armazenado(e.tamanhoArmazenado, '\0');
    if (!f || !le(f.get(), e.inicioDados, armazenado.data(), armazenado.size()))
        return "dados ilegíveis: " + e.nome;
    if (e.metodo == 0) {
        conteudo = std::move(armazenado);
    } else {
        conteudo.resize(e.tamanho);
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return "inflate";
        z.next_in = reinterpret_cast<Bytef*>(armazenado.data());
        z.avail_in = static_cast<uInt>(armazenado.size());
        z.next_out = reinterpret_cast<Bytef*>(conteudo.data());
        z.avail_out = static_cast<uInt>(conteudo.size());
        const int r = inflate(&z, Z_FINISH);
        const bool certo = r == Z_STREAM_END && z.avail_out == 0 && z.avail_in == 0;
        inflateEnd(&z);
        if (!certo) return "deflate inválido: " + e.nome;
    }
    const auto crc = crc32(0L, reinterpret_cast<const Bytef*>(conteudo.data()),
                           static_cast<uInt>(conteudo.size()));
    if (crc != e.crc) return "CRC diferente: " + e.nome;
    return std::nullopt;
}

} // namespace korventa::midia
