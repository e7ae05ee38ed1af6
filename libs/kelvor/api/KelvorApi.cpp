// Interface C da biblioteca Kelvor: uma camada fina sobre o núcleo (namespace kelvor).
#include "engine/Cabecalhos.h"

#include "core/Arquivo.h"
#include "core/Bibliotecas.h"
#include "core/Execucao.h"
#include "core/Log.h"
#include "core/Texto.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <zlib.h>

namespace {

// Texto do núcleo (UTF-8) para um buffer do chamador, em Windows-1252, terminado em NUL.
void copia(char* destino, std::size_t tamanho, std::string_view utf8) {
    if (!destino || tamanho == 0) return;
    auto s = kelvor::texto::paraWindows1252(utf8);
    std::size_t n = std::min(s.size(), tamanho - 1);
    std::memcpy(destino, s.data(), n);
    destino[n] = '\0';
}

std::string texto(const char* s) {
    return s ? std::string(s) : std::string();
}

int32 limita(std::int64_t v) {
    return static_cast<int32>(std::clamp<std::int64_t>(v, 0, INT_MAX));
}

kelvor::ExecucaoValidacao& execucao() {
    static kelvor::ExecucaoValidacao e;
    return e;
}

} // namespace

KORVENTA_API void KORVENTA_CALL LigarLog(const char* aplicacao, int32 nivel) {
    kelvor::log::liga(texto(aplicacao), nivel);
}

KORVENTA_API void KORVENTA_CALL EventoLog(int32 nivel, const char* t) {
    kelvor::log::evento(nivel, texto(t));
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_VersoesEx(char* versaoValkora2, int32 tamanho1,
                                                  char* versaoValkora3, int32 tamanho2,
                                                  char* versaoKelvor, int32 tamanho3, int32) {
    namespace b = kelvor::bibliotecas;
    auto pasta =
        std::filesystem::path(b::pastaDoModulo(reinterpret_cast<const void*>(&Kelvor_VersoesEx)));
    auto v2 = b::versaoPorFuncao((pasta / b::nomeArquivo("Valkora2")).string(), "Valkora2_Versao");
    auto v3 = b::versaoPorFuncao((pasta / b::nomeArquivo("Valkora3")).string(), "Valkora3_Versao");
    if (!v2 || !v3) {
        kelvor::log::evento(0, "Kelvor_VersoesEx: Valkora2 ou Valkora3 não encontrada em " +
                                   pasta.string());
        return 0;
    }
    copia(versaoValkora2, static_cast<std::size_t>(std::max(tamanho1, 0)), *v2);
    copia(versaoValkora3, static_cast<std::size_t>(std::max(tamanho2, 0)), *v3);
    copia(versaoKelvor, static_cast<std::size_t>(std::max(tamanho3, 0)), korventa::versoes::Kelvor);
    return 1;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_Aux(const char* caminho, char* saida, char* mensagem) {
    std::string c = texto(caminho);
    copia(saida, 20, "");
    copia(mensagem, 1000, "");
    std::error_code ec;
    if (c.empty() || !std::filesystem::is_regular_file(c, ec)) {
        copia(mensagem, 1000, "Arquivo não encontrado: " + c);
        return 0;
    }
    auto v = kelvor::bibliotecas::versaoDe(c);
    if (!v) {
        copia(mensagem, 1000, "Arquivo danificado ou de outra versão: " + c);
        return 0;
    }
    copia(saida, 20, *v);
    return 1;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_VerificaArquivo(const char* caminho, char* mensagem,
                                                        int32 tamanhoMensagem) {
    auto tam = static_cast<std::size_t>(std::max(tamanhoMensagem, 0));
    if (auto e = kelvor::verificaArquivo(texto(caminho))) {
        copia(mensagem, tam, *e);
        return 0;
    }
    copia(mensagem, tam, "");
    return 1;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_InicioValidacao(const char* caminho,
                                                        const char* caminhoCriticas,
                                                        const char* caminhoTotaisCFOP,
                                                        int32 flagLeiaute, int32 versaoConvenio,
                                                        char* mensagem) {
    kelvor::Parametros p;
    p.arquivo = texto(caminho);
    p.relatorio = texto(caminhoCriticas);
    p.totaisCfop = texto(caminhoTotaisCFOP);
    p.flagLeiaute = flagLeiaute == 0 ? 0 : 1;
    p.versaoConvenio = versaoConvenio == 2 ? 2 : 3;
    kelvor::log::evento(4, "Kelvor_InicioValidacao " + p.arquivo);
    std::string m;
    if (p.relatorio.empty() || p.totaisCfop.empty()) {
        m = "Caminho do relatório de críticas ou do arquivo de totais não informado.";
    } else if (execucao().inicia(p, m)) {
        copia(mensagem, 1000, "");
        return 1;
    }
    kelvor::log::evento(0, m);
    copia(mensagem, 1000, m);
    return 0;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_EstadoValidacao(int32* percentual, int32* registrosLidos,
                                                        int32* registrosTotal) {
    int p = 0, l = 0, t = 0;
    int estado = execucao().estado(p, l, t);
    if (percentual) *percentual = p;
    if (registrosLidos) *registrosLidos = l;
    if (registrosTotal) *registrosTotal = t;
    return estado;
}

KORVENTA_API void KORVENTA_CALL Kelvor_CancelaValidacao(void) {
    kelvor::log::evento(4, "Kelvor_CancelaValidacao");
    execucao().cancela();
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_ResultadoValidacao(char* mensagem, int32* erros,
                                                           int32* advertencias) {
    if (execucao().emAndamento()) {
        copia(mensagem, 100, "");
        return kelvor::EstadoEmAndamento;
    }
    auto r = execucao().resultado();
    if (erros) *erros = limita(r.erros);
    if (advertencias) *advertencias = limita(r.advertencias);
    if (!r.falha.empty()) {
        kelvor::log::evento(0, r.falha);
        copia(mensagem, 100, r.falha);
    } else if (r.cancelado) {
        copia(mensagem, 100, "Validação cancelada.");
    } else {
        copia(mensagem, 100, kelvor::crcHexa(r.crc));
    }
    return r.veredito;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_CRC32(const char* t, char* saida) {
    std::string s = texto(t);
    auto crc = crc32(0L, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size()));
    copia(saida, 100, std::to_string(static_cast<unsigned long>(crc)));
    return 1;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_TotalizadorRegistro(int32 linha, char* saida) {
    copia(saida, 100, "");
    if (linha < 0 || linha > 30) return 0;
    auto r = execucao().resultado();
    copia(saida, 100, r.totaisPorRegistro[static_cast<std::size_t>(linha)]);
    return 1;
}

KORVENTA_API int32 KORVENTA_CALL Kelvor_Totalizador(int32 linha, int32 coluna) {
    return limita(execucao().resultado().contagens.celula(linha, coluna));
}
