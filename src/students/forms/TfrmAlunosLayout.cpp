// The boxes, tabs and grids of the student register; what they do is in TfrmAlunos.cpp.

#include "students/forms/TfrmAlunos.h"

#include "app/forms/DBNavigator.h"
#include "core/Dialogs.h"
#include "data/forms/FieldBinder.h"
#include "data/modules/TDataModule1.h"
#include "data/store/DatasetModel.h"
#include "data/store/Query.h"
#include "data/store/Table.h"
#include "students/RecordClipboard.h"
#include "students/Situations.h"
#include "students/StudentFilters.h"
#include "students/forms/RegisterGrids.h"
#include "students/structure/ChargeTypeFilter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using data::FieldBinder;

namespace {

// A caption above its box, the way the register's boxes read.
QWidget *labelled(const QString &caption, QWidget *box, QWidget *parent)
{
    auto *cell = new QWidget(parent);
    auto *layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *label = new QLabel(caption, cell);
    label->setBuddy(box);
    layout->addWidget(label);
    layout->addWidget(box);
    return cell;
}

QFormLayout *compactForm(QWidget *parent)
{
    auto *form = new QFormLayout(parent);
    form->setContentsMargins(6, 4, 6, 4);
    form->setVerticalSpacing(2);
    form->setHorizontalSpacing(6);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

QComboBox *fixedList(const QString &objectName, const QStringList &items, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    return combo;
}

QPushButton *button(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

} // namespace

QLineEdit *TfrmAlunos::fieldEdit(const QString &field, int options, QWidget *parent, int maxWidth)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("txt") + field);
    const data::Dataset &students = m_register.alunos();
    if (students.isOpen() && students.hasField(field) && students.field(field).size > 0)
        edit->setMaxLength(students.field(field).size);
    if (maxWidth > 0)
        edit->setMaximumWidth(maxWidth);
    m_binder->bind(edit, field, FieldBinder::Options(options));
    return edit;
}

QLineEdit *TfrmAlunos::historyEdit(const QString &field, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("txt") + field);
    m_historyBinder->bind(edit, field);
    return edit;
}

void TfrmAlunos::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    auto *top = new QHBoxLayout;
    top->addWidget(buildPersonalBox(), 1);
    auto *photoColumn = new QVBoxLayout;
    m_photo = new QLabel(this);
    m_photo->setObjectName(QStringLiteral("imgFoto"));
    m_photo->setFixedSize(96, 116);
    m_photo->setFrameShape(QFrame::StyledPanel);
    m_photo->setAlignment(Qt::AlignCenter);
    m_photo->setToolTip(QStringLiteral("Foto do aluno (pasta FOTOS, arquivo <matrícula>.bmp)"));
    photoColumn->addWidget(m_photo);
    photoColumn->addStretch();
    top->addLayout(photoColumn);
    layout->addLayout(top);

    layout->addWidget(buildCommandBar());

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildCadastroTab(), QStringLiteral("Cadastro"));
    m_pages->addTab(buildNotasTab(), QStringLiteral("Notas"));
    m_pages->addTab(buildPagamentosTab(), QStringLiteral("Pagamentos"));
    m_pages->addTab(buildObservacoesTab(), QStringLiteral("Observações"));
    m_pages->addTab(buildHistoricoTab(), QStringLiteral("Histórico"));
    m_pages->addTab(buildGradeTab(), QStringLiteral("Grade de Alunos"));
    layout->addWidget(m_pages, 1);
}

QGroupBox *TfrmAlunos::buildPersonalBox()
{
    m_personal = new QGroupBox(QStringLiteral("Dados Pessoais"), this);
    m_personal->setObjectName(QStringLiteral("gbDadosPessoais"));
    m_personal->setToolTip(QStringLiteral("Duplo clique: ler novamente a tabela de alunos"));
    m_personal->installEventFilter(this);
    auto *grid = new QGridLayout(m_personal);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    m_matricula = fieldEdit(QStringLiteral("MATRICULA"), FieldBinder::NoOption, m_personal, 90);
    m_nome = fieldEdit(QStringLiteral("NOME"), FieldBinder::UpperCase, m_personal);
    m_turma = new QComboBox(m_personal);
    m_turma->setObjectName(QStringLiteral("cbTURMA"));
    m_turma->setEditable(true);
    m_turma->setInsertPolicy(QComboBox::NoInsert);
    m_turma->setMinimumWidth(80);
    m_turma->installEventFilter(this);
    auto *classDescription = new QLabel(m_personal);
    classDescription->setObjectName(QStringLiteral("lblcturmaDesc"));
    classDescription->setMinimumWidth(120);

    auto *sex = fixedList(QStringLiteral("cbSEXO"), {QStringLiteral("F"), QStringLiteral("M")}, m_personal);
    m_birthDate = fieldEdit(QStringLiteral("DATANASC"), FieldBinder::NoOption, m_personal, 90);
    m_birthDate->setPlaceholderText(QStringLiteral("dd/mm/aaaa"));
    auto *birthplace = fieldEdit(QStringLiteral("NACIONAL"), FieldBinder::UpperCase, m_personal);
    auto *rollNumber = fieldEdit(QStringLiteral("ESP"), FieldBinder::Display, m_personal, 60);
    rollNumber->setToolTip(QStringLiteral("Este campo é calculado pelo sistema no menu Utilitários"));
    auto *dueDay = fixedList(QStringLiteral("cbVencimento"),
                             {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15"),
                              QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("30")},
                             m_personal);
    m_binder->bind(m_turma, QStringLiteral("TURMA"), FieldBinder::UpperCase);
    m_binder->bind(classDescription, QStringLiteral("cturmaDesc"));
    m_binder->bind(sex, QStringLiteral("SEXO"));
    m_binder->bind(dueDay, QStringLiteral("Vencimento"));

    m_marked = new QLabel(m_personal);
    m_marked->setObjectName(QStringLiteral("imgMarcado"));
    m_marked->setText(QStringLiteral("★ Marcado"));
    m_marked->setStyleSheet(QStringLiteral("color: #b8860b; font-weight: bold;"));
    m_marked->setToolTip(QStringLiteral("Aluno marcado para a Relação Especial"));
    m_marked->hide();

    grid->addWidget(labelled(QStringLiteral("Matrícula"), m_matricula, m_personal), 0, 0);
    grid->addWidget(labelled(QStringLiteral("Nome"), m_nome, m_personal), 0, 1, 1, 3);
    grid->addWidget(labelled(QStringLiteral("Turma"), m_turma, m_personal), 0, 4);
    grid->addWidget(labelled(QString(), classDescription, m_personal), 0, 5, 1, 2);
    grid->addWidget(labelled(QStringLiteral("Sexo"), sex, m_personal), 1, 0);
    grid->addWidget(labelled(QStringLiteral("Nascimento"), m_birthDate, m_personal), 1, 1);
    grid->addWidget(labelled(QStringLiteral("Natural de"), birthplace, m_personal), 1, 2, 1, 2);
    grid->addWidget(labelled(QStringLiteral("Nº na Turma"), rollNumber, m_personal), 1, 4);
    grid->addWidget(labelled(QStringLiteral("Vencimento"), dueDay, m_personal), 1, 5);
    grid->addWidget(m_marked, 1, 6, Qt::AlignBottom);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    return m_personal;
}

QWidget *TfrmAlunos::buildCommandBar()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);

    m_navigator = new app::DBNavigator(&m_register.alunos(), bar);
    m_navigator->setConfirmDelete(false); // the data module's rule asks
    layout->addWidget(m_navigator);

    auto *search = new QToolButton(bar);
    search->setObjectName(QStringLiteral("cmdLocalizar"));
    search->setText(QStringLiteral("Localizar..."));
    search->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    search->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    search->setToolTip(QStringLiteral("Localizar aluno pelo nome ou pela matrícula"));
    connect(search, &QToolButton::clicked, this, &TfrmAlunos::cmdLocalizarClick);
    layout->addWidget(search);
    layout->addSpacing(12);

    layout->addWidget(new QLabel(QStringLiteral("Ordenar por:"), bar));
    m_sort = new QComboBox(bar);
    m_sort->setObjectName(QStringLiteral("cbOrdenar"));
    for (const students::SortEntry &entry : students::sortEntries())
        m_sort->addItem(entry.caption, int(entry.choice));
    connect(m_sort, &QComboBox::activated, this, &TfrmAlunos::sortChosen);
    layout->addWidget(m_sort);
    layout->addSpacing(12);

    m_countBox = new QGroupBox(QStringLiteral("Total de Registros "), bar);
    m_countBox->setObjectName(QStringLiteral("gbTotal"));
    auto *countLayout = new QHBoxLayout(m_countBox);
    countLayout->setContentsMargins(6, 0, 6, 2);
    m_count = new QLabel(m_countBox);
    m_count->setObjectName(QStringLiteral("lblTotal"));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_count->setMinimumWidth(60);
    countLayout->addWidget(m_count);
    layout->addWidget(m_countBox);
    layout->addStretch();

    auto *help = button(QStringLiteral("cmdAjuda"), QStringLiteral("Aj&uda"), bar);
    connect(help, &QPushButton::clicked, this, &TfrmAlunos::cmdAjudaClick);
    layout->addWidget(help);
    auto *close = button(QStringLiteral("cmdFechar"), QStringLiteral("&Fechar"), bar);
    connect(close, &QPushButton::clicked, this, &TfrmAlunos::close);
    layout->addWidget(close);
    return bar;
}

QWidget *TfrmAlunos::buildCadastroTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsCadastro"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    struct Person
    {
        QString title, objectName, name, id, cpf, profession, workplace, religion;
        QStringList phones; // field, caption, field, caption ...
    };
    const QList<Person> people{
        {QStringLiteral("Pai"), QStringLiteral("gbPai"), QStringLiteral("NOME_PAI"), QStringLiteral("ID_PAI"),
         QStringLiteral("CPF_PAI"), QStringLiteral("PROF_PAI"), QStringLiteral("LOCTRABPAI"), QStringLiteral("RELIGPAI"),
         {QStringLiteral("FONE_COM1"), QStringLiteral("Fone Com."), QStringLiteral("celular_pai"), QStringLiteral("Celular")}},
        {QStringLiteral("Mãe"), QStringLiteral("gbMae"), QStringLiteral("NOME_MAE"), QStringLiteral("ID_MAE"),
         QStringLiteral("CPF_MAE"), QStringLiteral("PROF_MAE"), QStringLiteral("LOCTRABMAE"), QStringLiteral("RELIGMAE"),
         {QStringLiteral("FONE_COM2"), QStringLiteral("Fone Com."), QStringLiteral("celular_mae"), QStringLiteral("Celular")}},
        {QStringLiteral("Responsável Financeiro"), QStringLiteral("gbResponsavel"), QStringLiteral("NOME_RESP"),
         QStringLiteral("ID_RESP"), QStringLiteral("CPF_RESP"), QStringLiteral("PROF_RESP"), QStringLiteral("LOCTRBRESP"),
         QStringLiteral("RELIGRESP"),
         {QStringLiteral("EstadoCivil"), QStringLiteral("Estado Civil"), QStringLiteral("FONE_RES"), QStringLiteral("Fone Res."),
          QStringLiteral("celular_resp"), QStringLiteral("Celular"), QStringLiteral("email_resp"), QStringLiteral("E-mail")}},
    };
    auto *family = new QHBoxLayout;
    family->setSpacing(4);
    for (const Person &person : people) {
        auto *box = new QGroupBox(person.title, page);
        box->setObjectName(person.objectName);
        QFormLayout *form = compactForm(box);
        form->addRow(QStringLiteral("Nome"), fieldEdit(person.name, FieldBinder::UpperCase, box));
        auto *cpf = fieldEdit(person.cpf, FieldBinder::NoOption, box);
        cpf->setPlaceholderText(QStringLiteral("000.000.000-00"));
        form->addRow(QStringLiteral("CPF"), cpf);
        form->addRow(QStringLiteral("RG"), fieldEdit(person.id, FieldBinder::NoOption, box));
        form->addRow(QStringLiteral("Profissão"), fieldEdit(person.profession, FieldBinder::UpperCase, box));
        form->addRow(QStringLiteral("Local Trab."), fieldEdit(person.workplace, FieldBinder::UpperCase, box));
        form->addRow(QStringLiteral("Religião"), fieldEdit(person.religion, FieldBinder::UpperCase, box));
        for (int i = 0; i + 1 < person.phones.size(); i += 2) {
            const bool upper = person.phones.at(i) == u"EstadoCivil";
            form->addRow(person.phones.at(i + 1),
                         fieldEdit(person.phones.at(i), upper ? FieldBinder::UpperCase : FieldBinder::NoOption, box));
        }
        family->addWidget(box, 1);
    }
    layout->addLayout(family);

    auto *address = new QGroupBox(QStringLiteral("Endereço para Cobrança"), page);
    address->setObjectName(QStringLiteral("gbEndereco"));
    auto *addressGrid = new QGridLayout(address);
    addressGrid->setContentsMargins(6, 2, 6, 4);
    addressGrid->setVerticalSpacing(2);
    addressGrid->addWidget(labelled(QStringLiteral("Endereço"), fieldEdit(QStringLiteral("ENDERECO"), FieldBinder::UpperCase, address), address), 0, 0);
    addressGrid->addWidget(labelled(QStringLiteral("Bairro"), fieldEdit(QStringLiteral("BAIRRO"), FieldBinder::UpperCase, address), address), 0, 1);
    addressGrid->addWidget(labelled(QStringLiteral("Cidade"), fieldEdit(QStringLiteral("CIDADE"), FieldBinder::UpperCase, address), address), 0, 2);
    addressGrid->addWidget(labelled(QStringLiteral("CEP"), fieldEdit(QStringLiteral("CEP"), FieldBinder::NoOption, address, 90), address), 0, 3);
    addressGrid->addWidget(labelled(QStringLiteral("Fone p/ Recado"), fieldEdit(QStringLiteral("FONE_REC"), FieldBinder::NoOption, address, 120), address), 0, 4);
    addressGrid->setColumnStretch(0, 3);
    addressGrid->setColumnStretch(1, 1);
    addressGrid->setColumnStretch(2, 1);
    layout->addWidget(address);

    auto *actions = new QHBoxLayout;
    m_copyBox = new QGroupBox(QStringLiteral("Copie os dados já digitados para:"), page);
    m_copyBox->setObjectName(QStringLiteral("rgCopiar"));
    auto *copyLayout = new QHBoxLayout(m_copyBox);
    copyLayout->setContentsMargins(6, 2, 6, 4);
    m_copyChoice = new QButtonGroup(this);
    const QStringList choices{QStringLiteral("o Pai"), QStringLiteral("a Mãe"), QStringLiteral("Nenhum")};
    for (int i = 0; i < choices.size(); ++i) {
        auto *radio = new QRadioButton(choices.at(i), m_copyBox);
        radio->setObjectName(QStringLiteral("rbCopiar%1").arg(i));
        m_copyChoice->addButton(radio, i);
        copyLayout->addWidget(radio);
    }
    m_copyChoice->button(2)->setChecked(true);
    m_copyResponsible = button(QStringLiteral("cmdCopiarResp"), QStringLiteral("&Copiar"), m_copyBox);
    m_copyResponsible->setToolTip(QStringLiteral("Copiar os dados do pai ou da mãe para o responsável financeiro"));
    copyLayout->addWidget(m_copyResponsible);
    connect(m_copyChoice, &QButtonGroup::idClicked, this, &TfrmAlunos::stateChanged);
    connect(m_copyResponsible, &QPushButton::clicked, this, &TfrmAlunos::cmdCopiarRespClick);
    actions->addWidget(m_copyBox);
    actions->addStretch();

    m_copyRecord = button(QStringLiteral("cmdCopiarRegistro"), QStringLiteral("Copiar"), page);
    m_copyRecord->setToolTip(QStringLiteral("Guardar a família e o endereço deste aluno para um irmão"));
    m_pasteRecord = button(QStringLiteral("cmdColarRegistro"), QStringLiteral("Colar"), page);
    m_pasteRecord->setToolTip(QStringLiteral("Preencher a família e o endereço com os dados copiados"));
    connect(m_copyRecord, &QPushButton::clicked, this, &TfrmAlunos::cmdCopiarRegistroClick);
    connect(m_pasteRecord, &QPushButton::clicked, this, &TfrmAlunos::cmdColarRegistroClick);
    actions->addWidget(m_copyRecord, 0, Qt::AlignBottom);
    actions->addWidget(m_pasteRecord, 0, Qt::AlignBottom);
    layout->addLayout(actions);
    layout->addStretch();
    return page;
}

QWidget *TfrmAlunos::buildNotasTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsNotas"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    QStringList fields{QStringLiteral("Turma"), QStringLiteral("DISC"), QStringLiteral("DISCIPLINA")};
    QStringList titles{QStringLiteral("Turma"), QStringLiteral("Cód."), QStringLiteral("Disciplina")};
    for (int unit = 1; unit <= 4; ++unit) {
        fields << QStringLiteral("UND%1").arg(unit) << QStringLiteral("FLT%1").arg(unit);
        titles << QStringLiteral("Und%1").arg(unit) << QStringLiteral("Flt%1").arg(unit);
    }
    fields << QStringLiteral("MD_ANUAL") << QStringLiteral("FALTAS") << QStringLiteral("PFINAL")
           << QStringLiteral("MD_FINAL") << QStringLiteral("RECUP") << QStringLiteral("MD_RECUP");
    titles << QStringLiteral("Média") << QStringLiteral("Faltas") << QStringLiteral("P.Final")
           << QStringLiteral("Média Final") << QStringLiteral("Recup.") << QStringLiteral("Md.Recup.");
    auto *model = new students::RegisterGridModel(&m_register.grades(), fields, titles, this);
    m_gradeGrid = students::makeRegisterGrid(model, QStringLiteral("grdNotas"), page);
    m_gradeGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_gradeGrid, 1);

    auto *buttons = new QHBoxLayout;
    m_fix = button(QStringLiteral("cmdCorrigir"), QStringLiteral("Corrigir"), page);
    m_fix->setToolTip(QStringLiteral("Corrigir tabelas de Notas deste Aluno"));
    connect(m_fix, &QPushButton::clicked, this, &TfrmAlunos::cmdCorrigirClick);
    m_isolated = button(QStringLiteral("cmdDiscIsoladas"), QStringLiteral("+ Disciplinas Isoladas"), page);
    m_isolated->setToolTip(QStringLiteral("Acrescentar disciplinas de outra turma (dependência, disciplina extra)"));
    connect(m_isolated, &QPushButton::clicked, this, &TfrmAlunos::cmdDiscIsoladasClick);
    buttons->addWidget(m_fix);
    buttons->addWidget(m_isolated);
    buttons->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget *TfrmAlunos::buildPagamentosTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsPagamentos"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    const QStringList fields{QStringLiteral("ParcelaNum"),       QStringLiteral("ParcelaValor"), QStringLiteral("DescontoFixo"),
                             QStringLiteral("DescontoEventual"), QStringLiteral("Acrescimos"),   QStringLiteral("ParcelaData"),
                             QStringLiteral("cValorFinal"),      QStringLiteral("NossoNum"),     QStringLiteral("PgtoData"),
                             QStringLiteral("PgtoValor"),        QStringLiteral("FORMAPGTO"),    QStringLiteral("STATUS"),
                             QStringLiteral("Observacao")};
    const QStringList titles{QStringLiteral("Parc."),         QStringLiteral("Mensalidade"), QStringLiteral("Desc. Fixo"),
                             QStringLiteral("Desc.Eventual"), QStringLiteral("Acréscimos"),  QStringLiteral("Vencimento"),
                             QStringLiteral("Vlr a pagar"),   QStringLiteral("Nosso Nº"),    QStringLiteral("Pago em"),
                             QStringLiteral("Valor Pago"),    QStringLiteral("Forma Pgto"),  QStringLiteral("Sit."),
                             QStringLiteral("Observação")};
    auto *model = new students::RegisterGridModel(&m_register.charges(), fields, titles, this);
    model->setCodeTexts(10, students::paymentMeansEntries());
    m_chargeGrid = students::makeRegisterGrid(model, QStringLiteral("grdPagamentos"), page);
    m_chargeGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_chargeGrid, 1);

    auto *buttons = new QHBoxLayout;
    m_receive = button(QStringLiteral("cmdReceberBoleto"), QStringLiteral("&Receber Boleto"), page);
    m_print = button(QStringLiteral("cmdImprimir"), QStringLiteral("&Imprimir"), page);
    m_print->setToolTip(QStringLiteral("Gerar Boleto de Pagamento"));
    m_authenticate = button(QStringLiteral("cmdAutenticar"), QStringLiteral("&Autenticar"), page);
    m_authenticate->setToolTip(QStringLiteral("Imprimir o recibo e a autenticação deste pagamento na impressora Zupri"));
    connect(m_authenticate, &QPushButton::clicked, this, &TfrmAlunos::cmdAutenticarClick);
    connect(m_print, &QPushButton::clicked, this, &TfrmAlunos::cmdImprimirClick);
    connect(m_receive, &QPushButton::clicked, this, &TfrmAlunos::cmdReceberBoletoClick);
    buttons->addWidget(m_receive);
    buttons->addWidget(m_print);
    buttons->addWidget(m_authenticate);
    buttons->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget *TfrmAlunos::buildObservacoesTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsObservacoes"));
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto *situation = new QGroupBox(QStringLiteral("Situação e Desconto"), page);
    situation->setObjectName(QStringLiteral("gbSituacao"));
    QFormLayout *form = compactForm(situation);
    auto *sitRow = new QHBoxLayout;
    m_sit = fieldEdit(QStringLiteral("SIT"), FieldBinder::UpperCase, situation, 40);
    m_sit->installEventFilter(this);
    m_situationPicker = new QToolButton(situation);
    m_situationPicker->setObjectName(QStringLiteral("cmdSituacao"));
    m_situationPicker->setText(QStringLiteral("..."));
    m_situationPicker->setToolTip(QStringLiteral("Escolher a situação (com o registro em edição)"));
    m_situationPicker->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_situationPicker->setMinimumWidth(28);
    auto *lines = new QMenu(m_situationPicker);
    lines->setObjectName(QStringLiteral("mnuSituacao"));
    for (const QString &line : students::situationLines())
        lines->addAction(line);
    m_situationPicker->setMenu(lines);
    m_situationPicker->setPopupMode(QToolButton::InstantPopup);
    connect(lines, &QMenu::triggered, this, &TfrmAlunos::situationPicked);
    sitRow->addWidget(m_sit);
    sitRow->addWidget(m_situationPicker);
    sitRow->addStretch();
    form->addRow(QStringLiteral("Situação"), sitRow);
    m_dataSit = fieldEdit(QStringLiteral("DATASIT"), FieldBinder::NoOption, situation, 90);
    form->addRow(QStringLiteral("Data"), m_dataSit);
    m_obsSit = fieldEdit(QStringLiteral("OBSSIT"), FieldBinder::UpperCase, situation);
    form->addRow(QStringLiteral("Obs. Situação"), m_obsSit);
    auto *discountRow = new QHBoxLayout;
    discountRow->addWidget(fieldEdit(QStringLiteral("ABAT"), FieldBinder::NoOption, situation, 80));
    auto *percent = new QCheckBox(QStringLiteral("%"), situation);
    percent->setObjectName(QStringLiteral("chkIMP"));
    percent->setToolTip(QStringLiteral("Marcado: desconto em percentual; desmarcado: valor em reais"));
    m_binder->bind(percent, QStringLiteral("IMP"), QStringLiteral("%"), QStringLiteral("R"));
    discountRow->addWidget(percent);
    discountRow->addStretch();
    form->addRow(QStringLiteral("Desconto"), discountRow);
    form->addRow(QStringLiteral("Motivo"), fieldEdit(QStringLiteral("MOTVABAT"), FieldBinder::UpperCase, situation));
    form->addRow(QStringLiteral("Observação"), fieldEdit(QStringLiteral("OBS"), FieldBinder::UpperCase, situation));
    auto *pool = new QCheckBox(QStringLiteral("Pode usar Piscina"), situation);
    pool->setObjectName(QStringLiteral("chkUsarPiscina"));
    m_binder->bind(pool, QStringLiteral("UsarPiscina"));
    form->addRow(QString(), pool);
    auto *blood = fixedList(QStringLiteral("cbTIPO_SANG"),
                            {QStringLiteral("A+"), QStringLiteral("A-"), QStringLiteral("B+"), QStringLiteral("B-"),
                             QStringLiteral("AB+"), QStringLiteral("AB-"), QStringLiteral("O+"), QStringLiteral("O-")},
                            situation);
    m_binder->bind(blood, QStringLiteral("TIPO_SANG"));
    form->addRow(QStringLiteral("Tipo Sanguíneo"), blood);
    auto *skin = fixedList(QStringLiteral("cbCOR_PELE"),
                           {QStringLiteral("Amarelo"), QStringLiteral("Branco"), QStringLiteral("Índio"),
                            QStringLiteral("Pardo"), QStringLiteral("Preto")},
                           situation);
    m_binder->bind(skin, QStringLiteral("COR_PELE"));
    form->addRow(QStringLiteral("Cor da Pele"), skin);
    layout->addWidget(situation, 1);

    auto *health = new QGroupBox(QStringLiteral("Saúde"), page);
    health->setObjectName(QStringLiteral("gbSaude"));
    QFormLayout *healthForm = compactForm(health);
    healthForm->addRow(QStringLiteral("Convênio Médico"), historyEdit(QStringLiteral("Convenio_Medico"), health));
    healthForm->addRow(QStringLiteral("Pediatra"), historyEdit(QStringLiteral("Pediatra"), health));
    healthForm->addRow(QStringLiteral("Telefone"), historyEdit(QStringLiteral("Telefone"), health));
    healthForm->addRow(QStringLiteral("Ramal"), historyEdit(QStringLiteral("Ramal"), health));
    healthForm->addRow(QStringLiteral("Horário Atend."), historyEdit(QStringLiteral("Horario_Atendimento"), health));
    healthForm->addRow(QStringLiteral("Alergias"), historyEdit(QStringLiteral("Alergias"), health));
    layout->addWidget(health, 1);

    auto *certificate = new QGroupBox(QStringLiteral("Dados da Certdão de Nascimento "), page);
    certificate->setObjectName(QStringLiteral("gbCertidao"));
    QFormLayout *certificateForm = compactForm(certificate);
    certificateForm->addRow(QStringLiteral("Número"), fieldEdit(QStringLiteral("CN_NUM"), FieldBinder::NoOption, certificate));
    certificateForm->addRow(QStringLiteral("Emissão"), fieldEdit(QStringLiteral("CN_DTEMISS"), FieldBinder::NoOption, certificate, 90));
    certificateForm->addRow(QStringLiteral("Folha"), fieldEdit(QStringLiteral("CN_FOLHA"), FieldBinder::NoOption, certificate));
    certificateForm->addRow(QStringLiteral("Livro"), fieldEdit(QStringLiteral("CN_LIVRO"), FieldBinder::NoOption, certificate));
    certificateForm->addRow(QStringLiteral("Cartório"), fieldEdit(QStringLiteral("CN_CART"), FieldBinder::UpperCase, certificate));
    certificateForm->addRow(QStringLiteral("Município"), fieldEdit(QStringLiteral("CN_MUNNASC"), FieldBinder::UpperCase, certificate));
    certificateForm->addRow(QStringLiteral("UF"), fieldEdit(QStringLiteral("CN_UFCART"), FieldBinder::UpperCase, certificate, 40));
    layout->addWidget(certificate, 1);
    return page;
}

QWidget *TfrmAlunos::buildHistoricoTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsHistorico"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(QStringLiteral("Observações na Ficha do Aluno"), page));
    auto *memo = new QPlainTextEdit(page);
    memo->setObjectName(QStringLiteral("memHistorico"));
    m_historyBinder->bind(memo, QStringLiteral("Historico"));
    layout->addWidget(memo, 1);
    return page;
}

QWidget *TfrmAlunos::buildGradeTab()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("tsGrade"));
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    auto *grids = new QStackedWidget(page);
    grids->setObjectName(QStringLiteral("stkGrade"));
    const QStringList fields{QStringLiteral("TURMA"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                             QStringLiteral("MARCADO")};
    const QStringList titles{QStringLiteral("Turma"), QStringLiteral("Matrícula"), QStringLiteral("Nome"),
                             QStringLiteral("Marcado")};
    auto *students = new students::RegisterGridModel(&m_register.alunos(), fields, titles, this);
    students->setLeaversInRed(true);
    students->setCheckColumn(3);
    connect(students->datasetModel(), &data::DatasetModel::editFailed, this, [](const QString &message) {
        core::showError(message);
    });
    m_studentGrid = students::makeRegisterGrid(students, QStringLiteral("grdAlunos"), grids,
                                               [this](int row) { runSafely([this, row] { m_register.moveTo(row); }); });
    students::stretchColumn(m_studentGrid, 2);
    grids->addWidget(m_studentGrid);
    auto *marked = new students::RegisterGridModel(&m_register.specialList(), fields, titles, this);
    marked->setCheckColumn(3);
    m_specialGrid = students::makeRegisterGrid(marked, QStringLiteral("grdMarcados"), grids, [this](int row) {
        // The special list follows the register: the student chosen there becomes current.
        const QVariant number = m_register.specialList().valueAt(row, m_register.specialList().fieldIndex("MATRICULA"));
        runSafely([this, number] {
            if (m_register.alunos().locate(QStringLiteral("MATRICULA"), {number}))
                m_register.studentChanged();
        });
    });
    students::stretchColumn(m_specialGrid, 2);
    grids->addWidget(m_specialGrid);
    connect(&m_register, &students::StudentRegister::specialListShown, grids,
            [grids, this](bool shown) { grids->setCurrentWidget(shown ? m_specialGrid : m_studentGrid); });
    layout->addWidget(grids, 1);

    auto *side = new QVBoxLayout;
    auto *views = new QGroupBox(QStringLiteral("Visualizar Apenas"), page);
    views->setObjectName(QStringLiteral("rgVisualizar"));
    auto *viewGrid = new QGridLayout(views);
    viewGrid->setContentsMargins(6, 2, 6, 4);
    viewGrid->setVerticalSpacing(2);
    m_views = new QButtonGroup(this);
    m_month = new QSpinBox(views);
    m_month->setObjectName(QStringLiteral("spnMes"));
    m_month->setRange(1, 12);
    m_month->setToolTip(QStringLiteral("Mês dos aniversariantes"));
    m_situationFilter = new QLineEdit(views);
    m_situationFilter->setObjectName(QStringLiteral("txtSituacaoFiltro"));
    m_situationFilter->setMaxLength(2);
    m_situationFilter->setMaximumWidth(50);
    m_situationFilter->setToolTip(QStringLiteral("Código da situação (B, D, I, T ...)"));
    m_classes = new QListWidget(views);
    m_classes->setObjectName(QStringLiteral("lstTurmas"));
    m_classes->setMaximumWidth(90);
    m_classes->setMaximumHeight(110);
    m_classes->setToolTip(QStringLiteral("Turma para \"A Turma\""));
    const QList<students::ViewEntry> &entries = students::viewEntries();
    for (int i = 0; i < entries.size(); ++i) {
        auto *radio = new QRadioButton(entries.at(i).caption, views);
        radio->setObjectName(QStringLiteral("rbVisualizar%1").arg(i));
        m_views->addButton(radio, int(entries.at(i).choice));
        viewGrid->addWidget(radio, i, 0);
    }
    viewGrid->addWidget(m_month, int(students::ViewChoice::Aniversariantes), 1);
    viewGrid->addWidget(m_situationFilter, int(students::ViewChoice::Situacao), 1);
    viewGrid->addWidget(m_classes, int(students::ViewChoice::Turma), 1, 3, 1, Qt::AlignTop);
    connect(m_views, &QButtonGroup::idClicked, this, &TfrmAlunos::viewChosen);
    connect(m_month, &QSpinBox::valueChanged, this, &TfrmAlunos::viewParametersChanged);
    connect(m_classes, &QListWidget::currentRowChanged, this, &TfrmAlunos::viewParametersChanged);
    connect(m_situationFilter, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_situationFilter->setText(text.toUpper());
    });
    side->addWidget(views);

    m_export = button(QStringLiteral("cmdExportar"), QStringLiteral("Exportar para Planilha"), page);
    m_export->setToolTip(QStringLiteral("Gravar os alunos marcados em Relacao_Especial.csv e abrir o arquivo"));
    m_clearMarks = button(QStringLiteral("cmdLimparMarcados"), QStringLiteral("Limpar a seleção dos marcados"), page);
    connect(m_export, &QPushButton::clicked, this, &TfrmAlunos::cmdExportarClick);
    connect(m_clearMarks, &QPushButton::clicked, this, &TfrmAlunos::cmdLimparMarcadosClick);
    side->addWidget(m_export);
    side->addWidget(m_clearMarks);
    side->addStretch();
    layout->addLayout(side);
    return page;
}
