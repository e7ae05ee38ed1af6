#include "core/Validador.h"

#include "core/Arquivo.h"
#include "core/Leiaute.h"
#include "core/Leitor.h"
#include "core/Mensagens.h"
#include "core/SegundaPassada.h"
#include "core/Tabelas.h"
#include "core/Texto.h"
#include "core/Verificacao.h"
#include "core/VerificadorCampos.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

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

Resultado Validador::executa(Progresso& pg, const std::atomic<bool>& cancelar) {
    Resultado res;
    if (!arquivo_) {
        res.falha = "Validação não preparada.";
        return res;
    }
    Contexto ctx;
    ctx.flagLeiaute = p_.flagLeiaute;
    ctx.versaoConvenio = p_.versaoConvenio;
    auto verificacoes = criaVerificacoesEntreRegistros(ctx);
    Receptor receptor(relatorio_, res, observador_);
    VerificadorCampos campos(ctx, receptor);
    TotaisCfop totais;
    LeitorLinhas leitor(arquivo_);
    leitor.interrompePor(&cancelar);
    relatorio_.cabecalho(p_.arquivo, agora());

    auto atualiza = [&](std::int64_t lidos) {
        auto pos = static_cast<std::int64_t>(leitor.posicao());
        pg.lidos.store(lidos, std::memory_order_relaxed);
        if (tamanho_ > 0 && pos > 0) {
            pg.percentual.store(static_cast<int>(std::min<std::int64_t>(pos * 100 / tamanho_, 99)),
                                std::memory_order_relaxed);
        }
    };
    pg.percentual = 0;
    pg.lidos = 0;
    pg.total = 0; // desconhecido até a contagem terminar
    // O total mostrado é exato e não muda durante a execução: conta as linhas antes.
    if (auto linhas = contaLinhas(arquivo_, &cancelar)) pg.total.store(*linhas);
    std::rewind(arquivo_);

    Linha ln;
    RegistroLido r;
    while (leitor.proxima(ln)) {
        if ((ln.numero & 0xFFF) == 0) {
            atualiza(ln.numero - 1);
            if (cancelar.load(std::memory_order_relaxed)) break;
        }
        r.texto = ln.texto;
        r.linha = ln.numero;
        r.offset = ln.offset;
        r.situacao = Situacao::SemCritica;
        r.camposFalhos = 0;
        r.indiceTipo = tabelas::indiceTipo(ln.texto);
        receptor.registroAtual(&r);
        bool tamanhoValido = ln.tamanho == 126;
        if (!tamanhoValido) {
            campos.critica(nullptr, r, nullptr,
                           msg::TamanhoInvalido + std::to_string(ln.tamanho) +
                               msg::TamanhoInvalidoFim);
        } else if (const LeiauteRegistro* l = leiautePara(ln.texto)) {
            if (l->indiceTipo == 0 && !ctx.registro10Lido) preencheContexto(ctx, ln.texto);
            if (ctx.flagLeiaute != 0) {
                r.camposFalhos = campos.confere(*l, r);
                totais.acumula(*l, ln.texto);
            } else if (l->indiceTipo == 0) {
                r.camposFalhos = campos.confere(*l, r);
            }
        } else {
            r.indiceTipo = -1;
            bool comSubtipo = ln.texto.substr(0, 2) == "60" || ln.texto.substr(0, 2) == "61";
            std::string tipo(ln.texto.substr(0, comSubtipo ? 3 : 2));
            texto::trocaControles(tipo);
            campos.critica(nullptr, r, nullptr, msg::TipoInvalido + texto::paraUtf8(tipo) + ".");
        }
        for (auto& v : verificacoes)
            v->registro(r, tamanhoValido, receptor);
        res.contagens.conta(r.indiceTipo, r.situacao);
        res.registros = ln.numero;
    }
    receptor.registroAtual(nullptr);
    res.crc = leitor.crc();

    if (leitor.erro()) {
        res.falha =
            "Erro lendo o arquivo " + p_.arquivo + ": " + texto::motivoSistema(leitor.erro());
    } else if (cancelar.load()) {
        res.cancelado = true;
    } else {
        ReleituraArquivo releitura(arquivo_, p_.arquivo, leitor.bytesLidos(), modificado_,
                                   cancelar);
        for (auto& v : verificacoes)
            v->fim(receptor, releitura);
        if (releitura.cancelada()) {
            res.cancelado = true;
        } else {
            res.falha = releitura.falha();
            if (auto e = gravaTotais(totais); e && res.falha.empty()) res.falha = *e;
            res.totaisPorRegistro = totais.linhasPorRegistro();
        }
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
