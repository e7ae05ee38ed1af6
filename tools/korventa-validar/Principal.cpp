// korventa-validar: valida arquivos fiscais em lote, para scripts.
#include "Midia.h"
#include "Opcoes.h"
#include "Saida.h"

#include "core/Execucao.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr int SaidaNaoValidou = 3;

// Guarda as primeiras críticas para mostrar.
class Primeiras final : public kelvor::ObservadorCriticas {
public:
    explicit Primeiras(std::size_t max) : max_(max) {}
    void critica(const kelvor::Critica& c) override {
        if (lista.size() < max_) lista.push_back(c);
    }
    std::vector<kelvor::Critica> lista;

private:
    std::size_t max_;
};

void barra(const std::string& arquivo, int pct, int lidos, int total) {
    constexpr int Largura = 30;
    int cheio = pct * Largura / 100;
    std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%  %d de %d registros", arquivo.c_str(), cheio,
                 "##############################", Largura - cheio, "", pct, lidos, total);
    std::fflush(stderr);
}

int codigoSaida(int veredito) {
    return veredito >= 0 && veredito <= 2 ? veredito : SaidaNaoValidou;
}

} // namespace

int main(int argc, char** argv) {
    Opcoes o;
    if (auto erro = leOpcoes(argc, argv, o)) {
        std::fprintf(stderr, "korventa-validar: %s\n\n%s", erro->c_str(), textoAjuda());
        return SaidaNaoValidou;
    }
    if (o.ajuda) {
        std::fputs(textoAjuda(), stdout);
        return 0;
    }
    if (!o.midia.empty()) return mostraMidia(o.midia, o.json);
    bool terminal = isatty(fileno(stderr));
    int pior = 0;
    for (std::size_t i = 0; i < o.arquivos.size(); ++i) {
        const auto& arquivo = o.arquivos[i];
        kelvor::Parametros p;
        p.arquivo = arquivo;
        p.relatorio = caminhoPara(o.relatorio, i, o.arquivos.size());
        p.totaisCfop = caminhoPara(o.totaisCfop, i, o.arquivos.size());
        p.flagLeiaute = o.flagLeiaute;
        p.versaoConvenio = o.versaoConvenio;
        Primeiras primeiras(static_cast<std::size_t>(o.maxCriticas));
        kelvor::ExecucaoValidacao execucao;
        std::string mensagem;
        if (!execucao.inicia(p, mensagem, &primeiras)) {
            std::fprintf(stderr, "korventa-validar: %s\n", mensagem.c_str());
            if (o.json) std::printf("%s\n", falhaEmJson(arquivo, mensagem).c_str());
            pior = std::max(pior, SaidaNaoValidou);
            continue;
        }
        int pct = 0, lidos = 0, total = 0;
        while (execucao.estado(pct, lidos, total) == kelvor::EstadoEmAndamento) {
            if (terminal) barra(arquivo, pct, lidos, total);
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        execucao.espera();
        if (terminal) {
            barra(arquivo, pct, lidos, total);
            std::fputc('\n', stderr);
        }
        auto r = execucao.resultado();
        if (!r.falha.empty()) {
            std::fprintf(stderr, "korventa-validar: %s\n", r.falha.c_str());
            if (o.json) std::printf("%s\n", falhaEmJson(arquivo, r.falha).c_str());
            pior = std::max(pior, SaidaNaoValidou);
            continue;
        }
        auto texto = o.json ? emJson(arquivo, r, primeiras.lista) + "\n"
                            : emTexto(arquivo, r, primeiras.lista);
        std::fputs(texto.c_str(), stdout);
        pior = std::max(pior, codigoSaida(r.veredito));
    }
    return pior;
}
