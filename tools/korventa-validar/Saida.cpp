#include "Saida.h"

#include "core/Texto.h"

#include <cstdio>

using kelvor::texto::paraUtf8;

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
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                r += u;
            } else {
                r += c;
            }
        }
    }
    return r + "\"";
}

} // namespace

std::string emTexto(const std::string& arquivo, const kelvor::Resultado& r,
                    const std::vector<kelvor::Critica>& criticas) {
    std::string s = arquivo + ": " + textoVeredito(r.veredito) + "\n";
    s += "  Erros: " + std::to_string(r.erros) +
         "  Advertências: " + std::to_string(r.advertencias) +
         "  Registros: " + std::to_string(r.registros) + "  CRC-32: " + kelvor::crcHexa(r.crc) +
         "\n";
    for (const auto& c : criticas) {
        s += "  Linha " + std::to_string(c.linha) + ", registro " + paraUtf8(c.tipo);
        if (!c.campo.empty()) s += ", campo " + c.campo;
        if (!c.conteudo.empty() && !c.campo.empty()) s += " (\"" + paraUtf8(c.conteudo) + "\")";
        s += ": " + c.mensagem + " [" + tipoCritica(c) + "]\n";
    }
    auto total = r.erros + r.advertencias;
    if (total > static_cast<std::int64_t>(criticas.size()))
        s += "  ... e mais " + std::to_string(total - criticas.size()) + " crítica(s).\n";
    return s;
}

std::string emJson(const std::string& arquivo, const kelvor::Resultado& r,
                   const std::vector<kelvor::Critica>& criticas) {
    std::string s = "{\"arquivo\":" + json(arquivo) +
                    ",\"resultado\":" + std::to_string(r.veredito) +
                    ",\"veredito\":" + json(textoVeredito(r.veredito)) +
                    ",\"erros\":" + std::to_string(r.erros) +
                    ",\"advertencias\":" + std::to_string(r.advertencias) +
                    ",\"registros\":" + std::to_string(r.registros) +
                    ",\"crc32\":" + json(kelvor::crcHexa(r.crc)) + ",\"criticas\":[";
    bool primeira = true;
    for (const auto& c : criticas) {
        s += primeira ? "" : ",";
        primeira = false;
        s += "{\"linha\":" + std::to_string(c.linha) + ",\"registro\":" + json(paraUtf8(c.tipo)) +
             ",\"campo\":" + json(c.campo) + ",\"inicio\":" + std::to_string(c.inicio) +
             ",\"tamanho\":" + std::to_string(c.tamanho) +
             ",\"conteudo\":" + json(paraUtf8(c.conteudo)) + ",\"mensagem\":" + json(c.mensagem) +
             ",\"tipo\":" + json(tipoCritica(c)) + ",\"offset\":" + std::to_string(c.offset) + "}";
    }
    return s + "]}";
}

std::string falhaEmJson(const std::string& arquivo, const std::string& motivo) {
    return "{\"arquivo\":" + json(arquivo) + ",\"resultado\":-1,\"erro\":" + json(motivo) + "}";
}
