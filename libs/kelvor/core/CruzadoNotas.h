// As notas (registros 50) por chave do registro 54: CNPJ, modelo, série, número e CFOP.
// São milhões num arquivo grande, então cada uma ocupa 12 bytes além da chave no caso comum
// (emitente P/T, alíquota e número em dígitos, data entre 1950 e 2077, a nota sem itens sendo
// o primeiro 50 da chave, poucas séries no arquivo); a que não cabe fica inteira à parte, com
// o mesmo resultado.
#pragma once

#include "core/CruzadoOffsets.h"
#include "core/CruzadoRegistro.h"
#include "core/CruzadoTabela.h"

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace kelvor::cruzado {

struct Nota {
    int data = 0;                  // AAAAMMDD do primeiro 50 da chave; 0 quando inválida
    std::int64_t linha = 0;        // o primeiro 50 de tamanho certo; 0: ainda nenhum
    char emitenteAliquota[5] = {}; // dele: o resto da chave de documento repetido
    bool tem54 = false;
    // O primeiro 50 da chave que precisa de itens (modelo 01/55 em situação normal), para a
    // crítica de nota sem 54: onde está, a situação dele e os campos que a crítica mostra.
    bool precisa54 = false;
    bool contado = true;
    Situacao situacao = Situacao::SemCritica;
    std::int64_t linhaSem54 = 0, offsetSem54 = 0;
    char modelo[2] = {}, serie[3] = {}, numero[6] = {};
};

class NotasPorChave {
public:
    struct Compacta {
        std::uint32_t linha; // na nota inteira: o índice dela em inteiras_
        std::uint32_t a, b;
    };

    void reserva(std::size_t notas) { tabela_.reserva(notas); }
    void antecipa(std::uint64_t chave) const { tabela_.antecipa(chave); }
    // A nota da chave (criada vazia quando nova: data 0, sem linha); o bool diz se foi criada.
    // A referência vale até a próxima inserção.
    std::pair<Compacta*, bool> insere(std::uint64_t chave) { return tabela_.insere(chave); }
    Compacta* procura(std::uint64_t chave) { return tabela_.procura(chave); }

    Nota le(const Compacta& c) const;
    void grava(Compacta& c, const Nota& n);
    // Marca que a nota tem itens; devolve a data dela.
    int marca54(Compacta& c);

    // Cada nota que precisava de itens e ficou sem nenhum 54. As outras (quase todas) nem são
    // remontadas: bastam os bits da compacta.
    template <class F> void paraCadaSem54(F&& f) {
        tabela_.paraCada([&](std::uint64_t, const Compacta& c) {
            if (!talvezSem54(c)) return;
            const Nota n = le(c);
            if (n.precisa54 && !n.tem54) f(n);
        });
    }

    // Endereço do registro 50 da crítica de nota sem itens, remontado dos campos guardados.
    static LocalRegistro localSem54(const Nota& n);

private:
    static bool talvezSem54(const Compacta& c);
    bool compacta(const Nota& n, Compacta& c);
    int indiceSerie(const char* serie);

    Tabela<Compacta> tabela_;
    std::deque<Nota> inteiras_; // em blocos: crescer não copia
    std::vector<std::array<char, 3>> series_;
    int ultimaSerie_ = -1;
    OffsetsPorLinha offsets_;
};

} // namespace kelvor::cruzado
