#include "Saida.h"

#include "core/Texto.h"

#include <cstdio>

using kelvor::texto::paraUtf8;
using kelvor::texto::utf8Valido;

const char* textoVeredito(int v) {
    switch (v) {
    case kelvor::VereditoAceito:
        return "ARQUIVO ACEITO";
    case kelvor::VereditoAdvertencias:
        return "ARQUIVO ACEITO COM ADVERTÊNCIAS";
    case kelvor::VereditoRejeitado:
        return "ARQUIVO REJEITADO";
    default:
        return "";
    }
}

namespace {

const char* tipoCritica(const kelvor::Critica& c) {
    return c.gravidade == kelvor::Gravidade::Rejeicao ? "Rejeição" : "Advertência";
}

// Texto JSON entre aspas; o que não for UTF-8 já vem convertido por quem chama.
std::string json(std::string_view s) {
    std::string r = "\"";
    for (char c : s) {
        switch (c) {
        case '"':
            r += "\\\"";
            break;
        case '\\':
            r += "\\\\";
            break;
        case '\n':
            r += "\\n";
            break;
        case '\t':
            r += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", static_cast<unsigned>(c));
                r += u;
            } else {
                r += c;
            }
        }
    }
    return r + "\"";
}

// As mensagens da abertura separam as frases com CR (como nas caixas do programa).
std::string semCr(std::string s) {
    for (char& c : s)
        if (c == '\r') c = '\n';
    return s;
}

} // namespace

std::string textoJson(std::string_view s) {
    return json(utf8Valido(s));
}

std::string inicioTexto(const std::string& arquivo, const kelvor::Resultado& r) {
    return utf8Valido(arquivo) + ": " + textoVeredito(r.veredito) + "\n" +
           "  Erros: " + std::to_string(r.erros) +
           "  Advertências: " + std::to_string(r.advertencias) +
           "  Registros: " + std::to_string(r.registros) + "  CRC-32: " + kelvor::crcHexa(r.crc) +
           "\n";
}

std::string criticaTexto(const kelvor::Critica& c) {
    std::string s = "  Linha " + std::to_string(c.linha) + ", registro " + paraUtf8(c.tipo);
    if (!c.campo.empty()) s += ", campo " + utf8Valido(c.campo);
    if (!c.conteudo.empty() && !c.campo.empty()) s += " (\"" + paraUtf8(c.conteudo) + "\")";
    return s + ": " + utf8Valido(c.mensagem) + " [" + tipoCritica(c) + "]\n";
}

std::string fimTexto(const kelvor::Resultado& r, std::int64_t mostradas) {
    auto total = r.erros + r.advertencias;
    if (total > mostradas)
        return "  ... e mais " + std::to_string(total - mostradas) + " crítica(s).\n";
    return {};
}

std::string inicioJson(const std::string& arquivo, const kelvor::Resultado& r) {
    return "{\"arquivo\":" + textoJson(arquivo) + ",\"resultado\":" + std::to_string(r.veredito) +
           ",\"veredito\":" + json(textoVeredito(r.veredito)) +
           ",\"erros\":" + std::to_string(r.erros) +
           ",\"advertencias\":" + std::to_string(r.advertencias) +
           ",\"registros\":" + std::to_string(r.registros) +
           ",\"crc32\":" + json(kelvor::crcHexa(r.crc)) + ",\"criticas\":[";
}

std::string criticaJson(const kelvor::Critica& c) {
    return "{\"linha\":" + std::to_string(c.linha) + ",\"registro\":" + json(paraUtf8(c.tipo)) +
           ",\"campo\":" + textoJson(c.campo) + ",\"inicio\":" + std::to_string(c.inicio) +
           ",\"tamanho\":" + std::to_string(c.tamanho) +
           ",\"conteudo\":" + json(paraUtf8(c.conteudo)) +
           ",\"mensagem\":" + textoJson(c.mensagem) + ",\"tipo\":" + json(tipoCritica(c)) +
           ",\"offset\":" + std::to_string(c.offset) + "}";
}

std::string fimJson() {
    return "]}\n";
}

std::string falhaEmTexto(const std::string& arquivo, const std::string& motivo) {
    std::string m = semCr(utf8Valido(motivo));
    std::string s = utf8Valido(arquivo) + ": ARQUIVO NÃO VALIDADO\n  ";
    for (char c : m) {
        s += c;
        if (c == '\n') s += "  ";
    }
    return s + "\n";
}

std::string falhaEmJson(const std::string& arquivo, const std::string& motivo) {
    return "{\"arquivo\":" + textoJson(arquivo) +
           ",\"resultado\":-1,\"erro\":" + textoJson(semCr(motivo)) + "}\n";
}

std::string resumoDoLote(const Placar& p) {
    return "Resumo: " +
           std::to_string(p.aceitos + p.comAdvertencias + p.rejeitados + p.naoValidados) +
           " arquivo(s): " + std::to_string(p.aceitos) + " aceito(s), " +
           std::to_string(p.comAdvertencias) + " aceito(s) com advertências, " +
           std::to_string(p.rejeitados) + " rejeitado(s), " + std::to_string(p.naoValidados) +
           " não validado(s).\n";
}
