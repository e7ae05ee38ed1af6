#include "core/Bibliotecas.h"

#include "engine/Cabecalhos.h"

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kelvor::bibliotecas {

namespace {

// Biblioteca carregada enquanto o objeto vive.
class Carregada {
public:
    explicit Carregada(const std::string& caminho) {
#if defined(_WIN32)
        h_ = LoadLibraryA(caminho.c_str());
#else
        h_ = dlopen(caminho.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    }
    ~Carregada() {
        if (!h_) return;
#if defined(_WIN32)
        FreeLibrary(static_cast<HMODULE>(h_));
#else
        dlclose(h_);
#endif
    }
    Carregada(const Carregada&) = delete;
    Carregada& operator=(const Carregada&) = delete;

    explicit operator bool() const {
        return h_ != nullptr;
    }

    template <typename F> F simbolo(const char* nome) const {
        if (!h_) return nullptr;
#if defined(_WIN32)
        return reinterpret_cast<F>(GetProcAddress(static_cast<HMODULE>(h_), nome));
#else
        return reinterpret_cast<F>(dlsym(h_, nome));
#endif
    }

private:
    void* h_ = nullptr;
};

std::optional<std::string> texto(const char* v) {
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

} // namespace

std::string pastaDoModulo(const void* endereco) {
#if defined(_WIN32)
    HMODULE m = nullptr;
    char nome[MAX_PATH] = {};
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(endereco), &m))
        GetModuleFileNameA(m, nome, MAX_PATH);
    std::string arquivo = nome;
#else
    Dl_info info{};
    std::string arquivo;
    if (dladdr(endereco, &info) && info.dli_fname) arquivo = info.dli_fname;
#endif
    std::error_code ec;
    auto p = std::filesystem::absolute(arquivo, ec);
    return (ec ? std::filesystem::path(arquivo) : p).parent_path().string();
}

std::string nomeArquivo(std::string_view base) {
#if defined(_WIN32)
    return std::string(base) + ".dll";
#elif defined(__APPLE__)
    return "lib" + std::string(base) + ".dylib";
#else
    return "lib" + std::string(base) + ".so";
#endif
}

std::optional<std::string> versaoPorFuncao(const std::string& caminho, const char* funcao) {
    Carregada b(caminho);
    auto f = b.simbolo<korventa::assinaturas::GetVersaoDll>(funcao);
    if (!f) return std::nullopt;
    return texto(f());
}

std::optional<std::string> versaoDe(const std::string& caminho) {
    Carregada b(caminho);
    if (!b) return std::nullopt;
    for (const char* nome : {"Valkora2_Versao", "Valkora3_Versao", "GetVersaoDll"})
        if (auto f = b.simbolo<korventa::assinaturas::GetVersaoDll>(nome)) return texto(f());
    if (auto f = b.simbolo<korventa::assinaturas::VersaoGerarMidiaQIV>("VersaoGerarMidiaQIV")) {
        char versao[100] = {};
        char mensagem[1000] = {};
        if (f(versao, mensagem, sizeof mensagem) == 0) return texto(versao);
    }
    return std::nullopt;
}

} // namespace kelvor::bibliotecas
