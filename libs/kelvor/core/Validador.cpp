#include "core/Validador.h"

#include "core/Arquivo.h"
#include "core/Crc32.h"
#include "core/Esteira.h"
#include "core/EtapaCampos.h"
#include "core/Leiaute.h"
#include "core/Leitor.h"
#include "core/LeitorLotes.h"
#include "core/Mensagens.h"
#include "core/SegundaPassada.h"
#include "core/Tabelas.h"
#include "core/Texto.h"
#include "core/TotaisEmOrdem.h"
#include "core/Verificacao.h"
#include "core/VerificadorCampos.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>

namespace kelvor {

namespace {

Situacao situacaoDe(Gravidade g) {
    return g == Gravidade::Rejeicao ? Situacao::Rejeitado : Situacao::ComAdvertencia;
}

// Encaminha as críticas ao relatório, conta-as e mantém a pior situação do registro atual.
class Receptor final : public ReceptorCriticas {
public:
    Receptor(RelatorioCriticas& relatorio, Resultado& res, ObservadorCriticas* obs)
        : relatorio_(relatorio), res_(res), obs_(obs) {}

    void registroAtual(RegistroLido* r) { atual_ = r; }

    void critica(const Critica& c) override {
        registra(c);
        if (atual_) atual_->situacao = std::max(atual_->situacao, situacaoDe(c.gravidade));
    }

    void criticaTardia(const Critica& c, Situacao anterior) override {
        registra(c);
        res_.contagens.muda(tabelas::indiceTipo(c.tipo), anterior,
                            std::max(anterior, situacaoDe(c.gravidade)));
    }

private:
    void registra(const Critica& c) {
        relatorio_.grava(c);
        ++(c.gravidade == Gravidade::Rejeicao ? res_.erros : res_.advertencias);
        if (obs_) obs_->critica(c);
    }

    RelatorioCriticas& relatorio_;
    Resultado& res_;
    ObservadorCriticas* obs_;
    RegistroLido* atual_ = nullptr;
};

void preencheContexto(Contexto& ctx, std::string_view r) {
    ctx.registro10Lido = true;
    ctx.cnpj.assign(r.substr(2, 14));
    ctx.ie.assign(texto::semBrancosDireita(r.substr(16, 14)));
    ctx.uf.assign(r.substr(95, 2));
    ctx.dataInicial = tabelas::dataValida(r.substr(107, 8));
    ctx.dataFinal = tabelas::dataValida(r.substr(115, 8));
}

std::tm agora() {
    std::time_t t = std::time(nullptr);
    std::tm q{};
#if defined(_WIN32)
    localtime_s(&q, &t);
#else
    localtime_r(&t, &q);
#endif
    return q;
}

} // namespace

std::string crcHexa(std::uint32_t crc) {
    char s[16];
    std::snprintf(s, sizeof s, "%08X", static_cast<unsigned>(crc));
    return s;
}

Validador::Validador(Parametros p, ObservadorCriticas* observador)
    : p_(std::move(p)), observador_(observador) {}

Validador::~Validador() {
    if (arquivo_) std::fclose(arquivo_);
    if (totais_) std::fclose(totais_);
}

std::optional<std::string> Validador::prepara() {
    if (auto e = abreParaLer(p_.arquivo, arquivo_)) return e;
    if (auto e = confereSaidas(p_.arquivo, p_.relatorio, p_.totaisCfop)) return e;
    std::error_code ec;
    auto tam = std::filesystem::file_size(p_.arquivo, ec);
    tamanho_ = ec ? 0 : static_cast<std::int64_t>(tam);
    modificado_ = std::filesystem::last_write_time(p_.arquivo, ec);
    if (auto e = relatorio_.cria(p_.relatorio)) return e;
    if (!p_.totaisCfop.empty()) {
        errno = 0;
        totais_ = std::fopen(p_.totaisCfop.c_str(), "wb");
        if (!totais_)
            return "Não foi possível criar o arquivo " + p_.totaisCfop + ": " +
                   texto::motivoSistema(errno ? errno : EIO);
    }
    return std::nullopt;
}

std::optional<std::string> Validador::gravaTotais(const TotaisCfop& totais) {
    if (!totais_) return std::nullopt;
    std::setvbuf(totais_, nullptr, _IOFBF, 1u << 16);
    for (const auto& l : totais.linhas()) {
        std::fwrite(l.data(), 1, l.size(), totais_);
        std::fwrite("\r\n", 1, 2, totais_);
    }
    errno = 0;
    bool ok = std::fflush(totais_) == 0 && !std::ferror(totais_);
    int erro = errno;
    ok = std::fclose(totais_) == 0 && ok;
    totais_ = nullptr;
    if (ok) return std::nullopt;
    return "Erro gravando o arquivo " + p_.totaisCfop + ": " +
           texto::motivoSistema(erro ? erro : EIO);
}

namespace {

// A etapa em ordem: as críticas de campo de cada registro (que vêm prontas no lote), as somas
// dos totais, as verificações entre registros e as contagens, na ordem do arquivo.
class EtapaOrdem {
public:
    // Quantos registros adiante as verificações entre registros antecipam as suas tabelas:
    // o bastante para a memória chegar antes de o registro ser conferido.
    static constexpr std::size_t Antecipacao = 8;

    EtapaOrdem(const Parametros& p, std::int64_t registros50, RelatorioCriticas& relatorio,
               Resultado& res, ObservadorCriticas* obs)
        : res_(res), receptor_(relatorio, res, obs), campos_(ctx_, receptor_) {
        ctx_.flagLeiaute = p.flagLeiaute;
        ctx_.versaoConvenio = p.versaoConvenio;
        ctx_.registros50Previstos = registros50;
        verificacoes_ = criaVerificacoesEntreRegistros(ctx_);
    }

    // Falso quando o cancelamento chegou no meio do lote.
    bool lote(Lote& l, const std::atomic<bool>& cancelar);
    void fim(Releitura& releitura) {
        for (auto& v : verificacoes_)
            v->fim(receptor_, releitura);
    }
    std::uint32_t crc() const { return crc_; }
    const TotaisCfop& totais() const { return totais_.totais(); }

private:
    void somas(const RegistroLote& rl, RegistroLido& r);

    Resultado& res_;
    Contexto ctx_;
    std::vector<std::unique_ptr<Verificacao>> verificacoes_;
    Receptor receptor_;
    VerificadorCampos campos_; // só para montar as críticas dos totais
    TotaisEmOrdem totais_;
    std::uint32_t crc_ = 0;
    std::int64_t linhas_ = 0;
};

bool EtapaOrdem::lote(Lote& l, const std::atomic<bool>& cancelar) {
    if (l.excecao) std::rethrow_exception(l.excecao);
    if (l.interrompido) return false;
    crc_ = crc32Junta(crc_, l.crc, l.bytes);
    totais_.iniciaLote(l);
    RegistroLido r, adiante;
    for (std::size_t i = 0; i < l.registros.size(); ++i) {
        if ((i & 1023) == 1023 && cancelar.load(std::memory_order_relaxed)) return false;
        if (i + Antecipacao < l.registros.size()) {
            const auto& ra = l.registros[i + Antecipacao];
            adiante.texto = l.texto(ra);
            adiante.linha = linhas_ + static_cast<std::int64_t>(i + Antecipacao) + 1;
            adiante.indiceTipo = ra.indiceTipo;
            adiante.resumos = ra.temResumos ? ra.resumos : nullptr;
            for (auto& v : verificacoes_)
                v->antecipa(adiante);
        }
        auto& rl = l.registros[i];
        r.texto = l.texto(rl);
        r.linha = linhas_ + static_cast<std::int64_t>(i) + 1;
        r.offset = rl.offset;
        r.indiceTipo = rl.indiceTipo;
        r.situacao = Situacao::SemCritica;
        r.camposFalhos = rl.camposFalhos;
        r.resumos = rl.temResumos ? rl.resumos : nullptr;
        receptor_.registroAtual(&r);
        for (std::uint32_t k = 0; k < rl.criticas; ++k) {
            auto& c = l.criticas[rl.primeiraCritica + k];
            c.linha = r.linha;
            receptor_.critica(c);
        }
        const bool tamanhoValido = rl.tamanho == 126;
        if (rl.leiaute && rl.leiaute->indiceTipo == 0 && !ctx_.registro10Lido)
            preencheContexto(ctx_, r.texto);
        if (rl.soma || rl.documentoSemValor) somas(rl, r);
        for (auto& v : verificacoes_)
            v->registro(r, tamanhoValido, receptor_);
        res_.contagens.conta(r.indiceTipo, r.situacao);
    }
    receptor_.registroAtual(nullptr);
    linhas_ += static_cast<std::int64_t>(l.registros.size());
    res_.registros = linhas_;
    return true;
}

void EtapaOrdem::somas(const RegistroLote& rl, RegistroLido& r) {
    const int n = totais_.registro(rl, r.texto);
    for (int k = 0; k < n; ++k) {
        const auto& p = totais_.passou(k);
        const Campo* campo = nullptr;
        for (const auto& c : rl.leiaute->campos)
            if (c.inicio == p.inicio && c.tamanho == p.tamanho) campo = &c;
        campos_.critica(rl.leiaute, r, campo, p.mensagem);
    }
}

// O registro 10 que dá o contexto às verificações de campo: o primeiro de tamanho certo. O lote
// que o tem é separado aqui (na ordem do arquivo), para saber a partir de que linha vale.
class ContextoDosLotes {
public:
    ContextoDosLotes(const Parametros& p, std::size_t limite) : limite_(limite) {
        for (auto* c : {&antes_, &depois_}) {
            c->flagLeiaute = p.flagLeiaute;
            c->versaoConvenio = p.versaoConvenio;
        }
    }
    const Contexto& antes() const { return antes_; }
    const Contexto& depois() const { return depois_; }

    void prepara(Lote& l) {
        l.contexto10 = &depois_;
        l.indice10 = -1;
        if (achou_) {
            l.contexto = &depois_;
            return;
        }
        l.contexto = &antes_;
        separaLinhas(l, limite_);
        for (std::size_t i = 0; i < l.registros.size(); ++i) {
            const auto& r = l.registros[i];
            if (r.tamanho != 126) continue;
            const auto t = l.texto(r);
            if (const auto* lei = leiautePara(t); lei && lei->indiceTipo == 0) {
                preencheContexto(depois_, t);
                achou_ = true;
                l.indice10 = static_cast<std::int64_t>(i);
                return;
            }
        }
    }

private:
    std::size_t limite_;
    Contexto antes_, depois_;
    bool achou_ = false;
};

} // namespace

Resultado Validador::executa(Progresso& pg, const std::atomic<bool>& cancelar) {
    Resultado res;
    if (!arquivo_) {
        res.falha = "Validação não preparada.";
        return res;
    }
    relatorio_.cabecalho(p_.arquivo, agora());
    pg.percentual = 0;
    pg.lidos = 0;
    pg.total = 0; // desconhecido até a contagem terminar
    // O total mostrado é exato e não muda durante a execução: conta as linhas antes. Na mesma
    // passada, os registros 50: as notas já nascem do tamanho do arquivo.
    std::int64_t registros50 = 0;
    if (auto linhas = contaLinhas(arquivo_, &cancelar, LeitorLinhas::BlocoPadrao, &registros50))
        pg.total.store(*linhas);
    std::rewind(arquivo_);

    LeitorLotes leitor(arquivo_, p_.bloco ? p_.bloco : Bloco);
    leitor.interrompePor(&cancelar);
    bool interrompido = false;
    try {
        ContextoDosLotes contexto(p_, leitor.limiteLinha());
        EtapaOrdem ordem(p_, registros50, relatorio_, res, observador_);
        const std::size_t threads = threadsDaValidacao(p_.threads);
        std::vector<std::unique_ptr<EtapaCampos>> etapas;
        for (std::size_t i = 0; i < threads; ++i)
            etapas.push_back(std::make_unique<EtapaCampos>(contexto.antes(), contexto.depois(),
                                                           leitor.limiteLinha()));
        {
            Esteira esteira(threads,
                            [&](Lote& l, std::size_t t) { etapas[t]->confere(l, cancelar); });
            // Com uma thread, um lote por vez (fica no cache entre as duas etapas); com mais, o
            // bastante para ninguém esperar o leitor.
            const std::uint64_t emVoo = threads == 1 ? 1 : 2 * threads + 1;
            std::uint64_t lidos = 0, consumidos = 0;
            bool fimDaLeitura = false;
            for (;;) {
                while (!fimDaLeitura && lidos - consumidos < emVoo) {
                    Lote* l = esteira.livre();
                    if (!leitor.proximo(*l)) {
                        esteira.devolve(l);
                        fimDaLeitura = true;
                        break;
                    }
                    l->sequencia = lidos++;
                    contexto.prepara(*l);
                    esteira.envia(l);
                }
                if (consumidos == lidos) break;
                Lote* l = esteira.espera(consumidos++);
                const bool inteiro = ordem.lote(*l, cancelar);
                const std::int64_t pos = l->offset + static_cast<std::int64_t>(l->bytes);
                esteira.devolve(l);
                if (!inteiro) {
                    interrompido = true;
                    break;
                }
                pg.lidos.store(res.registros, std::memory_order_relaxed);
                if (tamanho_ > 0 && pos > 0)
                    pg.percentual.store(
                        static_cast<int>(std::min<std::int64_t>(pos * 100 / tamanho_, 99)),
                        std::memory_order_relaxed);
                if (cancelar.load(std::memory_order_relaxed)) {
                    interrompido = true;
                    break;
                }
            }
        }
        res.crc = ordem.crc();
        if (leitor.erro()) {
            res.falha =
                "Erro lendo o arquivo " + p_.arquivo + ": " + texto::motivoSistema(leitor.erro());
        } else if (interrompido || cancelar.load()) {
            res.cancelado = true;
        } else {
            ReleituraArquivo releitura(arquivo_, p_.arquivo, leitor.bytesLidos(), modificado_,
                                       cancelar);
            ordem.fim(releitura);
            if (releitura.cancelada()) {
                res.cancelado = true;
            } else {
                res.falha = releitura.falha();
                if (auto e = gravaTotais(ordem.totais()); e && res.falha.empty()) res.falha = *e;
                res.totaisPorRegistro = ordem.totais().linhasPorRegistro();
            }
        }
    } catch (const std::bad_alloc&) {
        res.falha = "Memória insuficiente para validar o arquivo " + p_.arquivo + ".";
    } catch (const std::exception& e) {
        res.falha = "Falha interna validando o arquivo " + p_.arquivo + ": " + e.what();
    }
    if (auto e = relatorio_.fecha(); e && res.falha.empty() && !res.cancelado) res.falha = *e;
    std::fclose(arquivo_);
    arquivo_ = nullptr;

    if (res.cancelado || !res.falha.empty()) {
        res.veredito = VereditoInterrompido;
        pg.lidos.store(res.registros);
        return res;
    }
    res.veredito = res.erros          ? VereditoRejeitado
                   : res.advertencias ? VereditoAdvertencias
                                      : VereditoAceito;
    pg.lidos.store(res.registros);
    pg.total.store(res.registros);
    pg.percentual.store(100);
    return res;
}

} // namespace kelvor
