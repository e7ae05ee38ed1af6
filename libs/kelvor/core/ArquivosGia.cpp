#include "core/ArquivosGia.h"

#include "core/Leitor.h"
#include "core/Texto.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace kelvor::gia {

namespace {

// Quantidade de notas e os cinco valores do registro 50 (centavos).
struct Somas {
    std::int64_t quantidade = 0;
    std::array<std::int64_t, 5> valor{};
};
using Tabela = std::map<std::string, Somas>;

constexpr const char* TitulosValores =
    " QUANTIDADE     VALOR TOTAL BASE DE CALCULO            ICMS ISENTAS/NAO TRIB          OUTRAS";

// Campo numérico do registro (1-based, tamanho); o que não for dígito conta como zero: o
// arquivo já passou pela validação, mas um campo ruim não pode derrubar a geração.
std::int64_t valor(std::string_view r, std::size_t inicio, std::size_t tamanho) {
    std::int64_t v = 0;
    for (char c : r.substr(inicio - 1, tamanho)) {
        if (c < '0' || c > '9') return 0;
        v = v * 10 + (c - '0');
    }
    return v;
}

void soma(Tabela& t, const std::string& chave, std::string_view r) {
    Somas& s = t[chave];
    ++s.quantidade;
    s.valor[0] += valor(r, 57, 13);
    s.valor[1] += valor(r, 70, 13);
    s.valor[2] += valor(r, 83, 13);
    s.valor[3] += valor(r, 96, 13);
    s.valor[4] += valor(r, 109, 13);
}

struct Fecha {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Grava num temporário ao lado e troca de nome só no fim.
std::optional<std::string> grava(const std::string& caminho, const std::string& titulos,
                                 const Tabela& t) {
    const std::string temp = caminho + ".gravando";
    std::unique_ptr<std::FILE, Fecha> f(std::fopen(temp.c_str(), "wb"));
    if (!f)
        return "Não foi possível criar o arquivo " + caminho + ": " +
               texto::motivoSistema(errno ? errno : EIO);
    std::string linhas = titulos + TitulosValores + "\r\n";
    for (const auto& [chave, s] : t) {
        char numeros[160];
        std::snprintf(numeros, sizeof numeros, " %10lld %15lld %15lld %15lld %15lld %15lld\r\n",
                      static_cast<long long>(s.quantidade), static_cast<long long>(s.valor[0]),
                      static_cast<long long>(s.valor[1]), static_cast<long long>(s.valor[2]),
                      static_cast<long long>(s.valor[3]), static_cast<long long>(s.valor[4]));
        linhas += chave;
        linhas += numeros;
    }
    errno = 0;
    bool ok = std::fwrite(linhas.data(), 1, linhas.size(), f.get()) == linhas.size() &&
              std::fflush(f.get()) == 0;
    const int erro = errno;
    ok = std::fclose(f.release()) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, caminho, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return "Erro gravando o arquivo " + caminho + ": " +
               texto::motivoSistema(erro ? erro : EIO);
    }
    return std::nullopt;
}

bool movimento(char situacao) {
    return situacao == 'N' || situacao == 'E';
}

} // namespace

std::optional<std::string> geraArquivos(const std::string& fiscal, const std::string& porSituacao,
                                        const std::string& porOutrasIEs, const std::string& porUF) {
    errno = 0;
    std::unique_ptr<std::FILE, Fecha> f(std::fopen(fiscal.c_str(), "rb"));
    if (!f)
        return "Não foi possível ler o arquivo " + fiscal + ": " +
               texto::motivoSistema(errno ? errno : EIO);
    Tabela situacao, outrasIEs, uf;
    LeitorLinhas leitor(f.get());
    Linha l;
    while (leitor.proxima(l)) {
        const std::string_view r = l.texto;
        if (r.size() != 126 || r[0] != '5' || r[1] != '0') continue;
        const std::string cfop(r.substr(51, 4));
        const char sit = r[125];
        soma(situacao, cfop + ' ' + sit, r);
        if (!movimento(sit)) continue;
        const bool isento = r.substr(16, 6) == "ISENTO" &&
                            r.substr(22, 8).find_first_not_of(' ') == std::string_view::npos;
        soma(outrasIEs, cfop + (isento ? " I" : " C"), r);
        if (cfop[0] == '2' || cfop[0] == '6')
            soma(uf, std::string(r.substr(38, 2)) + ' ' + cfop, r);
    }
    if (leitor.erro())
        return "Não foi possível ler o arquivo " + fiscal + ": " +
               texto::motivoSistema(leitor.erro());
    if (auto e = grava(porSituacao, "CFOP S", situacao)) return e;
    if (auto e = grava(porOutrasIEs, "CFOP T", outrasIEs)) return e;
    return grava(porUF, "UF CFOP", uf);
}

} // namespace kelvor::gia
