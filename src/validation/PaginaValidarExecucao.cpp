// Validar Todos / Validar >>: percorre a tabela de arquivos abertos e apresenta o resultado.
#include "common/Formatos.h"
#include "common/Numeros.h"
#include "common/Texto.h"
#include "engine/Definicoes.h"
#include "engine/Log.h"
#include "platform/Plataforma.h"
#include "validation/BotaoComAcao.h"
#include "validation/DlgProgressoValidacao.h"
#include "validation/PaginaResumo.h"
#include "validation/PaginaResumoArquivos.h"
#include "validation/PaginaValidar.h"
#include "validation/Sessao.h"
#include "validation/Validacao.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <memory>

namespace korventa {

namespace {
using Col = PaginaResumoArquivos::Coluna;
constexpr int AbaResumo = 3;
} // namespace

void PaginaValidar::marcaCancelada(int n, bool lote) {
    ArquivoAberto& e = sessao_.arquivos[n];
    e.resultado = ResultadoNaoIniciado;
    e.mensagem.clear();
    if (lote) {
        resumoArquivos_.escreve(n, Col::ColunaResultado, QStringLiteral("Validação cancelada."),
                                true);
        resumoArquivos_.escreve(n, Col::ColunaMidia, QStringLiteral(" "));
    }
}

void PaginaValidar::marcaFalha(int n, bool lote) {
    // O motivo já foi mostrado; a entrada fica para uma nova tentativa.
    if (lote) {
        resumoArquivos_.escreve(n, Col::ColunaResultado, QStringLiteral("Validação não concluída."),
                                true);
        resumoArquivos_.escreve(n, Col::ColunaMidia, QStringLiteral(" "));
    }
}

void PaginaValidar::BotaoValidar_Click() {
    Log(LogDetalhe, QStringLiteral("BotaoValidar_Click..."));
    Sessao& s = sessao_;
    const QDateTime inicio = s.plataforma.agora();
    // O diálogo pertence à janela principal, que não é desabilitada durante a validação (a
    // página sim); uma página solta, sem janela principal, não pode ser a dona.
    auto dlg = std::make_unique<DlgProgressoValidacao>(window() != this ? window() : nullptr);
    dlg->limpaCancelamento();
    s.temCriticas = false;

    const bool lote = s.variosArquivos();
    if (lote) {
        resumoArquivos_.defineTitulo(QStringLiteral("Resultado das Validações de Arquivos"));
        resumoArquivos_.mostraLista();
        if (s.selecionaAba) s.selecionaAba(AbaResumo);
    }
    // A página à vista fica desabilitada durante a execução: com vários arquivos é o Resumo.
    QWidget* pagina = lote ? static_cast<QWidget*>(&resumoArquivos_) : this;
    pagina->setEnabled(false);
    s.validando = true;

    bool cancelou = false; // alguma entrada ficou marcada como cancelada nesta vez
    bool impedido = false; // arquivo único trocado em disco: não foi validado
    bool falhou = false;   // alguma entrada ficou sem validar por falha (pode tentar de novo)
    int aceitos = 0;
    for (int n = 0; n < s.arquivos.size(); ++n) {
        if (!s.arquivos[n].mensagem.isEmpty()) continue; // recusado na abertura
        if (lote) resumoArquivos_.lista()->scrollToItem(resumoArquivos_.linha(n));
        const std::int32_t anterior = s.arquivos[n].resultado;
        // Depois de um cancelamento nenhum arquivo começa: também os que ficaram sem resultado
        // numa vez anterior.
        if ((dlg->cancelado() || cancelou) &&
            (anterior == ResultadoNaoValidadoLote || anterior == ResultadoNaoIniciado)) {
            // O motor pode ter terminado o arquivo anterior antes de ver o Cancelar: as
            // entradas marcadas aqui também contam como canceladas.
            marcaCancelada(n, lote);
            cancelou = true;
            continue;
        }
        if (anterior >= ResultadoAceito && anterior <= ResultadoRejeitado) {
            if (s.arquivos[n].erros + s.arquivos[n].advertencias != 0) s.temCriticas = true;
            continue;
        }
        if (lote)
            resumoArquivos_.escreve(n, Col::ColunaResultado, QStringLiteral(" validando... "));
        switch (ValidarArquivo(s, n, *dlg)) {
        case FimValidacao::Impedida:
            if (lote)
                resumoArquivos_.escreve(n, Col::ColunaResultado,
                                        QStringLiteral("O arquivo foi trocado! Abra novamente."),
                                        true);
            else
                impedido = true;
            continue;
        case FimValidacao::Cancelada:
            marcaCancelada(n, lote);
            cancelou = true;
            continue;
        case FimValidacao::Falhou:
            marcaFalha(n, lote);
            falhou = true;
            continue;
        case FimValidacao::Concluida:
            break;
        }
        const ArquivoAberto& e = s.arquivos[n];
        switch (e.resultado) {
        case ResultadoAceito:
        case ResultadoAceitoComAdvertencias:
            ++aceitos;
            if (e.resultado == ResultadoAceitoComAdvertencias) s.temCriticas = true;
            if (lote) {
                resumoArquivos_.escreve(n, Col::ColunaResultado,
                                        e.resultado == ResultadoAceito
                                            ? QStringLiteral("Aceito")
                                            : QStringLiteral("Aceito com Advertências"));
                resumoArquivos_.escreve(n, Col::ColunaMidia, QStringLiteral("não gerado."));
            }
            break;
        case ResultadoRejeitado:
            s.temCriticas = true;
            if (lote) {
                resumoArquivos_.escreve(n, Col::ColunaResultado, QStringLiteral("Rejeitado"), true);
                resumoArquivos_.escreve(n, Col::ColunaMidia, QStringLiteral(" "));
            }
            break;
        default:
            break;
        }
        if (!lote) s.plataforma.processarEventos();
    }

    const QDateTime fim = s.plataforma.agora();
    dlg.reset();
    pagina->setEnabled(true);
    s.validando = false;
    if (!cancelou && !impedido && !falhou) validar_->setEnabled(false);
    if (s.preencheArquivosCriticas) s.preencheArquivosCriticas();
    s.listaCriticasDesatualizada = true;
    if (!lote && (cancelou || impedido || falhou)) {
        Log(LogDetalhe, QStringLiteral("Fim BotaoValidar_Click."));
        return;
    }

    if (lote) {
        // O resultado de cada arquivo está na lista do Resumo.
        if (!cancelou) labelResultado_->clear();
        if (aceitos > 0) resumoArquivos_.habilitaGerarMidias(true);
        aviso(s.temCriticas
                  ? QString()
                  : QStringLiteral("Nenhum arquivo validado possui erros ou advertências."));
        if (s.temCriticas && s.mostraCriticas) s.mostraCriticas();
        resumoArquivos_.AtualizaBotoes();
    } else {
        apresentaUmArquivo(s.temCriticas);
    }

    if (!cancelou) {
        const int segundos = ArredondaPar(inicio.msecsTo(fim) / 1000.0);
        s.plataforma.mensagem(QStringLiteral("Validação concluída em ") + FormataDuracao(segundos) +
                                  QStringLiteral("."),
                              Icone::Informacao);
    }
    if (!lote && !cancelou) {
        if (s.selecionaAba) s.selecionaAba(AbaResumo);
        if (s.arquivos[0].resultado == ResultadoRejeitado)
            resumo_.botaoImprimir()->setFocus();
        else
            resumo_.botaoGerarMidia()->setFocus();
    }
    Log(LogDetalhe, QStringLiteral("Fim BotaoValidar_Click."));
}

void PaginaValidar::apresentaUmArquivo(bool comCriticas) {
    const ArquivoAberto& e = sessao_.arquivos[0];
    resumo_.PreencheGrade(0);
    resumo_.botaoGerarMidia()->permite(e.resultado == ResultadoAceito ||
                                       e.resultado == ResultadoAceitoComAdvertencias);
    labelResultado_->setText(TextoResultado(e.resultado));
    if (comCriticas) {
        aviso(QString());
        if (sessao_.mostraCriticas) sessao_.mostraCriticas();
    } else {
        aviso(QStringLiteral("Nenhum erro ou advertência encontrado."));
    }
    resumo_.MostraValidacao(0);
    resumo_.habilitaOpcao(PaginaResumo::VisaoValidacao, true);
    if (e.resultado != ResultadoRejeitado) {
        // As listas de totais são preenchidas antes de escolher a vista: a de CFOP só permite
        // imprimir quando tem linhas.
        if (sessao_.preencheTotaisResumo) sessao_.preencheTotaisResumo(0);
        resumo_.mostraListasTotais(true);
        for (int i = 1; i <= 3; ++i)
            resumo_.habilitaOpcao(i, true);
        resumo_.OptionListarResumo_Click(
            e.uf == QLatin1String("RS") ? PaginaResumo::VisaoCFOP : PaginaResumo::VisaoValidacao);
    } else {
        resumo_.OptionListarResumo_Click(PaginaResumo::VisaoValidacao);
    }
    // A lista, o detalhe e os botões da página Críticas aparecem quando ela lista de novo (a
    // lista fica marcada como desatualizada ao fim da validação).
}

} // namespace korventa
