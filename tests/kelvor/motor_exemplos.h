// Registros de exemplo válidos de cada tipo, montados por posição, e um receptor que guarda
// as críticas. Informante em SP, período janeiro de 2024.
#pragma once

#include "core/Critica.h"
#include "core/Leiaute.h"
#include "core/Validador.h"
#include "core/Verificacao.h"
#include "core/VerificadorCampos.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sys/wait.h>
#include <string>
#include <utility>
#include <vector>

namespace exemplos {

inline constexpr const char* Cnpj = "11222333000181";
inline constexpr const char* IeSP = "110042490114";
inline constexpr const char* IeMG = "0623079040081";

// 126 brancos com os textos nas posições (1-based) dadas.
inline std::string reg(std::initializer_list<std::pair<int, std::string>> partes) {
    std::string s(126, ' ');
    for (const auto& [pos, t] : partes)
        s.replace(pos - 1, t.size(), t);
    return s;
}

inline std::string z(int n) {
    return std::string(n, '0');
}

// Troca o trecho de um registro (posição 1-based).
inline std::string com(std::string r, int pos, const std::string& t) {
    r.replace(pos - 1, t.size(), t);
    return r;
}

inline std::string r10() {
    return reg({{1, "10"},
                {3, Cnpj},
                {17, IeSP},
                {31, "EMPRESA TESTE LTDA"},
                {66, "SAO PAULO"},
                {96, "SP"},
                {98, z(10)},
                {108, "20240101"},
                {116, "20240131"},
                {124, "331"}});
}
inline std::string r11() {
    return reg({{1, "11"},
                {3, "RUA A"},
                {37, "00010"},
                {64, "CENTRO"},
                {79, "01001000"},
                {87, "FULANO"},
                {115, "001133334444"}});
}
inline std::string r50() {
    return reg({{1, "50"},
                {3, Cnpj},
                {17, IeSP},
                {31, "20240115"},
                {39, "SP"},
                {41, "55"},
                {43, "1"},
                {46, "000123"},
                {52, "5102"},
                {56, "P"},
                {57, "0000000010000"},
                {70, "0000000010000"},
                {83, "0000000001800"},
                {96, z(13)},
                {109, z(13)},
                {122, "1800"},
                {126, "N"}});
}
inline std::string r51() {
    return reg({{1, "51"},
                {3, Cnpj},
                {17, IeSP},
                {31, "20240115"},
                {39, "SP"},
                {41, "1"},
                {44, "000123"},
                {50, "5102"},
                {54, "0000000010000"},
                {67, "0000000000500"},
                {80, z(13)},
                {93, z(13)},
                {126, "N"}});
}
inline std::string r53() {
    return reg({{1, "53"},
                {3, Cnpj},
                {17, IeSP},
                {31, "20240115"},
                {39, "SP"},
                {41, "55"},
                {43, "1"},
                {46, "000123"},
                {52, "5102"},
                {56, "P"},
                {57, "0000000012000"},
                {70, "0000000000360"},
                {83, "0000000000200"},
                {96, "N"}});
}
inline std::string r54(const std::string& item = "001") {
    return reg({{1, "54"},
                {3, Cnpj},
                {17, "55"},
                {19, "1"},
                {22, "000123"},
                {28, "5102"},
                {32, "000"},
                {35, item},
                {38, "PROD1"},
                {52, "00000001000"},
                {63, "000000010000"},
                {75, "000000000100"},
                {87, "000000010000"},
                {99, "000000000000"},
                {111, "000000000500"},
                {123, "1800"}});
}
inline std::string r55() {
    return reg({{1, "55"},
                {3, Cnpj},
                {17, IeMG},
                {31, "20240110"},
                {39, "SP"},
                {41, "MG"},
                {43, "001"},
                {46, "1234"},
                {50, "AUT123"},
                {70, "0000000001000"},
                {83, "20240109"},
                {91, "012024"},
                {97, "PROTOCOLO 41/08"}});
}
inline std::string r56() {
    return reg({{1, "56"},
                {3, Cnpj},
                {17, "55"},
                {19, "1"},
                {22, "000123"},
                {28, "5102"},
                {32, "000"},
                {35, "001"},
                {38, "PROD1"},
                {52, "1"},
                {53, z(14)},
                {67, "0000"},
                {71, "9BWZZZ377VT004251"}});
}
inline std::string r57() {
    return reg({{1, "57"},
                {3, Cnpj},
                {17, IeSP},
                {31, "55"},
                {33, "1"},
                {36, "000123"},
                {42, "5102"},
                {46, "000"},
                {49, "001"},
                {52, "PROD1"},
                {66, "LOTE1"}});
}
inline std::string r60M() {
    return reg({{1, "60M"},
                {4, "20240115"},
                {12, "ECF0001"},
                {32, "001"},
                {35, "2D"},
                {37, "000001"},
                {43, "000010"},
                {49, "000001"},
                {55, "001"},
                {58, "0000000000010000"},
                {74, "0000000000090000"}});
}
inline std::string r60A(const std::string& st = "1800", const std::string& valor = "000000010000") {
    return reg({{1, "60A"}, {4, "20240115"}, {12, "ECF0001"}, {32, st}, {36, valor}});
}
inline std::string r60D() {
    return reg({{1, "60D"},
                {4, "20240115"},
                {12, "ECF0001"},
                {32, "PROD1"},
                {46, "0000000001000"},
                {59, "0000000000010000"},
                {75, "0000000000010000"},
                {91, "1800"},
                {95, "0000000001800"}});
}
inline std::string r60I() {
    return reg({{1, "60I"},
                {4, "20240115"},
                {12, "ECF0001"},
                {32, "2D"},
                {34, "000001"},
                {40, "001"},
                {43, "PROD1"},
                {57, "0000000001000"},
                {70, "0000000010000"},
                {83, "000000010000"},
                {95, "1800"},
                {99, "000000001800"}});
}
inline std::string r60R() {
    return reg({{1, "60R"},
                {4, "012024"},
                {10, "PROD1"},
                {24, "0000000001000"},
                {37, "0000000000010000"},
                {53, "0000000000010000"},
                {69, "1800"}});
}
inline std::string r61() {
    return reg({{1, "61"},
                {31, "20240115"},
                {39, "02"},
                {41, "D"},
                {46, "000001"},
                {52, "000010"},
                {58, "0000000010000"},
                {71, "0000000010000"},
                {84, "000000001800"},
                {96, z(13)},
                {109, z(13)},
                {122, "1800"}});
}
inline std::string r61R() {
    return reg({{1, "61R"},
                {4, "012024"},
                {10, "PROD1"},
                {24, "0000000001000"},
                {37, "0000000000010000"},
                {53, "0000000000010000"},
                {69, "1800"}});
}
inline std::string r70() {
    return reg({{1, "70"},
                {3, Cnpj},
                {17, IeSP},
                {31, "20240115"},
                {39, "SP"},
                {41, "08"},
                {43, "1"},
                {46, "000123"},
                {52, "5352"},
                {56, "0000000010000"},
                {69, "00000000010000"},
                {83, "00000000001200"},
                {97, z(14)},
                {111, z(14)},
                {125, "1N"}});
}
inline std::string r71() {
    return reg({{1, "71"},
                {3, Cnpj},
                {17, IeSP},
                {31, "20240115"},
                {39, "SP"},
                {41, "08"},
                {43, "1"},
                {46, "000123"},
                {52, "SP"},
                {54, Cnpj},
                {68, IeSP},
                {82, "20240114"},
                {90, "55"},
                {92, "1"},
                {95, "000456"},
                {101, "00000000050000"}});
}
inline std::string r74() {
    return reg({{1, "74"},
                {3, "20231231"},
                {11, "PROD1"},
                {25, "0000000001000"},
                {38, "0000000010000"},
                {51, "1"},
                {52, z(14)}});
}
inline std::string r75() {
    return reg({{1, "75"},
                {3, "20240101"},
                {11, "20240131"},
                {19, "PROD1"},
                {33, "12345678"},
                {41, "PRODUTO UM"},
                {94, "UN"},
                {100, "00000"},
                {105, "1800"},
                {109, "00000"},
                {114, z(13)}});
}
inline std::string r76() {
    return reg({{1, "76"},
                {3, Cnpj},
                {17, IeSP},
                {31, "22"},
                {33, "1"},
                {37, "0000000123"},
                {47, "5301"},
                {51, "1"},
                {52, "20240115"},
                {60, "SP"},
                {62, "0000000010000"},
                {75, "0000000010000"},
                {88, "000000001800"},
                {100, z(12)},
                {112, z(12)},
                {124, "18N"}});
}
inline std::string r77() {
    return reg({{1, "77"},
                {3, Cnpj},
                {17, "22"},
                {19, "1"},
                {23, "0000000123"},
                {33, "5301"},
                {37, "1"},
                {38, "001"},
                {41, "SERV1"},
                {52, "0000000001000"},
                {65, "000000010000"},
                {77, z(12)},
                {89, "000000010000"},
                {101, "18"},
                {103, z(14)},
                {117, "0000000001"}});
}
inline std::string r85() {
    return reg({{1, "85"},
                {3, "12345678901"},
                {14, "20240110"},
                {22, "1"},
                {23, "123456789012"},
                {35, "20240110"},
                {43, "CONH1"},
                {59, "20240111"},
                {67, "01"},
                {69, "0249"},
                {73, z(8)},
                {81, "20240112"},
                {89, "000123"},
                {95, "20240109"},
                {103, "55"},
                {105, "001"}});
}
inline std::string r86() {
    return reg({{1, "86"},
                {3, "123456789012"},
                {15, "20240110"},
                {23, Cnpj},
                {37, IeSP},
                {51, "SP"},
                {53, "000123"},
                {59, "20240105"},
                {67, "55"},
                {69, "001"},
                {72, "PROD1"},
                {86, "00000001000"},
                {97, "000000001000"},
                {109, "000000010000"},
                {121, "0"}});
}

// Receptor que guarda tudo, para os testes do núcleo.
struct Coletor : kelvor::ReceptorCriticas {
    std::vector<kelvor::Critica> lista;
    void critica(const kelvor::Critica& c) override { lista.push_back(c); }
    void criticaTardia(const kelvor::Critica& c, kelvor::Situacao) override { lista.push_back(c); }
};

// Contexto de um registro 10 válido (SP, janeiro de 2024).
inline kelvor::Contexto contexto(int flag = 1, int versao = 3) {
    kelvor::Contexto c;
    c.flagLeiaute = flag;
    c.versaoConvenio = versao;
    c.registro10Lido = true;
    c.cnpj = Cnpj;
    c.ie = IeSP;
    c.uf = "SP";
    c.dataInicial = 20240101;
    c.dataFinal = 20240131;
    return c;
}

// Críticas de campo de um registro isolado.
inline std::vector<kelvor::Critica> criticasDe(const std::string& registro,
                                               const kelvor::Contexto& ctx = contexto()) {
    Coletor col;
    kelvor::VerificadorCampos v(ctx, col);
    kelvor::RegistroLido r;
    r.texto = registro;
    r.linha = 7;
    r.offset = 700;
    if (auto* l = kelvor::leiautePara(registro)) v.confere(*l, r);
    return col.lista;
}

// Pasta temporária própria de cada teste, apagada no fim.
struct Pasta {
    std::filesystem::path p;
    Pasta() {
        p = std::filesystem::temp_directory_path() /
            ("motor_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "_" +
             std::to_string(std::rand()));
        std::filesystem::create_directories(p);
    }
    ~Pasta() {
        std::error_code ec;
        std::filesystem::remove_all(p, ec);
    }
    std::string operator/(const std::string& nome) const { return (p / nome).string(); }
};

inline void grava(const std::string& caminho, const std::string& bytes) {
    std::ofstream(caminho, std::ios::binary) << bytes;
}

inline std::string le(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline std::string linhas(std::initializer_list<std::string> rs, const char* fim = "\r\n") {
    std::string s;
    for (const auto& r : rs)
        s += r + fim;
    return s;
}

// Saída de um comando e o seu código de saída.
inline std::pair<std::string, int> executa(const std::string& comando) {
    std::string saida;
    FILE* p = popen(comando.c_str(), "r");
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
        saida.append(buf, n);
    int st = pclose(p);
    return {saida, WEXITSTATUS(st)};
}

} // namespace exemplos
