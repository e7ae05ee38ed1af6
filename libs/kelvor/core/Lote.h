// Um lote de linhas inteiras do arquivo: o leitor o enche, as verificações de campo o conferem
// (em qualquer thread) e a etapa em ordem o consome na ordem do arquivo.
#pragma once

#include "core/Critica.h"
#include "core/Leiaute.h"
#include "core/Totais.h"

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor {

struct Contexto;

// O que as verificações de campo acharam num registro, para a etapa em ordem.
struct RegistroLote {
    std::uint32_t inicio = 0;                 // primeiro byte do texto em Lote::bruto
    std::uint32_t guardado = 0;               // bytes do texto (cortado no limite de linha)
    std::int64_t tamanho = 0;                 // tamanho real da linha, sem o fim de linha
    std::int64_t offset = 0;                  // no arquivo
    int indiceTipo = -1;                      // como em RegistroLido
    const LeiauteRegistro* leiaute = nullptr; // tamanho certo e tipo conhecido
    Situacao situacao = Situacao::SemCritica;
    CamposFalhos camposFalhos = 0;                   // os que falharam na própria conferência
    std::uint32_t primeiraCritica = 0, criticas = 0; // em Lote::criticas
    bool soma = false;                               // somou parcelas nos totais do lote
    std::uint64_t documentoSemValor = 0;             // veja Parcelas
    bool temResumos = false;
    std::uint64_t resumos[3] = {}; // veja RegistroLido::resumos
};

struct Lote {
    // Do leitor.
    std::uint64_t sequencia = 0;
    std::vector<char> bruto; // bytes do arquivo; só os primeiros `usados` valem
    std::size_t usados = 0;
    std::int64_t offset = 0; // do primeiro byte no arquivo
    bool final = false;      // último pedaço: a última linha pode vir sem LF e com a marca 26
    // Linha maior que o bloco: o leitor guarda só o começo em bruto e já conta o resto.
    bool longa = false;
    std::int64_t tamanhoLonga = 0;
    std::uint32_t crcLonga = 0;
    std::uint64_t bytes = 0; // bytes do arquivo que o lote cobre
    // Contexto das verificações de campo: o de antes do primeiro registro 10 e, a partir da
    // linha indice10 do lote (0-based; -1 nenhuma), o preenchido por ele.
    const Contexto* contexto = nullptr;
    const Contexto* contexto10 = nullptr;
    std::int64_t indice10 = -1;
    bool separado = false; // as linhas já estão em registros (quem procurou o registro 10)

    // Das verificações de campo.
    std::vector<RegistroLote> registros;
    std::vector<Critica> criticas; // só as primeiras `quantasCriticas` valem (reaproveitadas)
    std::size_t quantasCriticas = 0;
    TotaisCfop totais; // parcelas do lote, sem tirar os itens de documentos cancelados
    std::uint32_t crc = 0;
    bool interrompido = false;  // cancelado no meio: o lote não vale
    std::exception_ptr excecao; // falha (falta de memória) na conferência do lote

    std::string_view texto(const RegistroLote& r) const {
        return {bruto.data() + r.inicio, r.guardado};
    }
};

} // namespace kelvor
