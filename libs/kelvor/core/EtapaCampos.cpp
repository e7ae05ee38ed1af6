#include "core/EtapaCampos.h"

#include "core/Crc32.h"
#include "core/CruzadoDocumentos.h"
#include "core/LeitorLotes.h"
#include "core/Mensagens.h"
#include "core/Tabelas.h"
#include "core/Texto.h"
#include "core/Verificacao.h"

#include <algorithm>

namespace kelvor {

void EtapaCampos::Coletor::critica(const Critica& c) {
    auto& cs = lote_->criticas;
    // As críticas do lote anterior são reaproveitadas: os textos já têm espaço.
    if (lote_->quantasCriticas < cs.size())
        cs[lote_->quantasCriticas] = c;
    else
        cs.push_back(c);
    ++lote_->quantasCriticas;
    ++atual_->criticas;
    const auto s =
        c.gravidade == Gravidade::Rejeicao ? Situacao::Rejeitado : Situacao::ComAdvertencia;
    atual_->situacao = std::max(atual_->situacao, s);
}

EtapaCampos::EtapaCampos(const Contexto& antes10, const Contexto& depois10, std::size_t limiteLinha)
    : antes10_(antes10, coletor_), depois10_(depois10, coletor_), depois_(&depois10),
      limite_(limiteLinha), flagLeiaute_(antes10.flagLeiaute) {}

void EtapaCampos::confere(Lote& l, const std::atomic<bool>& cancelar) {
    l.quantasCriticas = 0;
    l.totais.limpa();
    l.interrompido = false;
    l.excecao = nullptr;
    try {
        if (!l.separado) separaLinhas(l, limite_);
        l.crc = l.longa ? l.crcLonga : crc32Bytes(0, l.bruto.data(), l.usados);
        for (std::size_t i = 0; i < l.registros.size(); ++i) {
            // Um lote cheio de críticas demora: o cancelamento não espera o fim dele.
            if ((i & 255) == 0 && cancelar.load(std::memory_order_relaxed)) {
                l.interrompido = true;
                return;
            }
            registro(l, i);
        }
    } catch (...) {
        l.excecao = std::current_exception();
    }
}

void EtapaCampos::registro(Lote& l, std::size_t i) {
    auto& rl = l.registros[i];
    const auto texto = l.texto(rl);
    rl.primeiraCritica = static_cast<std::uint32_t>(l.quantasCriticas);
    coletor_.inicia(l, rl);
    const bool depois10 =
        l.indice10 >= 0 ? static_cast<std::int64_t>(i) >= l.indice10 : l.contexto == depois_;
    VerificadorCampos& campos = depois10 ? depois10_ : antes10_;
    RegistroLido r;
    r.texto = texto;
    r.linha = static_cast<std::int64_t>(i) + 1; // relativa ao lote; a etapa em ordem acerta
    r.offset = rl.offset;
    r.indiceTipo = rl.indiceTipo = tabelas::indiceTipo(texto);
    if (rl.tamanho != 126) {
        campos.critica(nullptr, r, nullptr,
                       msg::TamanhoInvalido + std::to_string(rl.tamanho) + msg::TamanhoInvalidoFim);
        return;
    }
    const LeiauteRegistro* lei = leiautePara(texto);
    if (!lei) {
        rl.indiceTipo = -1;
        r.indiceTipo = -1;
        const bool comSubtipo = texto.substr(0, 2) == "60" || texto.substr(0, 2) == "61";
        std::string tipo(texto.substr(0, comSubtipo ? 3 : 2));
        texto::trocaControles(tipo);
        campos.critica(nullptr, r, nullptr, msg::TipoInvalido + texto::paraUtf8(tipo) + ".");
        return;
    }
    rl.leiaute = lei;
    // As chaves dos documentos saem daqui, fora da etapa em ordem, que é a mais carregada.
    rl.temResumos = cruzado::CruzadoDocumentos::resumosDasChaves(texto, rl.resumos);
    if (flagLeiaute_ == 0 && lei->indiceTipo != 0) return; // leiaute antigo: só o registro 10
    rl.camposFalhos = campos.confere(*lei, r);
    if (flagLeiaute_ == 0) return;
    rl.soma = parcelasDe(*lei, texto, parcelas_);
    if (rl.soma) l.totais.soma(parcelas_);
    rl.documentoSemValor = parcelas_.documentoSemValor;
}

} // namespace kelvor
