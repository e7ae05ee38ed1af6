// Verificações entre registros: ordem do arquivo, registro 90 e vínculos entre registros.
#include "core/CruzadoConjunto.h"
#include "core/CruzadoCupons.h"
#include "core/CruzadoDocumentos.h"
#include "core/CruzadoProdutos.h"
#include "core/CruzadoTransporte.h"
#include "core/EstruturaOrdem.h"
#include "core/EstruturaOrdemInterna.h"
#include "core/Registro90.h"
#include "core/Verificacao.h"

namespace kelvor {

std::vector<std::unique_ptr<Verificacao>> criaVerificacoesEntreRegistros(const Contexto& ctx) {
    using namespace cruzado;
    auto conjunto = std::make_unique<ConjuntoDeRegras>();
    const bool leiauteAtual = ctx.flagLeiaute != 0;
    conjunto->cria<EstruturaOrdem>();
    conjunto->cria<EstruturaOrdemInterna>(leiauteAtual);
    conjunto->cria<Registro90>(ctx);
    // No leiaute anterior a 2003 só a estrutura do arquivo é verificada.
    if (leiauteAtual) {
        auto& documentos = conjunto->cria<CruzadoDocumentos>(ctx.registros50Previstos);
        conjunto->cria<CruzadoTransporte>();
        conjunto->cria<CruzadoCupons>();
        conjunto->cria<CruzadoProdutos>(documentos);
    }
    std::vector<std::unique_ptr<Verificacao>> v;
    v.push_back(std::move(conjunto));
    return v;
}

} // namespace kelvor
