#include "printing/TrabalhoImpressao.h"

#include "platform/Plataforma.h"
#include "printing/ImpressoraAtual.h"
#include "printing/SuperficieQt.h"
#include "validation/Sessao.h"

#include <QPagedPaintDevice>

namespace korventa {

ResultadoTrabalho ExecutaTrabalho(Sessao& s, const QString& documento, bool visualizar,
                                  const std::function<int(SuperficieImpressao&)>& desenha,
                                  const std::function<bool(int previstas, int pagina)>& coube) {
    ResultadoTrabalho r;
    std::unique_ptr<SuperficieQt> superficie =
        visualizar ? SuperficieQt::ParaMedir(NomeImpressoraAtual(s), s.impressora)
                   : AbreDocumento(s, documento);
    const int previstas = desenha(*superficie);
    r.orientacao = superficie->orientacao();
    if (superficie->falhou()) {
        r.fim = FimTrabalho::Falhou;
        r.erro = superficie->erro();
        superficie->abortaDocumento();
        return r;
    }
    if (previstas == -1) {
        r.fim = FimTrabalho::NadaImpresso;
        return r;
    }
    if (!coube(previstas, superficie->pagina())) {
        r.fim = FimTrabalho::NaoCoube;
        superficie->abortaDocumento();
        superficie->fimDocumento();
        return r;
    }
    if (!visualizar) {
        if (!superficie->fimDocumento()) {
            r.fim = FimTrabalho::Falhou;
            r.erro = superficie->erro();
        }
        return r;
    }
    superficie->abortaDocumento(); // a passagem de medida não vai a lugar nenhum
    const QString nome = NomeImpressoraAtual(s);
    const bool imprimiu = s.plataforma.visualizaImpressao(
        RegistroImpressoraAtual(s, documento), [&](QPagedPaintDevice& dispositivo) {
            SuperficieQt pagina(dispositivo, nome);
            desenha(pagina);
            pagina.fimDocumento();
        });
    r.fim = imprimiu ? FimTrabalho::Impresso : FimTrabalho::NaoImpresso;
    return r;
}

} // namespace korventa
