// Verificações que acompanham o arquivo inteiro (ordem, registro 90, vínculos entre registros).
#pragma once

#include "core/Critica.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelvor {

// Dados da validação em curso. O leitor preenche os campos do registro 10 quando o lê;
// antes disso estão vazios.
struct Contexto {
    int flagLeiaute = 1;    // 0: leiaute anterior a 2003
    int versaoConvenio = 3; // 2 ou 3
    bool registro10Lido = false;
    std::string cnpj;    // registro 10, colunas 3-16
    std::string ie;      // colunas 17-30, sem brancos à direita
    std::string uf;      // colunas 96-97
    int dataInicial = 0; // AAAAMMDD; 0 quando inválida
    int dataFinal = 0;
    // Linhas que começam por "50", contadas antes da leitura: tamanho inicial das notas.
    std::int64_t registros50Previstos = 0;
};

// O arquivo lido de novo, do começo: a segunda passada, feita só quando o fim do arquivo mostra
// chaves que faltaram, para criticar cada registro que as usou sem guardar nada por linha.
class Releitura {
public:
    virtual ~Releitura() = default;
    // Cada registro em ordem, como na primeira leitura (a situação não vem: é da primeira).
    // Falso quando não chegou ao fim (cancelada, erro de leitura, arquivo mudado): o dono da
    // releitura diz o motivo.
    using Visita = std::function<void(const RegistroLido&, bool tamanhoValido)>;
    virtual bool percorre(const Visita& visita) = 0;
};

class Verificacao {
public:
    virtual ~Verificacao() = default;
    // Cada registro, na ordem do arquivo, depois das verificações de campo dele; também os de
    // tamanho errado (tamanhoValido falso) e os de tipo desconhecido (indiceTipo -1).
    virtual void registro(const RegistroLido& r, bool tamanhoValido, ReceptorCriticas& saida) = 0;
    // Um registro que vem logo adiante (ainda não passou por registro()): a verificação pode
    // trazer para o cache as posições das tabelas que ele vai consultar. Não muda nada.
    virtual void antecipa(const RegistroLido&) {}
    // Fim do arquivo: críticas tardias (ReceptorCriticas::criticaTardia) sobre registros já lidos,
    // em ordem de linha; releitura, quando precisa, percorre o arquivo outra vez.
    virtual void fim(ReceptorCriticas& saida, Releitura& releitura) = 0;
};

// As verificações entre registros da validação, na ordem em que devem correr.
std::vector<std::unique_ptr<Verificacao>> criaVerificacoesEntreRegistros(const Contexto& ctx);

} // namespace kelvor
