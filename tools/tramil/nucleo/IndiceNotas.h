// Os documentos do arquivo, achados numa passada de fundo: cada nota fiscal (registros 50 com os
// seus 51, 53 e 54), cada conhecimento (70 com os seus 71) e cada dia de cada equipamento de
// cupom fiscal (60M com os seus 60A, 60D e 60I). Guarda de cada documento só onde estão os seus
// registros e as somas que a conferência precisa; o resto é lido do arquivo mapeado quando a tela
// pede. Um arquivo de 1 GB tem quase dois milhões de documentos: cada um ocupa 40 bytes, e cada
// trecho de registros seguidos dele, 12.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tramil {

enum class TipoDocumento : std::uint8_t { NotaFiscal, Transporte, Cupom };

enum MarcaDocumento : std::uint8_t {
    TemItens = 1,         // 54 (nota), 71 (conhecimento) ou 60A/D/I (cupom)
    IcmsNaoConfere = 2,   // algum registro com ICMS diferente de base x alíquota
    ItensNaoConferem = 4, // soma dos itens diferente do total do documento
    VariosCfops = 8,      // mais de um CFOP nos registros 50 ou 70
    SemPrincipal = 16,    // itens sem o registro 50, 70 ou 60M
    TemAnalitico = 32,    // cupom com 60A, cuja soma é conferida com a venda bruta
};

struct Documento {
    std::uint64_t deslocamento = 0; // registro principal (ou o primeiro achado, sem principal)
    std::uint32_t linha = 0;        // linha (de 0) desse registro
    std::uint32_t primeiraFaixa = 0;
    std::int64_t total = 0; // soma dos valores totais (50, 70) ou a venda bruta (60M)
    std::int64_t itens = 0; // soma dos itens como entram no total; 71: valor das notas
    TipoDocumento tipo = TipoDocumento::NotaFiscal;
    std::uint8_t marcas = 0;
};

class IndiceNotas {
public:
    explicit IndiceNotas(std::string_view dados);
    ~IndiceNotas();
    IndiceNotas(const IndiceNotas&) = delete;
    IndiceNotas& operator=(const IndiceNotas&) = delete;

    void iniciaFundo();
    void indexaAqui();
    void cancela();

    bool completo() const { return completo_.load(std::memory_order_acquire); }
    bool cancelado() const { return cancelar_.load(); }
    double progresso() const;
    std::int64_t registrosLidos() const { return registros_.load(std::memory_order_relaxed); }
    std::size_t documentosAchados() const { return achados_.load(std::memory_order_relaxed); }

    // Daqui em diante, só com completo().
    const std::vector<Documento>& documentos() const { return documentos_; }
    // Registros do documento em ordem de arquivo: f(registro sem fim de linha, deslocamento).
    template <typename F> void paraCadaRegistro(std::uint32_t doc, F&& f) const;
    // Registro (sem fim de linha) que começa no deslocamento.
    std::string_view registroEm(std::uint64_t deslocamento) const;
    std::optional<std::uint64_t> registro10() const { return r10_; }
    std::optional<std::uint64_t> registro11() const { return r11_; }
    // Registro 75 do código de produto (as 14 posições do campo); nenhum quando não há.
    std::optional<std::uint64_t> produto(std::string_view codigo) const;
    std::string_view dados() const { return dados_; }
    std::size_t bytesUsados() const;

    static constexpr std::uint32_t Nenhuma = 0xFFFFFFFFu;

private:
    // Registros seguidos de um documento: deslocamento do primeiro (40 bits), quantos (24 bits)
    // e a faixa seguinte do mesmo documento. Três palavras de 32 bits, sem enchimento.
    struct Faixa {
        std::uint32_t baixo = 0; // 32 bits de baixo do deslocamento
        std::uint32_t alto = 0;  // 8 bits de cima do deslocamento e, acima deles, quantos
        std::uint32_t proxima = Nenhuma;
        std::uint64_t inicio() const { return (std::uint64_t(alto & 0xFF) << 32) | baixo; }
        std::uint32_t quantos() const { return alto >> 8; }
    };
    struct Produto {
        std::uint64_t chave;
        std::uint64_t deslocamento;
    };
    class Tabela;
    class Varrida;

    void varre();

    std::string_view dados_;
    std::vector<Documento> documentos_;
    std::vector<Faixa> faixas_;
    std::vector<Produto> produtos_;
    std::optional<std::uint64_t> r10_, r11_;
    std::atomic<std::int64_t> registros_{0};
    std::atomic<std::int64_t> lidos_{0};
    std::atomic<std::size_t> achados_{0};
    std::atomic<bool> completo_{false};
    std::atomic<bool> cancelar_{false};
    std::thread tarefa_;
};

template <typename F> void IndiceNotas::paraCadaRegistro(std::uint32_t doc, F&& f) const {
    for (std::uint32_t i = documentos_[doc].primeiraFaixa; i != Nenhuma; i = faixas_[i].proxima) {
        auto d = faixas_[i].inicio();
        auto n = faixas_[i].quantos();
        while (n-- > 0 && d < dados_.size()) {
            const auto r = registroEm(d);
            f(r, d);
            // Próximo registro: depois do fim de linha deste.
            const auto nl = dados_.find('\n', d + r.size());
            if (nl == std::string_view::npos) break;
            d = nl + 1;
        }
    }
}

// Chave de 64 bits dos campos de um registro (os bytes como estão), para achar o documento.
std::uint64_t ResumoChave(std::string_view bytes, std::uint64_t semente);

} // namespace tramil
