// Conferência campo a campo de um registro de tamanho certo e leiaute conhecido, mais as
// regras que só olham o próprio registro (período, CFOP x UF, ICMS, registros 10 e 11).
#pragma once

#include "core/Critica.h"
#include "core/Leiaute.h"
#include "core/Verificacao.h"

namespace kelvor {

// Identificação documento-item do relatório: série-número[/item]; vazia sem documento.
std::string documentoItem(const LeiauteRegistro& l, std::string_view registro);

class VerificadorCampos {
public:
    VerificadorCampos(const Contexto& ctx, ReceptorCriticas& saida) : ctx_(ctx), saida_(saida) {}

    // Devolve os campos que falharam na própria conferência (as regras do registro como um todo
    // não entram): as verificações de ordem deixam esses registros de fora.
    CamposFalhos confere(const LeiauteRegistro& l, const RegistroLido& r);

    // Crítica de um campo (ou do registro todo, com campo nulo) do registro r.
    void critica(const LeiauteRegistro* l, const RegistroLido& r, const Campo* campo,
                 std::string_view mensagem, Gravidade g = Gravidade::Rejeicao);

private:
    void confereCampo(const LeiauteRegistro& l, const RegistroLido& r, const Campo& c,
                      bool cancelado);
    void confereCnpj(const LeiauteRegistro& l, const RegistroLido& r, const Campo& c);
    void confereIE(const LeiauteRegistro& l, const RegistroLido& r, const Campo& c);
    void confereRegrasDoDocumento(const LeiauteRegistro& l, const RegistroLido& r, bool cancelado);
    void confereIcms(const LeiauteRegistro& l, const RegistroLido& r);
    void confereRegistro10(const LeiauteRegistro& l, const RegistroLido& r);
    void confereRegistro11(const LeiauteRegistro& l, const RegistroLido& r);
    void confereRegistro54(const LeiauteRegistro& l, const RegistroLido& r);
    void confereRegistro53Versao2(const LeiauteRegistro& l, const RegistroLido& r);
    void confereRegistro74(const LeiauteRegistro& l, const RegistroLido& r);

    const Contexto& ctx_;
    ReceptorCriticas& saida_;
    Critica c_;               // reaproveitada: sem alocação nova a cada crítica
    CamposFalhos falhos_ = 0; // campos do leiaute criticados no registro em curso
};

} // namespace kelvor
