#include "nucleo/IndiceLinhas.h"

#include "nucleo/Classes.h"

#include <algorithm>
#include <cstring>

namespace tramil {

namespace {

std::size_t semMarcaFinal(std::string_view d) {
    // Caractere 26 no último byte: marca de fim de arquivo, não é linha.
    return !d.empty() && d.back() == '\x1A' ? d.size() - 1 : d.size();
}

} // namespace

std::string_view SemFimDeLinha(std::string_view l) {
    if (!l.empty() && l.back() == '\n') l.remove_suffix(1);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    return l;
}

IndiceLinhas::IndiceLinhas(std::string_view dados)
    : dados_(dados), fim_(semMarcaFinal(dados)), marcos_(fim_ / Passo + 2),
      contagem_(static_cast<std::size_t>(ClasseOutros()) + 1, 0) {}

IndiceLinhas::~IndiceLinhas() {
    cancela();
}

void IndiceLinhas::iniciaFundo() {
    if (!tarefa_.joinable()) tarefa_ = std::thread([this] { varre(); });
}

void IndiceLinhas::indexaAqui() {
    varre();
}

void IndiceLinhas::cancela() {
    cancelar_.store(true);
    if (tarefa_.joinable()) tarefa_.join();
}

void IndiceLinhas::varre() {
    const char* base = dados_.data();
    std::size_t p = 0;
    std::int64_t linha = 0;
    while (p < fim_) {
        if ((linha & (Passo - 1)) == 0) {
            marcos_.inclui(p);
            // A primeira tela sai das primeiras 4096 linhas; depois, publica a cada 65536.
            if ((linha & 0xFFFF) == 0 || linha == 4096) {
                marcos_.publica();
                varridos_.store(static_cast<std::int64_t>(p), std::memory_order_relaxed);
                if (cancelar_.load(std::memory_order_relaxed)) return;
            }
        }
        const std::size_t resto = fim_ - p;
        ++contagem_[static_cast<std::size_t>(
            ClasseDe(std::string_view(base + p, std::min<std::size_t>(resto, 3))))];
        const void* nl = std::memchr(base + p, '\n', resto);
        ++linha;
        p = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1 : fim_;
    }
    marcos_.publica();
    total_.store(linha, std::memory_order_relaxed);
    varridos_.store(static_cast<std::int64_t>(fim_), std::memory_order_relaxed);
    completo_.store(true, std::memory_order_release);
}

double IndiceLinhas::progresso() const {
    if (completo()) return 1.0;
    return fim_ == 0 ? 1.0 : static_cast<double>(varridos_.load()) / static_cast<double>(fim_);
}

std::int64_t IndiceLinhas::linhasConhecidas() const {
    if (completo()) return total_.load(std::memory_order_relaxed);
    const auto m = static_cast<std::int64_t>(marcos_.tamanho());
    // Até o último marco publicado as linhas existem com certeza.
    return m <= 1 ? 0 : (m - 1) * Passo;
}

std::size_t IndiceLinhas::avanca(std::size_t de, std::int64_t n) const {
    const char* base = dados_.data();
    while (n-- > 0 && de < fim_) {
        const void* nl = std::memchr(base + de, '\n', fim_ - de);
        de = nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - base) + 1 : fim_;
    }
    return de;
}

std::int64_t IndiceLinhas::inicioLinha(std::int64_t i) const {
    if (i < 0) return 0;
    const auto k = static_cast<std::size_t>(i / Passo);
    if (k >= marcos_.tamanho()) return static_cast<std::int64_t>(fim_);
    return static_cast<std::int64_t>(avanca(static_cast<std::size_t>(marcos_[k]), i % Passo));
}

std::string_view IndiceLinhas::linha(std::int64_t i) const {
    const auto ini = static_cast<std::size_t>(inicioLinha(i));
    if (ini >= fim_) return {};
    const void* nl = std::memchr(dados_.data() + ini, '\n', fim_ - ini);
    const std::size_t fim =
        nl ? static_cast<std::size_t>(static_cast<const char*>(nl) - dados_.data()) : fim_;
    return SemFimDeLinha(dados_.substr(ini, fim - ini));
}

std::int64_t IndiceLinhas::linhaDoDeslocamento(std::int64_t d) const {
    if (d < 0 || static_cast<std::size_t>(d) >= fim_) return -1;
    const std::size_t m = marcos_.primeiroMaiorQue(static_cast<std::uint64_t>(d));
    if (m == 0) return -1;
    const std::size_t k = m - 1;
    const auto ini = static_cast<std::size_t>(marcos_[k]);
    const auto n = std::count(dados_.data() + ini, dados_.data() + d, '\n');
    return static_cast<std::int64_t>(k) * Passo + n;
}

} // namespace tramil
