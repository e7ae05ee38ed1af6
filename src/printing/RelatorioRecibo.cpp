#include "printing/RelatorioRecibo.h"

#include "common/Formatos.h"
#include "common/Numeros.h"
#include "engine/Log.h"
#include "printing/CabecalhoRelatorio.h"
#include "printing/DadosRecibo.h"
#include "printing/Emblema.h"
#include "printing/PaginaImpressa.h"
#include "printing/SuperficieImpressao.h"

#include <array>

namespace korventa {

namespace {

const QColor Cinza(200, 200, 200);

struct Secao {
    const char* nome;
    double deslocamento; // mm depois da cabeça do registro 50
    std::array<const char*, 4> cabecas;
    std::array<const char*, 2> linhas;
};

// Cabeças e linhas de "Valores Totais por Registro"; a linha sem nome é a única da seção.
const std::array<Secao, QuantidadeSecoesValores> Secoes{{
    {"Registro 50",
     0,
     {"Valor Contábil", "Base de Cálculo", "ICMS", nullptr},
     {"Entrada", "Saída"}},
    {"Registro 51", 10.4, {"Valor Contábil", "IPI", nullptr, nullptr}, {"Entrada", "Saída"}},
    {"Registro 53",
     20.8,
     {"Desp. Acessórias", "Base de Cálculo", "ICMS Retido", nullptr},
     {"Entrada", "Saída"}},
    {"Registro 54",
     31.2,
     {"Valor Total", "Base de Cálculo", "Desconto", "Desp. Acessórias"},
     {"Entrada", "Saída"}},
    {"Registro 60A", 41.6, {"Valor Contábil", "Base de Cálculo", "ICMS", nullptr}, {"", nullptr}},
    {"Registro 61", 46.8, {"Valor Contábil", "Base de Cálculo", "ICMS", nullptr}, {"", nullptr}},
    {"Registro 70",
     52,
     {"Valor Contábil", "Base de Cálculo", "ICMS", nullptr},
     {"Entrada", "Saída"}},
}};

class DesenhoRecibo {
public:
    DesenhoRecibo(SuperficieImpressao& s, const DadosRecibo& d) : s_(s), d_(d) {
        esquerda_ = ArredondaPar((s_.larguraImprimivel() - Twips(166)) / 2.0);
        direita_ = esquerda_ + Twips(166);
    }

    void desenha() {
        Log(LogImpressao, QStringLiteral(" ImprimirReciboLayoutNovo"));
        etapa(1);
        cabecalho();
        etapa(2);
        protocolo();
        etapa(3);
        identificacao();
        etapa(4);
        resumoRegistros();
        etapa(7);
        valores();
        etapa(11);
        carimbo();
        etapa(13);
        if (!d_.destino.isEmpty()) transmissao();
        etapa(15);
        Log(LogImpressao, QStringLiteral(" Fim ImprimirReciboLayoutNovo"));
    }

private:
    void etapa(int n) {
        // Os números seguem as partes do formulário, de 1 a 15.
        while (etapa_ < n)
            Log(LogImpressao, QLatin1Char(' ') + QString::number(++etapa_));
    }

    int x(double mm) const { return esquerda_ + Twips(mm); }

    void fonte(double pontos, bool negrito) {
        FonteImpressao f;
        f.pontos = pontos;
        f.negrito = negrito;
        s_.defineFonte(f);
    }

    void em(double y, const QString& texto, int xTexto) {
        DefineLinha(s_, y);
        ImprimeEm(s_, texto, xTexto);
    }

    void centro(double y, const QString& texto, int de, int ate) {
        DefineLinha(s_, y);
        ImprimeCentralizadoEntre(s_, texto, de, ate);
    }

    void centro(double y, const QString& texto) { centro(y, texto, esquerda_, direita_); }

    void caixa(double y1, double y2, int de, int ate) {
        s_.caixa(de, PosicaoPapel(y1), ate, PosicaoPapel(y2));
    }

    // Caixa de cabeça: fundo cinza claro com o contorno.
    void cabeca(double y1, double y2, int de, int ate) {
        s_.caixaCheia(de, PosicaoPapel(y1), ate, PosicaoPapel(y2), Cinza);
        caixa(y1, y2, de, ate);
    }

    // Rótulos em negrito e valores numa coluna própria, cortados na borda do formulário.
    void rotuloValor(double y, const QString& rotulo, const QString& valor, double xValor) {
        const double pontos = s_.fonte().pontos;
        fonte(pontos, true);
        em(y, rotulo, x(3));
        fonte(pontos, false);
        DefineLinha(s_, y);
        ImprimeAjustado(s_, valor, x(xValor), direita_ - Twips(2) - x(xValor));
    }

    void cabecalho() {
        s_.imagem(EmblemaRecibo(), esquerda_, PosicaoPapel(7), Twips(22), Twips(22));
        fonte(16, true);
        centro(10, QStringLiteral("KORVENTA"));
        DefineLinha(s_, 13);
        ImprimeAlinhadoDireita(s_, QStringLiteral("Governos"), direita_);
        DefineLinha(s_, 19);
        ImprimeAlinhadoDireita(s_, QStringLiteral("Estaduais"), direita_);
        fonte(10, true);
        centro(17, QStringLiteral("Sistema de Recepção dos Arquivos Fiscais"));
        centro(22, QStringLiteral("do Convênio ICMS 57/95"));
    }

    void protocolo() {
        caixa(30, 46, esquerda_, direita_);
        fonte(10, false);
        rotuloValor(31, QStringLiteral("Protocolo Korventa:"), d_.protocolo, 46);
        rotuloValor(34.5, QStringLiteral("Período de Referência:"),
                    d_.periodoInicial + QStringLiteral(" a ") + d_.periodoFinal, 46);
        rotuloValor(38, QStringLiteral("Finalidade:"), d_.finalidade, 46);
        rotuloValor(41.5, QStringLiteral("Natureza da Operação:"), d_.natureza, 46);
    }

    void identificacao() {
        const QString valores[] = {
            d_.razaoSocial,
            d_.cidade,
            d_.estado,
            FormataCNPJ(d_.cnpj),
            d_.inscricaoEstadual,
            d_.responsavel,
            d_.telefone,
            d_.endereco.join(QStringLiteral(", ")),
            d_.nomeArquivo,
            d_.crcDocumento,
            QString::number(d_.tamanhoArquivo),
            DataHoraRelatorio(d_.dataArquivo),
            d_.tipoDocumento,
            d_.versaoValidador,
        };
        const char* rotulos[] = {"Razão Social",
                                 "Cidade",
                                 "Estado",
                                 "CNPJ",
                                 "Inscrição Estadual",
                                 "Responsável",
                                 "Telefone",
                                 "Endereço",
                                 "Nome do Arquivo",
                                 "CRC do Documento",
                                 "Tamanho do Arquivo (bytes)",
                                 "Data do Arquivo",
                                 "Tipo de Documento",
                                 "Versão Validador"};
        // Linhas de 3 mm: o formulário inteiro, com a transmissão, cabe também no papel Carta.
        caixa(46.5, 89.5, esquerda_, direita_);
        fonte(8, false);
        for (int i = 0; i < 14; ++i)
            rotuloValor(47.5 + 3.0 * i, QString::fromUtf8(rotulos[i]), valores[i], 44);
    }

    void resumoRegistros() {
        cabeca(90.5, 94.5, esquerda_, direita_);
        fonte(9, true);
        centro(90.9, QStringLiteral("Resumo dos Registros do Arquivo"));

        constexpr std::array<double, 4> larguras{25, 40, 40, 28};
        std::array<int, 5> bordas{};
        bordas[0] = esquerda_ + ArredondaPar((Twips(166) - Twips(133)) / 2.0);
        for (int c = 0; c < 4; ++c)
            bordas[c + 1] = bordas[c] + Twips(larguras[c]);
        constexpr double Topo = 95;
        constexpr double Altura = 3.25;
        const int linhas = d_.registros.size() + 1;
        const double fundo = Topo + Altura * (linhas + 1);
        cabeca(Topo, Topo + Altura, bordas[0], bordas[4]);
        fonte(7, true);
        const char* cabecas[] = {"Tipo de Registro", "Registros com Advertência",
                                 "Registros sem Advertência", "Total de Registros"};
        for (int c = 0; c < 4; ++c)
            centro(Topo + 0.4, QString::fromUtf8(cabecas[c]), bordas[c], bordas[c + 1]);

        fonte(7, false);
        const auto linha = [&](int i, const LinhaRegistrosRecibo& r) {
            const double y = Topo + Altura * (i + 1);
            s_.linha(bordas[0], PosicaoPapel(y), bordas[4], PosicaoPapel(y));
            centro(y + 0.4, r.tipo, bordas[0], bordas[1]);
            const QString contagens[] = {r.comAdvertencia, r.semAdvertencia, r.total};
            for (int c = 0; c < 3; ++c) {
                DefineLinha(s_, y + 0.4);
                ImprimeAlinhadoDireita(s_, contagens[c], bordas[c + 2] - Twips(2));
            }
        };
        for (int i = 0; i < d_.registros.size(); ++i)
            linha(i, d_.registros.at(i));
        fonte(7, true);
        linha(d_.registros.size(), d_.totais);
        // Contorno e divisões das colunas.
        for (int borda : bordas)
            s_.linha(borda, PosicaoPapel(Topo), borda, PosicaoPapel(fundo));
        s_.linha(bordas[0], PosicaoPapel(fundo), bordas[4], PosicaoPapel(fundo));
    }

    void valores() {
        cabeca(170.5, 174.5, esquerda_, direita_);
        fonte(9, true);
        centro(170.9, QStringLiteral("Valores Totais por Registro"));
        caixa(174.5, 235.5, esquerda_, direita_);

        // Colunas de 40, 30, 20 e 20 mm depois dos nomes, valores alinhados à direita.
        std::array<int, 4> fins{};
        std::array<int, 4> larguras{Twips(40), Twips(30), Twips(20), Twips(20)};
        fins[0] = x(53) + larguras[0];
        for (int c = 1; c < 4; ++c)
            fins[c] = fins[c - 1] + larguras[c];
        constexpr double Inicio = 175.5;
        constexpr double Passo = 2.6;
        for (int i = 0; i < QuantidadeSecoesValores; ++i) {
            const Secao& secao = Secoes[i];
            const double y = Inicio + secao.deslocamento;
            fonte(6, true);
            em(y, QString::fromUtf8(secao.nome), x(3));
            for (int c = 0; c < 4 && secao.cabecas[c]; ++c) {
                DefineLinha(s_, y);
                ImprimeAjustadoDireita(s_, QString::fromUtf8(secao.cabecas[c]), fins[c],
                                       larguras[c] - Twips(1));
            }
            fonte(6, false);
            const QVector<QStringList>& linhas = d_.valores[i];
            for (int l = 0; l < 2 && secao.linhas[l]; ++l) {
                const double yl = y + Passo * (l + 1);
                em(yl, QString::fromUtf8(secao.linhas[l]), x(6));
                if (l >= linhas.size()) continue;
                for (int c = 0; c < 4 && c < linhas[l].size(); ++c) {
                    DefineLinha(s_, yl);
                    ImprimeAjustadoDireita(s_, linhas[l][c], fins[c], larguras[c] - Twips(1));
                }
            }
        }
    }

    void carimbo() {
        fonte(8, false);
        centro(236.8, QStringLiteral("O arquivo recepcionado está sujeito a verificações "
                                     "posteriores."));
        const int de = esquerda_ + ArredondaPar((Twips(166) - Twips(100)) / 2.0);
        const int ate = de + Twips(100);
        cabeca(240, 244, de, ate);
        caixa(240, 252, de, ate);
        fonte(9, true);
        centro(240.4, QStringLiteral("Carimbo de Recepção do Arquivo"), de, ate);
        fonte(7, false);
        centro(252.6, QStringLiteral("Somente por o carimbo se o arquivo for aceito pelo programa "
                                     "de recepção."));
    }

    void transmissao() {
        fonte(8, false);
        const QString linhas[][2] = {
            {QStringLiteral("Arquivo enviado para: "),
             d_.destino + QStringLiteral(" em ") + d_.dataEnvio},
            {QStringLiteral("Protocolo QIV: "), d_.protocoloQIV},
            {QStringLiteral("Chave Transmissão: "), d_.chaveTransmissao},
            {QStringLiteral("Remetente: "), d_.remetente},
            {QStringLiteral("E-mail: "), d_.email},
        };
        for (int i = 0; i < 5; ++i) {
            const double y = 256.5 + 3.0 * i;
            fonte(8, true);
            em(y, linhas[i][0], x(3));
            const int xValor = x(3) + s_.larguraTexto(linhas[i][0]);
            fonte(8, false);
            DefineLinha(s_, y);
            ImprimeAjustado(s_, linhas[i][1], xValor, direita_ - xValor);
        }
    }

    SuperficieImpressao& s_;
    const DadosRecibo& d_;
    int esquerda_ = 0;
    int direita_ = 0;
    int etapa_ = 0;
};

} // namespace

void ImprimirReciboLayoutNovo(SuperficieImpressao& s, const DadosRecibo& d) {
    DesenhoRecibo desenho(s, d);
    desenho.desenha();
}

} // namespace korventa
