// Interface C dos leitores de mídia e dos arquivos para a GIA.
#include "engine/Cabecalhos.h"

#include "core/ArquivosGia.h"
#include "core/Log.h"
#include "core/Texto.h"
#include "midia/LeituraMidia.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>

namespace {

using korventa::midia::Midia;

void copia(char* destino, int32 tamanho, std::string_view utf8) {
    if (!destino || tamanho <= 0) return;
    const std::string s = kelvor::texto::paraWindows1252(utf8);
    const std::size_t n = std::min(s.size(), std::size_t(tamanho - 1));
    std::memcpy(destino, s.data(), n);
    destino[n] = '\0';
}

std::string texto(const char* s) {
    return s ? std::string(s) : std::string();
}

// Abre e confere a mídia; na falha registra o motivo técnico e devolve a mensagem do usuário.
std::optional<std::string> abre(const std::string& caminho, Midia& m) {
    if (auto motivo = korventa::midia::AbreMidia(caminho, m)) {
        kelvor::log::evento(3, "Mídia recusada (" + *motivo + "): " + caminho);
        return korventa::midia::MensagemDanificada(caminho);
    }
    return std::nullopt;
}

// Linhas separadas por CR LF, como os leitores prometem.
std::string comCrLf(const std::string& s) {
    std::string r;
    r.reserve(s.size() + s.size() / 64);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) r += '\r';
        r += s[i];
    }
    return r;
}

// Texto de uma entrada pelo protocolo do tamanho: saída nula ou pequena devolve 0 com o tamanho
// necessário (NUL incluído); senão copia.
int32 entregaEntrada(const char* caminhoMidia, const char* nome, char* saida, int32* tamanho,
                     char* mensagem, int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    const std::string caminho = texto(caminhoMidia);
    try {
        if (!tamanho) {
            copia(mensagem, tamanhoMensagem, "Tamanho da saída não informado.");
            return 1;
        }
        Midia m;
        if (auto erro = abre(caminho, m)) {
            copia(mensagem, tamanhoMensagem, *erro);
            return 1;
        }
        std::string conteudo;
        if (auto motivo = korventa::midia::LeEntrada(caminho, m, nome, conteudo)) {
            kelvor::log::evento(3, "Mídia recusada (" + *motivo + "): " + caminho);
            copia(mensagem, tamanhoMensagem, korventa::midia::MensagemDanificada(caminho));
            return 1;
        }
        conteudo = comCrLf(conteudo);
        if (conteudo.size() >= std::size_t(INT_MAX)) {
            copia(mensagem, tamanhoMensagem, "Conteúdo grande demais: " + caminho);
            return 1;
        }
        const auto necessario = static_cast<int32>(conteudo.size() + 1);
        if (!saida || *tamanho < necessario) {
            *tamanho = necessario;
            return 0;
        }
        std::memcpy(saida, conteudo.data(), conteudo.size());
        saida[conteudo.size()] = '\0';
        *tamanho = necessario;
        return 0;
    } catch (const std::exception& e) {
        copia(mensagem, tamanhoMensagem, korventa::midia::MensagemDanificada(caminho));
        return 1;
    }
}

} // namespace

KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterInfoAdicionaisMidiaQIV_Ex(const char* caminhoMidia,
                                                                       char* tipoDocumento,
                                                                       char* info, char* mensagem,
                                                                       int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    copia(tipoDocumento, 20, "");
    if (info) std::memset(info, 0, korventa::midia::TamanhoInfo);
    const std::string caminho = texto(caminhoMidia);
    try {
        Midia m;
        if (auto erro = abre(caminho, m)) {
            copia(mensagem, tamanhoMensagem, *erro);
            return 1;
        }
        // Os textos da mídia já são Windows-1252: passam como estão.
        if (info) std::memcpy(info, m.info().data(), korventa::midia::TamanhoInfo);
        if (tipoDocumento) {
            const std::size_t n = std::min<std::size_t>(m.ini.tipoDocumento.size(), 19);
            std::memcpy(tipoDocumento, m.ini.tipoDocumento.data(), n);
            tipoDocumento[n] = '\0';
        }
        return 0;
    } catch (const std::exception&) {
        copia(mensagem, tamanhoMensagem, korventa::midia::MensagemDanificada(caminho));
        return 1;
    }
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterResumoMidiaQIV(const char* caminhoMidia, char* saida,
                                                            int32* tamanho, char* mensagem,
                                                            int32 tamanhoMensagem) {
    return entregaEntrada(caminhoMidia, korventa::midia::NomeResumo, saida, tamanho, mensagem,
                          tamanhoMensagem);
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_ObterTotaisCFOP(const char* caminhoMidia, char* saida,
                                                        int32* tamanho, char* mensagem,
                                                        int32 tamanhoMensagem) {
    return entregaEntrada(caminhoMidia, korventa::midia::NomeTotaisCFOP, saida, tamanho, mensagem,
                          tamanhoMensagem);
}

KORVENTA_API int32 KORVENTA_CALL GerarArquivosParaGia(const char* caminhoArquivo,
                                                      const char* caminhoTotaisSituacao,
                                                      const char* caminhoTotaisOutrasIEs,
                                                      const char* caminhoTotaisPorUF,
                                                      char* mensagem, int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    try {
        kelvor::log::evento(4, "GerarArquivosParaGia " + texto(caminhoArquivo));
        if (auto erro = kelvor::gia::geraArquivos(
                texto(caminhoArquivo), texto(caminhoTotaisSituacao), texto(caminhoTotaisOutrasIEs),
                texto(caminhoTotaisPorUF))) {
            kelvor::log::evento(3, *erro);
            copia(mensagem, tamanhoMensagem, *erro);
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        copia(mensagem, tamanhoMensagem,
              std::string("Erro ao gerar os arquivos de totais: ") + e.what());
        return 1;
    }
}
