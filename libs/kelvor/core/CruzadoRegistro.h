// O registro em verificação, como as regras entre registros o veem: recortes seguros dos
// campos, críticas imediatas (que acompanham a situação do registro) e o endereço compacto
// que as regras guardam para criticá-lo no fim do arquivo.
#pragma once

#include "core/Critica.h"
#include "core/Leiaute.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvor::cruzado {

// Onde está um registro já lido, com a situação dele ao fim da sua leitura.
struct LocalRegistro {
    std::int64_t linha = 0;
    std::int64_t offset = 0;
    Situacao situacao = Situacao::SemCritica;
    bool contado = true; // entra nas contagens por tipo (falso para tipo/subtipo desconhecido)
    char tipo[2] = {' ', ' '};
    char docItem[16] = {}; // terminado em NUL
};

// Campo criticado: nome (como no relatório), primeira coluna (1-based) e largura;
// inicio 0 = o registro todo.
struct CampoCriticado {
    const char* nome = "";
    int inicio = 0;
    int tamanho = 0;
};

Situacao situacaoDe(Gravidade g);
Situacao pior(Situacao a, Situacao b);

// Nome do campo que começa na coluna dada no leiaute do registro; o padrão quando o leiaute
// não o tem.
CampoCriticado campoEm(const LeiauteRegistro* leiaute, int inicio, int tamanho,
                       const char* nomePadrao);

// Série-número[/item] do registro, como as críticas de campo o escrevem; vazio quando o
// texto não chega até esses campos.
std::string identificacaoDocumento(const LeiauteRegistro* leiaute, std::string_view registro);

// Endereço do registro lido, com a situação dada.
LocalRegistro localDe(const RegistroLido& r, const LeiauteRegistro* leiaute, Situacao situacao);

class RegistroAtual {
public:
    void inicia(const RegistroLido& r, bool tamanhoValido, ReceptorCriticas& saida);

    const RegistroLido& lido() const { return *r_; }
    std::string_view texto() const { return r_->texto; }
    bool tamanhoValido() const { return tamanhoValido_; }
    // Índice 0..20 pelas duas primeiras posições (60X conta como 60); -1 se não é tipo.
    int indice() const { return indice_; }
    char subtipo() const { return texto().size() > 2 ? texto()[2] : ' '; }
    // Leiaute do tipo/subtipo (procurado só quando alguma regra precisa).
    const LeiauteRegistro* leiaute() const;
    // O texto chega até a coluna (1-based)?
    bool cobre(int coluna) const { return texto().size() >= static_cast<std::size_t>(coluna); }
    // Trecho 1-based; vazio quando passa do fim do texto.
    std::string_view trecho(int inicio, int tamanho) const;

    Situacao situacao() const { return situacao_; }

    // Crítica imediata; o conteúdo é o trecho do campo.
    void critica(Gravidade g, const CampoCriticado& campo, std::string mensagem);
    // Campo do leiaute deste registro pela coluna.
    CampoCriticado campo(int inicio, int tamanho, const char* nomePadrao = "") const {
        return campoEm(leiaute(), inicio, tamanho, nomePadrao);
    }

    // Endereço deste registro com a situação atual (chamar depois de todas as críticas
    // imediatas dele: as regras só guardam na etapa "guarda").
    LocalRegistro local() const;

private:
    const RegistroLido* r_ = nullptr;
    bool tamanhoValido_ = false;
    int indice_ = -1;
    mutable const LeiauteRegistro* leiaute_ = nullptr;
    mutable bool leiauteProcurado_ = false;
    Situacao situacao_ = Situacao::SemCritica;
    ReceptorCriticas* saida_ = nullptr;
};

} // namespace kelvor::cruzado
