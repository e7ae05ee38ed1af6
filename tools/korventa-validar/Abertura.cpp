#include "Abertura.h"

#include "Opcoes.h"

#include "abertura/InicioArquivo.h"
#include "core/Arquivo.h"

#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace ab = korventa::abertura;

std::optional<std::string> recusaNaAbertura(const std::string& caminho) {
    if (auto e = kelvor::verificaArquivo(caminho)) return e;
    std::FILE* f = nullptr;
    if (kelvor::abreParaLer(caminho, f)) return ab::ErroAbrindo(caminho);
    ab::LinhasIniciais linhas;
    std::vector<char> bloco(64 * 1024);
    std::size_t n = 0;
    while (!linhas.completas() && (n = std::fread(bloco.data(), 1, bloco.size(), f)) > 0)
        linhas.acrescenta(std::string_view(bloco.data(), n));
    const bool falhou = std::ferror(f) != 0;
    if (std::fclose(f) != 0 && !falhou) return ab::ErroFechando(caminho);
    if (falhou) return ab::ErroLendo(caminho);
    linhas.terminaArquivo();
    if (auto r = ab::ConfereInicio(linhas, caminho)) return r->mensagem;
    return std::nullopt;
}

namespace {

// Identidade de um caminho: dispositivo e inode quando existe (pega atalhos e ligações), senão o
// caminho absoluto. Conta uma vez por arquivo: um lote pode ter milhares.
std::string identidade(const std::string& caminho) {
    namespace fs = std::filesystem;
#if !defined(_WIN32)
    struct stat st {};
    if (::stat(caminho.c_str(), &st) == 0)
        return "i" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
#endif
    std::error_code ec;
    return "c" + fs::weakly_canonical(fs::absolute(caminho, ec), ec).lexically_normal().string();
}

} // namespace

std::optional<std::string> confereSaidasDoLote(const Opcoes& o) {
    if (o.relatorio.empty() && o.totaisCfop.empty()) return std::nullopt;
    const auto n = o.arquivos.size();
    std::unordered_set<std::string> entradas;
    for (const auto& a : o.arquivos)
        entradas.insert(identidade(a));
    std::unordered_map<std::string, std::size_t> saidas; // identidade -> arquivo do lote
    for (std::size_t i = 0; i < n; ++i) {
        const auto rel = caminhoPara(o.relatorio, i, n);
        const auto tot = caminhoPara(o.totaisCfop, i, n);
        std::string idRel, idTot;
        if (!rel.empty()) {
            idRel = identidade(rel);
            if (entradas.count(idRel)) return kelvor::recusaSaida::relatorioSobreEntrada(rel);
        }
        if (!tot.empty()) {
            idTot = identidade(tot);
            if (entradas.count(idTot)) return kelvor::recusaSaida::totaisSobreEntrada(tot);
        }
        if (!idRel.empty() && idRel == idTot) return kelvor::recusaSaida::relatorioIgualTotais(rel);
        for (const auto* id : {&idRel, &idTot}) {
            if (id->empty()) continue;
            if (!saidas.emplace(*id, i).second)
                return "Dois arquivos de saída do lote seriam o mesmo arquivo: " +
                       (id == &idRel ? rel : tot);
        }
    }
    return std::nullopt;
}
