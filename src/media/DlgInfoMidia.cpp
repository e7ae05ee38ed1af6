#include "media/DlgInfoMidia.h"

#include "common/Caminhos.h"
#include "common/Formatos.h"
#include "common/Texto.h"
#include "common/TotaisCFOP.h"
#include "media/AbreArquivoMidia.h"
#include "media/ComandosMidia.h"
#include "media/EstadoMidias.h"
#include "media/ListasTotais.h"
#include "media/TotaisCFOPRegistro.h"
#include "platform/Nomeado.h"
#include "platform/Plataforma.h"
#include "validation/ArquivoAberto.h"
#include "validation/GradeTotalizadores.h"
#include "validation/Sessao.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korventa {

namespace {

enum { TotaisRegistro = 0, TotaisCFOP = 1, TotaisRegCFOP = 2 };

QTreeWidget* NovaListaTotais(const QString& nome, const QString& acessivel,
                             const QStringList& colunas, QWidget* pai) {
    auto* lista = new QTreeWidget(pai);
    lista->setObjectName(nome);
    lista->setAccessibleName(acessivel);
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setColumnCount(int(colunas.size()));
    lista->setHeaderLabels(colunas);
    return lista;
}

QFormLayout* Formulario() {
    auto* f = new QFormLayout;
    f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return f;
}

} // namespace

QString DlgInfoMidia::SemInformacao() {
    return QStringLiteral("Informações não disponíveis para este arquivo.");
}

DlgInfoMidia::DlgInfoMidia(Sessao& s, EstadoMidias& estado, QWidget* pai)
    : QDialog(pai), s_(s), estado_(estado), abas_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("DlgInfoMidia"));
    setWindowTitle(QStringLiteral("Informações da Mídia"));
    abas_->setObjectName(QStringLiteral("TabStripInfo"));
    abas_->setAccessibleName(QStringLiteral("Informações da mídia"));
    QWidget* const frames[] = {abaArquivo(), abaContribuinte(), abaValores(), abaValidacao(),
                               abaTransmissao()};
    const char* titulos[] = {"&Arquivo de Mídia", "&Contribuinte", "&Valores", "Va&lidação",
                             "&Transmissão"};
    for (int i = 0; i < 5; ++i) {
        QWidget* frame = frames[i];
        frame->setObjectName(QStringLiteral("FrameInfo_%1").arg(i));
        abas_->addTab(frame, QString::fromUtf8(titulos[i]));
    }

    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = botoes->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setText(QStringLiteral("OK"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(abas_, 1);
    layout->addWidget(botoes);
    resize(640, 520);
}

QLabel* DlgInfoMidia::valor(const QString& nome, const QString& legenda) {
    auto* l = new QLabel(this);
    l->setObjectName(nome);
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    l->setAccessibleName(legenda);
    l->setWordWrap(true);
    rotulos_.insert(nome, l);
    return l;
}

QWidget* DlgInfoMidia::abaArquivo() {
    auto* w = new QWidget(this);
    auto* f = Formulario();
    f->addRow(QStringLiteral("Arquivo:"),
              valor(QStringLiteral("LabelNomeMidia"), QStringLiteral("Arquivo")));
    f->addRow(QStringLiteral("Data:"), valor(QStringLiteral("LabelData"), QStringLiteral("Data")));
    f->addRow(QStringLiteral("Tamanho:"),
              valor(QStringLiteral("LabelTamanho"), QStringLiteral("Tamanho")));
    f->addRow(QStringLiteral("Tipo de Documento:"),
              valor(QStringLiteral("LabelTipoDocumento"), QStringLiteral("Tipo de documento")));
    QLabel* integridade = valor(QStringLiteral("LabelIntegridade"),
                                QStringLiteral("Teste de integridade do arquivo"));
    integridade->setText(QStringLiteral("ACEITO"));
    f->addRow(QStringLiteral(" Teste de Integridade do Arquivo:"), integridade);
    f->addRow(QStringLiteral("Protocolo Korventa:"), valor(QStringLiteral("LabelProtocoloKorventa"),
                                                           QStringLiteral("Protocolo Korventa")));
    f->addRow(QStringLiteral(" Gerado com Validador KORVENTA v"),
              valor(QStringLiteral("LabelVersaoValidador"),
                    QStringLiteral("Gerado com o Validador KORVENTA versão")));
    f->addRow(QStringLiteral("CRC do Arquivo:"),
              valor(QStringLiteral("LabelCRCArquivo"), QStringLiteral("CRC do arquivo")));
    auto* l = new QVBoxLayout(w);
    l->addLayout(f);
    l->addStretch(1);
    return w;
}

QWidget* DlgInfoMidia::abaContribuinte() {
    auto* w = new QWidget(this);
    auto* grupo = new QGroupBox(QStringLiteral(" Dados do Contribuinte "), w);
    auto* f = Formulario();
    const auto linha = [&](const char* legenda, const char* nome, const char* acessivel) {
        f->addRow(QString::fromUtf8(legenda),
                  valor(QString::fromLatin1(nome), QString::fromUtf8(acessivel)));
    };
    linha("CNPJ:", "Label_R10_CGC", "CNPJ");
    linha("Inscricão:", "Label_R10_Inscricao", "Inscrição estadual");
    linha("Razão social:", "Label_R10_RazaoSocial", "Razão social");
    linha("Município:", "Label_R10_Municipio", "Município");
    linha("UF:", "Label_R10_UF", "UF");
    linha("FAX:", "Label_R10_FAX", "Fax");
    auto* periodo = new QHBoxLayout;
    periodo->addWidget(
        valor(QStringLiteral("Label_R10_InicioPeriodo"), QStringLiteral("Início do período")));
    periodo->addWidget(new QLabel(QStringLiteral("até"), w));
    periodo->addWidget(
        valor(QStringLiteral("Label_R10_FimPeriodo"), QStringLiteral("Fim do período")));
    periodo->addStretch(1);
    f->addRow(QStringLiteral("Período:"), periodo);
    linha("Ident. do convênio:", "Label_R10_IdentConvenio", "Identificação do convênio");
    linha("Natureza das op.:", "Label_R10_NaturezaOps", "Natureza das operações");
    linha("Finalidade:", "Label_R10_Finalidade", "Finalidade");
    grupo->setLayout(f);
    auto* contato = Formulario();
    contato->addRow(QStringLiteral("Responsável:"),
                    valor(QStringLiteral("LabelResponsavel"), QStringLiteral("Responsável")));
    contato->addRow(QStringLiteral("Endereço:"),
                    valor(QStringLiteral("LabelEndereco"), QStringLiteral("Endereço")));
    contato->addRow(QStringLiteral("Telefone:"),
                    valor(QStringLiteral("LabelTelefone"), QStringLiteral("Telefone")));
    auto* l = new QVBoxLayout(w);
    l->addWidget(grupo);
    l->addLayout(contato);
    l->addStretch(1);
    return w;
}

QWidget* DlgInfoMidia::abaValores() {
    auto* w = new QWidget(this);
    opcoesTotais_ = new QButtonGroup(w);
    auto* linhaOpcoes = new QHBoxLayout;
    const std::array<std::pair<const char*, const char*>, 3> opcoes{{
        {"OptionTotaisRegistro", "por &Registro"},
        {"OptionTotaisCFOP", "por C&FOP"},
        {"OptionTotaisRegCFOP", "por CFOP &e Registro"},
    }};
    for (int i = 0; i < 3; ++i) {
        auto* o = Nomeado<QRadioButton>(QString::fromLatin1(opcoes[i].first),
                                        QString::fromUtf8(opcoes[i].second), w);
        opcoesTotais_->addButton(o, i);
        linhaOpcoes->addWidget(o);
    }
    linhaOpcoes->addStretch(1);
    connect(opcoesTotais_, &QButtonGroup::idToggled, this, [this](int id, bool marcado) {
        if (marcado) mostraTotais(id);
    });

    pilhaTotais_ = new QStackedWidget(w);
    QStringList registro(5, QString());
    listas_[TotaisRegistro] = NovaListaTotais(QStringLiteral("ListTotaisPorRegistro"),
                                              QStringLiteral("Totais por registro"), registro, w);
    listas_[TotaisRegistro]->header()->hide();
    listas_[TotaisCFOP] =
        NovaListaTotais(QStringLiteral("ListTotaisCFOP"), QStringLiteral("Totais por CFOP"),
                        TitulosTotaisCFOP(), w);
    listas_[TotaisRegCFOP] =
        NovaListaTotais(QStringLiteral("ListTotaisRegCFOP"),
                        QStringLiteral("Totais por CFOP e registro"), TitulosTotaisRegCFOP(), w);
    for (QTreeWidget* lista : listas_)
        pilhaTotais_->addWidget(lista);

    semInfoTotais_ =
        new QLabel(QStringLiteral("Este Arquivo de Mídia não contém estas informações"), w);
    semInfoTotais_->setObjectName(QStringLiteral("LabelSemInfoTotais"));
    semInfoTotais_->setTextFormat(Qt::PlainText);

    imprimirValores_ = Nomeado<QPushButton>(QStringLiteral("BotaoImprimirValores"),
                                            QStringLiteral("&Imprimir"), w);
    imprimirValores_->setAccessibleName(QStringLiteral("Imprimir os totais"));
    connect(imprimirValores_, &QPushButton::clicked, this, [this] { imprimeValores(); });

    auto* l = new QVBoxLayout(w);
    l->addLayout(linhaOpcoes);
    l->addWidget(semInfoTotais_);
    l->addWidget(pilhaTotais_, 1);
    l->addWidget(imprimirValores_, 0, Qt::AlignRight);
    return w;
}

QWidget* DlgInfoMidia::abaValidacao() {
    auto* w = new QWidget(this);
    grade_ = new GradeTotalizadores(w);
    grade_->setAccessibleName(QStringLiteral("Totais por tipo de registro"));
    QLabel* resultado =
        valor(QStringLiteral("LabelResultadoValidacao"), QStringLiteral("Resultado da validação"));
    QFont destaque = resultado->font();
    destaque.setBold(true);
    resultado->setFont(destaque);
    auto* imprimir = Nomeado<QPushButton>(QStringLiteral("BotaoImprimirValidacao"),
                                          QStringLiteral("Im&primir"), w);
    imprimir->setAccessibleName(QStringLiteral("Imprimir o resumo da validação"));
    connect(imprimir, &QPushButton::clicked, this, [this] { imprimeValidacao(); });
    // Sem a impressão ligada não há o que imprimir.
    imprimir->setEnabled(static_cast<bool>(estado_.imprimeResumoValidacao));
    auto* baixo = new QHBoxLayout;
    baixo->addWidget(resultado, 1);
    baixo->addWidget(imprimir);
    auto* l = new QVBoxLayout(w);
    l->addWidget(grade_, 1);
    l->addLayout(baixo);
    return w;
}

QWidget* DlgInfoMidia::abaTransmissao() {
    auto* w = new QWidget(this);
    pilhaTransmissao_ = new QStackedWidget(w);
    auto* grupo = new QGroupBox(QStringLiteral(" Dados da Transmissão "), pilhaTransmissao_);
    auto* f = Formulario();
    f->addRow(QStringLiteral("Protocolo QIV:"),
              valor(QStringLiteral("LabelProtocoloQIV"), QStringLiteral("Protocolo QIV")));
    f->addRow(QStringLiteral("Transmitido em:"),
              valor(QStringLiteral("LabelDataTransmissao"), QStringLiteral("Transmitido em")));
    f->addRow(QStringLiteral("Chave Transmissão:"),
              valor(QStringLiteral("LabelChave"), QStringLiteral("Chave de transmissão")));
    auto* tituloChave = new QLabel(QStringLiteral("Chave GIA-KORVENTA:"), grupo);
    tituloChave->setObjectName(QStringLiteral("LabelTituloChaveTransmissaoKorventa"));
    f->addRow(tituloChave, valor(QStringLiteral("LabelChaveTransmissaoKorventa"),
                                 QStringLiteral("Chave GIA-KORVENTA")));
    f->addRow(QStringLiteral("Remetente:"),
              valor(QStringLiteral("LabelRemetente"), QStringLiteral("Remetente")));
    f->addRow(QStringLiteral("E-mail :"),
              valor(QStringLiteral("LabelEmail"), QStringLiteral("E-mail")));
    f->addRow(QStringLiteral("Destino:"),
              valor(QStringLiteral("LabelDestino"), QStringLiteral("Destino")));
    grupo->setLayout(f);
    auto* nao = new QLabel(QStringLiteral("Este Arquivo de Mídia ainda não foi transmitido"),
                           pilhaTransmissao_);
    nao->setObjectName(QStringLiteral("LabelNaoTransmitido"));
    nao->setTextFormat(Qt::PlainText);
    nao->setAlignment(Qt::AlignCenter);
    pilhaTransmissao_->addWidget(grupo);
    pilhaTransmissao_->addWidget(nao);
    auto* l = new QVBoxLayout(w);
    l->addWidget(pilhaTransmissao_);
    l->addStretch(1);
    return w;
}

void DlgInfoMidia::mostra(const QString& nome, const QString& texto) {
    QLabel* l = rotulos_.value(nome);
    if (!l) return;
    l->setText(texto.trimmed().isEmpty() ? SemInformacao() : texto);
}

void DlgInfoMidia::preenche(const ArquivoAberto& e) {
    entrada_ = std::make_unique<ArquivoAberto>(e);
    const bool temMidia = !e.caminhoMidia.isEmpty();
    mostra(QStringLiteral("LabelNomeMidia"), NomeDoArquivo(e.caminhoMidia));
    mostra(QStringLiteral("LabelData"),
           temMidia && e.dataHoraMidia.isValid()
               ? e.dataHoraMidia.toString(QStringLiteral("dd/MM/yyyy  HH:mm:ss"))
               : QString());
    mostra(QStringLiteral("LabelTamanho"),
           temMidia ? FormataMilhar(e.tamanhoMidia) + QStringLiteral(" bytes") : QString());
    mostra(QStringLiteral("LabelTipoDocumento"), e.tipoDocumento);
    mostra(QStringLiteral("LabelCRCArquivo"), e.crcArquivo);
    mostra(QStringLiteral("LabelVersaoValidador"), e.versaoValidador);
    mostra(QStringLiteral("LabelProtocoloKorventa"), e.protocolo);

    mostra(QStringLiteral("Label_R10_CGC"),
           e.cnpj.trimmed().isEmpty() ? QString() : FormataCNPJ(e.cnpj));
    mostra(QStringLiteral("Label_R10_Inscricao"), e.inscricaoEstadual);
    mostra(QStringLiteral("Label_R10_RazaoSocial"), e.razaoSocial);
    mostra(QStringLiteral("Label_R10_Municipio"), e.municipio);
    mostra(QStringLiteral("Label_R10_UF"), e.uf);
    mostra(QStringLiteral("Label_R10_FAX"), e.fax);
    mostra(QStringLiteral("Label_R10_InicioPeriodo"), e.dataInicial);
    mostra(QStringLiteral("Label_R10_FimPeriodo"), e.dataFinal);
    mostra(QStringLiteral("Label_R10_IdentConvenio"), e.convenio);
    mostra(QStringLiteral("Label_R10_NaturezaOps"), e.natureza);
    mostra(QStringLiteral("Label_R10_Finalidade"), e.finalidade);
    mostra(QStringLiteral("LabelResponsavel"), e.contato);
    mostra(QStringLiteral("LabelTelefone"), e.telefone);
    mostra(QStringLiteral("LabelEndereco"), e.logradouro.isEmpty() && e.numero.isEmpty()
                                                ? QString()
                                                : e.logradouro + QStringLiteral(", ") + e.numero);

    mostra(QStringLiteral("LabelResultadoValidacao"), TextoResultado(e.resultado));
    grade_->preenche(e.totalizadores);

    // Transmissão: sem protocolo QIV a mídia não foi transmitida.
    const bool transmitida = temMidia && !e.protocoloQIV.isEmpty();
    pilhaTransmissao_->setCurrentIndex(transmitida ? 0 : 1);
    mostra(QStringLiteral("LabelProtocoloQIV"), e.protocoloQIV);
    mostra(QStringLiteral("LabelChave"), e.chaveTransmissao);
    mostra(QStringLiteral("LabelDataTransmissao"), e.transmitidoEm);
    mostra(QStringLiteral("LabelDestino"), e.destino);
    mostra(QStringLiteral("LabelEmail"), e.email);
    mostra(QStringLiteral("LabelRemetente"), e.remetente);
    mostra(QStringLiteral("LabelChaveTransmissaoKorventa"), e.chaveTransmissaoKorventa);

    // Valores: só as mídias que levam os totais.
    temTotais_ = VersaoComTotais(e.versaoValidador);
    for (QTreeWidget* l : listas_)
        l->clear();
    if (temTotais_) {
        CalculaSomas(*entrada_);
        PreencheListaTotaisRegistro(listas_[TotaisRegistro], e.totaisCFOP);
        PreencheListaTotaisCFOP(listas_[TotaisCFOP], e.totaisCFOP);
        PreencheListaTotaisRegCFOP(listas_[TotaisRegCFOP], e.totaisCFOP);
    }
    semInfoTotais_->setVisible(!temTotais_);
    escolheTotais(TotaisRegistro);
    mostraTotais(opcoesTotais_->checkedId());
}

void DlgInfoMidia::escolheTotais(int indice) {
    if (auto* b = opcoesTotais_->button(indice)) b->setChecked(true);
}

void DlgInfoMidia::mostraTotais(int indice) {
    if (indice < 0 || indice > 2) return;
    pilhaTotais_->setCurrentIndex(indice);
    bool imprime = temTotais_ && static_cast<bool>(estado_.imprimeTotais);
    if (indice != TotaisRegistro) imprime = imprime && listas_[indice]->topLevelItemCount() > 0;
    imprimirValores_->setEnabled(imprime);
}

void DlgInfoMidia::imprimeValores() {
    if (!entrada_) return;
    if (estado_.imprimeTotais) estado_.imprimeTotais(*entrada_, opcoesTotais_->checkedId());
}

void DlgInfoMidia::imprimeValidacao() {
    if (!entrada_) return;
    if (estado_.imprimeResumoValidacao) estado_.imprimeResumoValidacao(*entrada_);
}

} // namespace korventa
