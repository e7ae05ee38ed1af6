#include "core/Relatorio.h"

#include "core/Texto.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kelvor {

namespace {

// Coloca o texto na coluna (1-based) com a largura dada, cortando o que sobra.
void poe(std::string& r, int coluna, int largura, std::string_view t) {
    r.replace(coluna - 1, std::min<std::size_t>(t.size(), largura), t.substr(0, largura));
}

// Número alinhado à direita com brancos; os dígitos da direita quando não cabe.
void poeNumero(std::string& r, int coluna, int largura, std::int64_t n) {
    std::string d = std::to_string(n);
    if (d.size() > static_cast<std::size_t>(largura)) d = d.substr(d.size() - largura);
    r.replace(coluna - 1 + largura - d.size(), d.size(), d);
}

} // namespace

std::string formataCritica(const Critica& c, std::int64_t sequencia) {
    std::string r(TamanhoRegistroCritica, ' ');
    poeNumero(r, 1, 10, sequencia);
    poeNumero(r, 11, 10, c.linha);
    poe(r, 21, 2, c.tipo);
    poe(r, 23, 25, texto::paraWindows1252(c.campo));
    poe(r, 48, 15, texto::paraWindows1252(c.docItem));
    poe(r, 63, 25, c.conteudo);
    poe(r, 88, 100, texto::paraWindows1252(c.mensagem));
    poe(r, 188, 11,
        texto::paraWindows1252(c.gravidade == Gravidade::Rejeicao ? "Rejeição" : "Advertência"));
    if (c.inicio > 0) {
        poeNumero(r, 199, 3, c.inicio);
        poeNumero(r, 202, 3, c.tamanho);
    }
    poeNumero(r, 205, 10, c.offset);
    // O leitor do relatório lê por linhas: nada de controles no meio do registro.
    texto::trocaControles(r);
    return r;
}

std::string formataCabecalho(std::string_view caminhoArquivo, const std::tm& q) {
    char quando[64];
    std::snprintf(quando, sizeof quando, "%02d/%02d/%04d %02d:%02d:%02d", q.tm_mday, q.tm_mon + 1,
                  q.tm_year + 1900, q.tm_hour, q.tm_min, q.tm_sec);
    std::string s = texto::paraWindows1252("KORVENTA - Relatório de Críticas - ");
    // O caminho chega na codificação do sistema de arquivos (UTF-8 aqui): o relatório é 1252.
    s.append(texto::paraWindows1252(caminhoArquivo)).append(" - ").append(quando);
    texto::trocaControles(s);
    return s;
}

RelatorioCriticas::~RelatorioCriticas() {
    if (arq_) std::fclose(arq_);
}

std::optional<std::string> RelatorioCriticas::cria(const std::string& caminho) {
    caminho_ = caminho;
    sequencia_ = 0;
    if (caminho.empty()) return std::nullopt;
    errno = 0;
    arq_ = std::fopen(caminho.c_str(), "wb");
    if (!arq_)
        return "Não foi possível criar o arquivo " + caminho + ": " +
               texto::motivoSistema(errno ? errno : EIO);
    std::setvbuf(arq_, nullptr, _IOFBF, 1u << 20);
    return std::nullopt;
}

void RelatorioCriticas::cabecalho(std::string_view caminhoArquivo, const std::tm& quando) {
    if (!arq_) return;
    auto s = formataCabecalho(caminhoArquivo, quando);
    s += "\r\n";
    std::fwrite(s.data(), 1, s.size(), arq_);
}

void RelatorioCriticas::grava(const Critica& c) {
    ++sequencia_;
    if (!arq_) return;
    auto r = formataCritica(c, sequencia_);
    r += "\r\n";
    std::fwrite(r.data(), 1, r.size(), arq_);
}

std::optional<std::string> RelatorioCriticas::fecha() {
    if (!arq_) return std::nullopt;
    errno = 0;
    bool ok = std::fflush(arq_) == 0 && !std::ferror(arq_);
    int erro = errno;
    ok = std::fclose(arq_) == 0 && ok;
    arq_ = nullptr;
    if (ok) return std::nullopt;
    return "Erro gravando o arquivo " + caminho_ + ": " +
           texto::motivoSistema(erro ? erro : (errno ? errno : EIO));
}

} // namespace kelvor
