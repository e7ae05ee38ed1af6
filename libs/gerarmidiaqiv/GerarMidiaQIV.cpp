// Biblioteca que grava as mídias de transmissão: versão, gravação, progresso e a regravação do
// bloco de informações usada depois da transmissão.
#include "engine/Cabecalhos.h"

#include "EscritorMidia.h"
#include "midia/FormatoMidia.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <mutex>

namespace {

constexpr const char* Versao = "5.6.0";
constexpr int32 TamanhoVersao = 100; // saída de versão do contrato

// Copia o texto (UTF-8 do código) para a saída do chamador em Windows-1252, sempre terminada em
// NUL e sem passar do tamanho.
void copia(char* destino, int32 tamanho, const std::string& utf8) {
    if (!destino || tamanho <= 0) return;
    const std::string s = korventa::midia::ParaWindows1252(utf8);
    const std::size_t n = std::min<std::size_t>(s.size(), std::size_t(tamanho - 1));
    std::memcpy(destino, s.data(), n);
    destino[n] = '\0';
}

std::string texto(const char* s) {
    return s ? std::string(s) : std::string();
}

// Uma gravação por vez: o progresso é um só.
std::mutex& trava() {
    static std::mutex m;
    return m;
}

// Resultado comum: 0 sucesso, 1 falha com a mensagem.
int32 conclui(const std::optional<std::string>& erro, char* mensagem, int32 tamanho) {
    copia(mensagem, tamanho, erro ? *erro : std::string());
    return erro ? 1 : 0;
}

} // namespace

KORVENTA_API int32 KORVENTA_CALL VersaoGerarMidiaQIV(char* versao, char* mensagem,
                                                     int32 tamanhoMensagem) {
    copia(mensagem, tamanhoMensagem, "");
    if (!versao) {
        copia(mensagem, tamanhoMensagem, "Saída da versão não informada.");
        return 1;
    }
    copia(versao, TamanhoVersao, Versao);
    return 0;
}

KORVENTA_API int32 KORVENTA_CALL
GerarMidiaQivEx(const char* listaArquivos, const char* caminhoMidia, const char* caminhoComprovante,
                const char* classe, const char* gim, const char* convencao,
                const char* chaveVariante, const char* codigo01, const char* versao0,
                const char* versao1, const char* versao2, const char* uf, const char* cabecalho,
                const char* chave, char* mensagem, int32 tamanhoMensagem) {
    using namespace korventa;
    std::lock_guard<std::mutex> g(trava());
    try {
        gravacao::PedidoMidia p;
        auto lista = gravacao::LeListaArquivos(texto(listaArquivos));
        if (!lista)
            return conclui("Lista de arquivos da mídia inválida.", mensagem, tamanhoMensagem);
        p.arquivos = std::move(*lista);
        p.caminhoMidia = texto(caminhoMidia);
        p.comprovante = texto(caminhoComprovante);
        p.ini.classe = texto(classe);
        p.ini.gim = texto(gim);
        p.ini.tipoDocumento = texto(convencao);
        p.ini.codigo = texto(codigo01);
        p.ini.versao0 = texto(versao0);
        p.ini.versao1 = texto(versao1);
        p.ini.versao2 = texto(versao2);
        p.ini.uf = texto(uf);
        p.chaveVariante = texto(chaveVariante);
        p.info = texto(cabecalho);
        p.chave = texto(chave);
        return conclui(gravacao::GravaMidia(p), mensagem, tamanhoMensagem);
    } catch (const std::exception& e) {
        return conclui(std::string("Erro ao gravar a mídia: ") + e.what(), mensagem,
                       tamanhoMensagem);
    }
}

KORVENTA_API int32 KORVENTA_CALL ProgressoGerarMidiaQIV(void) {
    return korventa::gravacao::Progresso().load();
}

KORVENTA_API int32 KORVENTA_CALL RegravarInfoMidiaQIV(const char* caminhoMidia, const char* info,
                                                      char* mensagem, int32 tamanhoMensagem) {
    std::lock_guard<std::mutex> g(trava());
    try {
        return conclui(korventa::gravacao::RegravaInfo(texto(caminhoMidia), texto(info)), mensagem,
                       tamanhoMensagem);
    } catch (const std::exception& e) {
        return conclui(std::string("Erro ao gravar a mídia: ") + e.what(), mensagem,
                       tamanhoMensagem);
    }
}
