#include "core/CruzadoNotas.h"

#include "core/Leiaute.h"

#include <cstring>
#include <string>

namespace kelvor::cruzado {

namespace {

// Bits de Compacta::a e Compacta::b.
constexpr std::uint32_t Inteira = 1u << 0, Tem54 = 1u << 1;
constexpr int DeslData = 2, DeslAliquota = 18;
constexpr std::uint32_t EmitenteT = 1u << 0, Precisa54 = 1u << 1, Modelo55 = 1u << 4;
constexpr int DeslSituacao = 2, DeslSerie = 5, DeslNumero = 11;
constexpr std::uint32_t MaxSeries = 64;

// AAAAMMDD em 16 bits: ano desde 1950 (7), mês (4), dia (5); 0 é "sem data".
bool data16(int data, std::uint32_t& d) {
    if (data == 0) {
        d = 0;
        return true;
    }
    const int ano = data / 10000 - 1950;
    if (ano < 0 || ano > 127) return false;
    d = static_cast<std::uint32_t>(ano << 9 | (data / 100 % 100) << 5 | data % 100);
    return true;
}
int dataDe16(std::uint32_t d) {
    if (d == 0) return 0;
    return static_cast<int>((1950 + (d >> 9)) * 10000 + (d >> 5 & 15) * 100 + (d & 31));
}

// n dígitos como número; falso se algum não é dígito.
bool digitos(const char* p, int n, std::uint32_t& v) {
    v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return false;
        v = v * 10 + static_cast<std::uint32_t>(p[i] - '0');
    }
    return true;
}
void escreveDigitos(std::uint32_t v, char* p, int n) {
    for (int i = n - 1; i >= 0; --i, v /= 10)
        p[i] = static_cast<char>('0' + v % 10);
}

} // namespace

int NotasPorChave::indiceSerie(const char* serie) {
    auto igual = [&](int i) {
        return std::memcmp(series_[static_cast<std::size_t>(i)].data(), serie, 3) == 0;
    };
    if (ultimaSerie_ >= 0 && igual(ultimaSerie_)) return ultimaSerie_;
    for (int i = 0; i < static_cast<int>(series_.size()); ++i)
        if (igual(i)) return ultimaSerie_ = i;
    if (series_.size() >= MaxSeries) return -1;
    series_.push_back({serie[0], serie[1], serie[2]});
    return ultimaSerie_ = static_cast<int>(series_.size()) - 1;
}

bool NotasPorChave::compacta(const Nota& n, Compacta& c) {
    std::uint32_t d, aliquota = 0, numero = 0;
    if (n.linha < 0 || n.linha > 0xFFFFFFFFLL || !data16(n.data, d)) return false;
    c.linha = static_cast<std::uint32_t>(n.linha);
    c.a = (n.tem54 ? Tem54 : 0) | d << DeslData;
    c.b = 0;
    if (n.linha != 0) {
        const char emitente = n.emitenteAliquota[0];
        if ((emitente != 'P' && emitente != 'T') || !digitos(n.emitenteAliquota + 1, 4, aliquota))
            return false;
        c.a |= aliquota << DeslAliquota;
        if (emitente == 'T') c.b |= EmitenteT;
    }
    if (!n.precisa54) return true;
    // A nota sem itens compacta é o primeiro 50 da chave, com o offset dado pela linha.
    const bool modelo55 = std::memcmp(n.modelo, "55", 2) == 0;
    if (n.linhaSem54 != n.linha || !n.contado || (!modelo55 && std::memcmp(n.modelo, "01", 2)) ||
        !digitos(n.numero, 6, numero))
        return false;
    const int serie = indiceSerie(n.serie);
    if (serie < 0 || !offsets_.garante(n.linhaSem54, n.offsetSem54)) return false;
    c.b |= Precisa54 | (modelo55 ? Modelo55 : 0) |
           static_cast<std::uint32_t>(n.situacao) << DeslSituacao |
           static_cast<std::uint32_t>(serie) << DeslSerie | numero << DeslNumero;
    return true;
}

bool NotasPorChave::talvezSem54(const Compacta& c) {
    return (c.a & Inteira) || ((c.b & Precisa54) && !(c.a & Tem54));
}

Nota NotasPorChave::le(const Compacta& c) const {
    if (c.a & Inteira) return inteiras_[c.linha];
    Nota n;
    n.data = dataDe16(c.a >> DeslData & 0xFFFF);
    n.tem54 = (c.a & Tem54) != 0;
    n.linha = c.linha;
    if (n.linha != 0) {
        n.emitenteAliquota[0] = (c.b & EmitenteT) ? 'T' : 'P';
        escreveDigitos(c.a >> DeslAliquota, n.emitenteAliquota + 1, 4);
    }
    if (c.b & Precisa54) {
        n.precisa54 = true;
        n.situacao = static_cast<Situacao>(c.b >> DeslSituacao & 3);
        n.linhaSem54 = n.linha;
        n.offsetSem54 = offsets_.offsetDe(n.linha);
        std::memcpy(n.modelo, (c.b & Modelo55) ? "55" : "01", 2);
        std::memcpy(n.serie, series_[c.b >> DeslSerie & (MaxSeries - 1)].data(), 3);
        escreveDigitos(c.b >> DeslNumero & 0xFFFFF, n.numero, 6);
    }
    return n;
}

void NotasPorChave::grava(Compacta& c, const Nota& n) {
    if (c.a & Inteira) {
        inteiras_[c.linha] = n;
        return;
    }
    Compacta nova;
    if (compacta(n, nova)) {
        c = nova;
        return;
    }
    inteiras_.push_back(n); // sem memória, a compacta fica como estava
    c.linha = static_cast<std::uint32_t>(inteiras_.size() - 1);
    c.a = Inteira;
    c.b = 0;
}

int NotasPorChave::marca54(Compacta& c) {
    if (c.a & Inteira) {
        auto& n = inteiras_[c.linha];
        n.tem54 = true;
        return n.data;
    }
    c.a |= Tem54;
    return dataDe16(c.a >> DeslData & 0xFFFF);
}

LocalRegistro NotasPorChave::localSem54(const Nota& n) {
    // A identificação (série-número) sai dos mesmos campos do registro, nas mesmas posições.
    std::string texto(126, ' ');
    texto[0] = '5';
    texto[1] = '0';
    std::memcpy(&texto[40], n.modelo, 2);
    std::memcpy(&texto[42], n.serie, 3);
    std::memcpy(&texto[45], n.numero, 6);
    RegistroLido r;
    r.texto = texto;
    r.linha = n.linhaSem54;
    r.offset = n.offsetSem54;
    r.indiceTipo = n.contado ? 2 : -1;
    return localDe(r, leiautePara(texto), n.situacao);
}

} // namespace kelvor::cruzado
