// Tipos que o núcleo do motor compartilha entre a leitura, as verificações de campo e as
// verificações entre registros.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvor {

enum class Gravidade : std::uint8_t { Rejeicao, Advertencia };

// Pior situação de um registro até aqui: decide em que coluna de Kelvor_Totalizador ele conta.
enum class Situacao : std::uint8_t { SemCritica = 0, ComAdvertencia = 1, Rejeitado = 2 };

// Conjunto de campos de um registro, pelo índice no leiaute (nenhum leiaute passa de 32 campos).
using CamposFalhos = std::uint32_t;

// Uma crítica, já com os textos que vão para o relatório (cortados na largura da coluna
// por quem grava o relatório). campo, docItem e mensagem são textos do código, em UTF-8;
// tipo e conteudo são bytes do arquivo fiscal (Windows-1252) e vão para o relatório como estão.
struct Critica {
    std::int64_t linha = 0;  // 1-based
    std::int64_t offset = 0; // byte do início do registro no arquivo, 0-based
    std::string tipo;        // "10", "50", "60" ... (colunas 21-22)
    std::string campo;       // nome do campo como no leiaute; vazio quando é o registro todo
    std::string docItem;     // série-número[/item]; vazio quando o registro não tem
    std::string conteudo;    // conteúdo lido do campo
    std::string mensagem;
    Gravidade gravidade = Gravidade::Rejeicao;
    int inicio = 0;  // primeira coluna do campo (1-based); 0 = registro todo
    int tamanho = 0; // largura do campo; 0 = registro todo
};

class ReceptorCriticas {
public:
    virtual ~ReceptorCriticas() = default;
    // Crítica do registro que está sendo lido agora (ordem do arquivo).
    virtual void critica(const Critica& c) = 0;
    // Crítica achada no fim do arquivo sobre um registro já lido; situacaoAnterior é a situação
    // daquele registro antes desta crítica, para acertar as contagens por tipo.
    virtual void criticaTardia(const Critica& c, Situacao situacaoAnterior) = 0;
};

// Um registro como o leitor o entrega: o texto sem o fim de linha.
struct RegistroLido {
    std::string_view texto;
    std::int64_t linha = 0;
    std::int64_t offset = 0;
    // 0..20 na ordem fixa dos tipos; -1 tipo desconhecido. Num registro de tamanho errado vem
    // das posições 1-2 (subtipo não conferido).
    int indiceTipo = -1;
    Situacao situacao = Situacao::SemCritica; // depois das verificações de campo deste registro
    // Campos (bit i = campos[i] do leiaute) que falharam na própria conferência: dado produzido
    // pelas verificações de campo e levado junto com o registro às verificações entre registros.
    CamposFalhos camposFalhos = 0;
    // Resumos das chaves entre registros deste registro, feitos junto com as verificações de
    // campo (veja CruzadoDocumentos::resumosDasChaves); nulo quando não vieram.
    const std::uint64_t* resumos = nullptr;
};

} // namespace kelvor
