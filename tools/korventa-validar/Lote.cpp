#include "Lote.h"

#include "Abertura.h"
#include "Coletor.h"
#include "Saida.h"
#include "SaidaTemporaria.h"

#include "core/Texto.h"
#include "core/Validador.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr int SaidaNaoValidou = 3;

struct Item {
    Item(std::string a, bool json, int maximo)
        : arquivo(std::move(a)), criticas(json, static_cast<std::size_t>(maximo)) {}
    std::string arquivo;
    ColetorCriticas criticas;
    kelvor::Progresso progresso;
    kelvor::Resultado resultado;
    std::optional<std::string> falha; // não validado: o motivo
    bool pronto = false;              // guardado pela trava do lote
};

void valida(Item& it, const Opcoes& o, std::size_t i, std::size_t n, int threads) {
    static const std::atomic<bool> nuncaCancela{false};
    if (auto m = recusaNaAbertura(it.arquivo)) {
        it.falha = std::move(m);
        return;
    }
    SaidaTemporaria relatorio(caminhoPara(o.relatorio, i, n));
    SaidaTemporaria totais(caminhoPara(o.totaisCfop, i, n));
    for (auto* saida : {&relatorio, &totais})
        if (auto e = saida->cria()) {
            it.falha = std::move(e);
            return;
        }
    const auto comDestinos = [&](std::string m) {
        return totais.comDestino(relatorio.comDestino(std::move(m)));
    };
    kelvor::Parametros p;
    p.arquivo = it.arquivo;
    p.relatorio = relatorio.caminho();
    p.totaisCfop = totais.caminho();
    p.flagLeiaute = o.flagLeiaute;
    p.versaoConvenio = o.versaoConvenio;
    p.threads = threads;
    kelvor::Validador v(p, &it.criticas);
    if (auto e = v.prepara()) {
        it.falha = comDestinos(std::move(*e));
        return;
    }
    it.resultado = v.executa(it.progresso, nuncaCancela);
    if (!it.resultado.falha.empty()) {
        it.falha = comDestinos(it.resultado.falha);
        return;
    }
    for (auto* saida : {&relatorio, &totais})
        if (auto e = saida->confirma()) {
            it.falha = std::move(e);
            return;
        }
}

// Imprime o resultado de um arquivo; devolve o código de saída dele.
int imprime(Item& it, const Opcoes& o, Placar& placar) {
    if (it.falha) {
        ++placar.naoValidados;
        std::fputs(
            (o.json ? falhaEmJson(it.arquivo, *it.falha) : falhaEmTexto(it.arquivo, *it.falha))
                .c_str(),
            stdout);
        return SaidaNaoValidou;
    }
    const auto& r = it.resultado;
    std::fputs((o.json ? inicioJson(it.arquivo, r) : inicioTexto(it.arquivo, r)).c_str(), stdout);
    bool completo = it.criticas.copiaPara(stdout);
    std::fputs((o.json ? fimJson() : fimTexto(r, it.criticas.quantas())).c_str(), stdout);
    if (!completo)
        std::fprintf(stderr,
                     "korventa-validar: a lista de críticas de %s ficou incompleta "
                     "(falta espaço para o arquivo temporário).\n",
                     it.arquivo.c_str());
    switch (r.veredito) {
    case kelvor::VereditoAceito:
        ++placar.aceitos;
        return 0;
    case kelvor::VereditoAdvertencias:
        ++placar.comAdvertencias;
        return 1;
    case kelvor::VereditoRejeitado:
        ++placar.rejeitados;
        return 2;
    default:
        ++placar.naoValidados;
        return SaidaNaoValidou;
    }
}

// Andamento na saída de erros, só num terminal: a barra do arquivo quando é um só, a contagem
// de arquivos num lote.
class Andamento {
public:
    Andamento() : ativo_(isatty(fileno(stderr))) {}

    void arquivo(const Item& it) {
        if (!ativo_) return;
        constexpr int Largura = 30;
        int pct = it.progresso.percentual.load(std::memory_order_relaxed);
        pct = std::clamp(pct, 0, 100);
        const int cheio = pct * Largura / 100;
        largura_ = std::fprintf(
            stderr, "\r%s [%.*s%*s] %3d%%  %lld de %lld registros",
            kelvor::texto::utf8Valido(it.arquivo).c_str(), cheio, "##############################",
            Largura - cheio, "", pct,
            static_cast<long long>(it.progresso.lidos.load(std::memory_order_relaxed)),
            static_cast<long long>(it.progresso.total.load(std::memory_order_relaxed)));
        std::fflush(stderr);
        mostrando_ = true;
    }

    void lote(std::size_t prontos, std::size_t total) {
        if (!ativo_) return;
        largura_ = std::fprintf(stderr, "\rValidados %zu de %zu arquivos", prontos, total);
        std::fflush(stderr);
        mostrando_ = true;
    }

    // Antes de escrever um resultado: a linha de andamento sai da frente.
    void limpa(bool fica) {
        if (!mostrando_) return;
        if (fica)
            std::fputc('\n', stderr);
        else
            std::fprintf(stderr, "\r%*s\r", std::max(largura_, 1), "");
        std::fflush(stderr);
        mostrando_ = false;
    }

private:
    bool ativo_;
    bool mostrando_ = false;
    int largura_ = 0; // caracteres da última linha de andamento
};

} // namespace

int validaLote(const Opcoes& o) {
    if (auto e = confereSaidasDoLote(o)) {
        std::fprintf(stderr, "korventa-validar: %s\n", e->c_str());
        return SaidaNaoValidou;
    }
    const std::size_t n = o.arquivos.size();
    std::vector<std::unique_ptr<Item>> itens;
    itens.reserve(n);
    for (const auto& a : o.arquivos)
        itens.push_back(std::make_unique<Item>(a, o.json, o.maxCriticas));

    std::mutex trava;
    std::condition_variable avisa;
    std::atomic<std::size_t> proximo{0};
    std::size_t prontos = 0;
    std::vector<std::thread> tarefas;
    const std::size_t simultaneos = arquivosAoMesmoTempo(o.threads, n);
    // As threads que sobram dos arquivos ao mesmo tempo vão para dentro de cada validação: um
    // arquivo só fica com todas.
    for (std::size_t t = 0; t < simultaneos; ++t)
        tarefas.emplace_back([&, t] {
            const int threads = threadsDaVaga(o.threads, simultaneos, t);
            for (std::size_t i; (i = proximo.fetch_add(1)) < n;) {
                valida(*itens[i], o, i, n, threads);
                {
                    std::lock_guard g(trava);
                    itens[i]->pronto = true;
                    ++prontos;
                }
                avisa.notify_all();
            }
        });

    Andamento andamento;
    Placar placar;
    int pior = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Item& it = *itens[i];
        {
            std::unique_lock g(trava);
            while (!avisa.wait_for(g, std::chrono::milliseconds(100), [&] { return it.pronto; })) {
                if (n == 1)
                    andamento.arquivo(it);
                else
                    andamento.lote(prontos, n);
            }
        }
        if (n == 1 && !it.falha) andamento.arquivo(it);
        andamento.limpa(n == 1);
        pior = std::max(pior, imprime(it, o, placar));
        std::fflush(stdout);
        itens[i].reset(); // críticas guardadas e temporário vão embora já
    }
    for (auto& t : tarefas)
        t.join();
    if (n > 1) std::fputs(resumoDoLote(placar).c_str(), o.json ? stderr : stdout);
    return pior;
}
