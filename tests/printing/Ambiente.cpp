#include "printing/Ambiente.h"

#include "common/Formatos.h"

namespace korventa::testes {

TesteImpressao::TesteImpressao() {
    sessao.cfg.ultimaImpressora = ImpressoraPdf;
    sessao.pastaUltimoPdf = pasta.path();
    plataforma.defineAgora(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    sessao.arquivos[0] = ArquivoDeExemplo(caminho(QStringLiteral("ARQ0124.TXT")));
}

void TesteImpressao::confirmaPdf(const QString& arquivo, int orientacao, QPageSize papel) {
    plataforma.respondeImpressao([=](DialogoImpressao& d) {
        d.impressora = ImpressoraPdf;
        d.estado.arquivoPdf = arquivo;
        if (orientacao != 0) d.estado.orientacao = orientacao;
        if (papel.isValid()) d.estado.papel = papel;
        return true;
    });
}

ArquivoAberto ArquivoDeExemplo(const QString& caminho) {
    ArquivoAberto a;
    a.caminho = caminho;
    a.cnpj = QStringLiteral("12345678000195");
    a.razaoSocial = QStringLiteral("COMERCIAL EXEMPLO LTDA");
    a.dataInicial = QStringLiteral("01/01/2024");
    a.dataFinal = QStringLiteral("31/01/2024");
    a.resultado = 1;
    a.inicioValidacao = QDateTime(QDate(2024, 2, 1), QTime(23, 59, 30));
    a.fimValidacao = QDateTime(QDate(2024, 2, 2), QTime(0, 1, 31));
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 22; ++r)
            a.totalizadores[c][r] = FormataMilhar(1000 * (c + 1) + r);
    return a;
}

} // namespace korventa::testes
