#include "core/SegundaPassada.h"

#include "core/Leiaute.h"
#include "core/Leitor.h"
#include "core/Tabelas.h"
#include "core/Texto.h"

#include <cerrno>
#include <vector>

namespace kelvor {

bool ReleituraArquivo::percorre(const Visita& visita) {
    errno = 0;
    if (std::fseek(arq_, 0, SEEK_SET) != 0) {
        falha_ =
            "Erro lendo o arquivo " + caminho_ + ": " + texto::motivoSistema(errno ? errno : EIO);
        return false;
    }
    std::clearerr(arq_);
    LeitorLinhas leitor(arq_);
    leitor.dispensaCrc();
    leitor.interrompePor(&cancelar_);
    Linha ln;
    RegistroLido r;
    while (leitor.proxima(ln)) {
        if ((ln.numero & 0xFFF) == 0 && cancelar_.load(std::memory_order_relaxed)) break;
        const bool tamanhoValido = ln.tamanho == 126;
        r.texto = ln.texto;
        r.linha = ln.numero;
        r.offset = ln.offset;
        // Como a primeira leitura: tipo pelas duas posições, -1 para subtipo desconhecido (só
        // 60 e 61 têm subtipo).
        r.indiceTipo = tabelas::indiceTipo(ln.texto);
        if (tamanhoValido && (r.indiceTipo == 9 || r.indiceTipo == 10) && !leiautePara(ln.texto))
            r.indiceTipo = -1;
        visita(r, tamanhoValido);
    }
    if (leitor.erro()) {
        falha_ = "Erro lendo o arquivo " + caminho_ + ": " + texto::motivoSistema(leitor.erro());
        return false;
    }
    if (cancelar_.load()) {
        cancelada_ = true;
        return false;
    }
    // As críticas desta leitura só valem para o arquivo da primeira.
    std::error_code ec;
    if (leitor.bytesLidos() != bytes_ ||
        std::filesystem::last_write_time(caminho_, ec) != modificado_ || ec) {
        falha_ = "O arquivo " + caminho_ + " foi alterado durante a validação.";
        return false;
    }
    return true;
}

namespace cruzado {

namespace {

// Junta as críticas do registro relido: saem depois das tardias da mesma linha.
class Juntadas final : public ReceptorCriticas {
public:
    void critica(const Critica& c) override { lista.push_back(c); }
    void criticaTardia(const Critica& c, Situacao) override { lista.push_back(c); }
    std::vector<Critica> lista;
};

} // namespace

bool segundaPassada(std::span<Regra* const> regras, Releitura& releitura, CriticasTardias& tardias,
                    SituacoesAnteriores& anteriores, ReceptorCriticas& saida) {
    anteriores.recomeca();
    Juntadas juntadas;
    RegistroAtual atual;
    return releitura.percorre([&](const RegistroLido& r, bool tamanhoValido) {
        atual.inicia(r, tamanhoValido, juntadas);
        for (Regra* regra : regras)
            regra->relido(atual);
        if (juntadas.lista.empty()) return;
        auto situacao = tardias.entregaAte(r.linha, saida, anteriores.de(r.linha));
        for (const auto& c : juntadas.lista) {
            const auto depois = pior(situacao, situacaoDe(c.gravidade));
            saida.criticaTardia(c, r.indiceTipo >= 0 ? situacao : depois);
            situacao = depois;
        }
        juntadas.lista.clear();
    });
}

} // namespace cruzado

} // namespace kelvor
