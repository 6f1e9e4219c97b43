#include "students/forms/TfrmSelectCPF.h"

#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "data/settings/SettingsStore.h"
#include "data/store/DatasetModel.h"
#include "data/store/Table.h"
#include "reports/letters/TaxDeclaration.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfrmSelectCPF::TfrmSelectCPF(QWidget *parent)
    : QDialog(parent),
      m_students(std::make_unique<data::Table>(QString::fromLatin1(data::kMainDatabaseName), QStringLiteral("Alunos.DB")))
{
    setObjectName(QStringLiteral("frmSelectCPF"));
    setWindowTitle(QStringLiteral("Informe o CPF"));
    // Opened with the first CPF typed: until then no student is listed.
    m_students->setReadOnly(true);
    m_students->setIndexName(QStringLiteral("kNome"));

    auto *layout = new QVBoxLayout(this);
    auto *who = new QGroupBox(QStringLiteral("Declaração em nome de: "), this);
    who->setObjectName(QStringLiteral("rgDeclarante"));
    auto *whoLayout = new QHBoxLayout(who);
    m_declarant = new QButtonGroup(this);
    for (const reports::Declarant d : {reports::Declarant::Pai, reports::Declarant::Mae, reports::Declarant::Responsavel}) {
        auto *radio = new QRadioButton(reports::declarantCaption(d), who);
        radio->setObjectName(QStringLiteral("rbDeclarante%1").arg(int(d)));
        m_declarant->addButton(radio, int(d));
        whoLayout->addWidget(radio);
    }
    m_declarant->button(int(reports::Declarant::Responsavel))->setChecked(true);
    connect(m_declarant, &QButtonGroup::idClicked, this, [this] {
        m_searched.clear();
        txtCPFExit();
    });
    layout->addWidget(who);

    auto *cpfRow = new QHBoxLayout;
    cpfRow->addWidget(new QLabel(QStringLiteral("CPF:"), this));
    m_cpf = new QLineEdit(this);
    m_cpf->setObjectName(QStringLiteral("txtCPF"));
    m_cpf->setMaxLength(14);
    m_cpf->setPlaceholderText(QStringLiteral("000.000.000-00"));
    connect(m_cpf, &QLineEdit::editingFinished, this, &TfrmSelectCPF::txtCPFExit);
    cpfRow->addWidget(m_cpf);
    m_nameLabel = new QLabel(this);
    m_nameLabel->setObjectName(QStringLiteral("lblNome"));
    cpfRow->addWidget(m_nameLabel, 1);
    layout->addLayout(cpfRow);

    layout->addWidget(new QLabel(QStringLiteral("Dependente(s):"), this));
    auto *model = new data::DatasetModel(m_students.get(), this);
    model->setColumns({QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("TURMA")});
    model->setColumnTitle(0, QStringLiteral("Matrícula"));
    model->setColumnTitle(1, QStringLiteral("Nome"));
    model->setColumnTitle(2, QStringLiteral("Turma"));
    auto *grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grdDependentes"));
    grid->setModel(model);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(1, 360);
    grid->setMaximumHeight(120);
    layout->addWidget(grid);

    layout->addWidget(new QLabel(QStringLiteral("Texto da declaração (imprimem-se as 8 primeiras linhas):"), this));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("memTexto"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The school's own text when it saved one, else the default (written to declara.txt).
    m_text->setPlainText(reports::declarationText(data::settings()).join(u'\n'));
    layout->addWidget(m_text, 1);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("&Salvar"), this);
    save->setObjectName(QStringLiteral("cmdSalvar"));
    auto *read = new QPushButton(QStringLiteral("&Ler Texto"), this);
    read->setObjectName(QStringLiteral("cmdLer"));
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    for (QPushButton *b : {save, read, m_ok, cancel})
        b->setAutoDefault(false);
    buttons->addWidget(save);
    buttons->addWidget(read);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TfrmSelectCPF::cmdSalvarClick);
    connect(read, &QPushButton::clicked, this, &TfrmSelectCPF::cmdLerClick);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 520);
}

TfrmSelectCPF::~TfrmSelectCPF() = default;

reports::Declarant TfrmSelectCPF::declarant() const
{
    return reports::Declarant(m_declarant->checkedId());
}

QString TfrmSelectCPF::cpf() const
{
    return m_cpf->text().trimmed();
}

void TfrmSelectCPF::txtCPFExit()
{
    const QString typed = cpf();
    const QString key = QString::number(m_declarant->checkedId()) + typed;
    if (typed.isEmpty() || key == m_searched)
        return;
    m_searched = key;
    m_students->setFilter(reports::cpfFilter(declarant(), typed));
    m_students->setFiltered(true);
    if (!m_students->isOpen())
        m_students->open();
    m_students->first();
    if (m_students->isEmpty()) {
        m_name.clear();
        m_nameLabel->clear();
        m_ok->setEnabled(false);
        core::showError(QStringLiteral("Não há registro para este CPF."), QStringLiteral("Erro"));
        return;
    }
    m_name = m_students->asText(reports::declarantNameField(declarant()));
    m_nameLabel->setText(QStringLiteral("Nome: ") + m_name);
    m_ok->setEnabled(true);
}

QList<double> TfrmSelectCPF::dependents() const
{
    QList<double> numbers;
    const int field = m_students->fieldIndex("MATRICULA");
    for (int row = 0; m_students->isOpen() && row < m_students->recordCount(); ++row)
        numbers += m_students->valueAt(row, field).toDouble();
    return numbers;
}

QStringList TfrmSelectCPF::declarationLines() const
{
    return m_text->toPlainText().split(u'\n').mid(0, reports::kPrintedDeclarationLines);
}

void TfrmSelectCPF::cmdSalvarClick()
{
    QString error;
    if (!reports::saveDeclaration(core::programDirs().program, m_text->toPlainText().split(u'\n'), &error))
        core::showError(QStringLiteral("Não foi possível gravar o texto em declara.txt:\r") + error);
}

void TfrmSelectCPF::cmdLerClick()
{
    QStringList lines;
    if (!reports::loadDeclaration(core::programDirs().program, lines)) {
        core::warn(QStringLiteral("O arquivo declara.txt não foi encontrado na pasta do programa."));
        return;
    }
    m_text->setPlainText(lines.join(u'\n'));
}
