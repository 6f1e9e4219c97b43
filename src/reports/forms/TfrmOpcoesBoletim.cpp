#include "reports/forms/TfrmOpcoesBoletim.h"

#include "reports/cards/CardChoices.h"

#include "core/Dialogs.h"
#include "core/Formats.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace reports {

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    return named(new QPushButton(caption, parent), name);
}

} // namespace

TfrmOpcoesBoletim::TfrmOpcoesBoletim(const data::Database &db, const CardOptions &options, QWidget *parent)
    : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmOpcoesBoletim"));
    setWindowTitle(QStringLiteral("Defina "));
    // The students on the left, the options on the right: one column of all would be taller
    // than a laptop's screen.
    auto *scope = new QVBoxLayout;
    buildScope(scope);
    auto *choices = new QVBoxLayout;
    buildChoices(choices);
    buildResult(choices);
    buildMessages(choices);
    buildUnits(choices);
    choices->addStretch();
    auto *columns = new QHBoxLayout;
    columns->addLayout(scope, 1);
    columns->addLayout(choices);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton *ok = button(QStringLiteral("&OK"), "OKBtn", this);
    ok->setDefault(true);
    QPushButton *close = button(QStringLiteral("&Fechar"), "cmdFechar", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    showOptions(options);
}

void TfrmOpcoesBoletim::buildScope(QVBoxLayout *layout)
{
    auto *box = named(new QGroupBox(QStringLiteral("Defina:"), this), "rgDefina");
    auto *grid = new QVBoxLayout(box);
    m_scope = new QButtonGroup(this);
    const char *names[] = {"rbTodas", "rbTurma", "rbAluno"};
    const QStringList captions{QStringLiteral("Todas as Turmas"), QStringLiteral("Apenas a Turma"),
                               QStringLiteral("Apenas o Aluno (Matrícula)")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *radio = named(new QRadioButton(captions.at(i), box), names[i]);
        m_scope->addButton(radio, i);
        grid->addWidget(radio);
    }
    m_class = named(new QComboBox(box), "cbTurma");
    for (const ParamChoice &entry : classEntries(m_db))
        m_class->addItem(entry.caption, entry.value);
    grid->addWidget(m_class);

    auto *students = new QHBoxLayout;
    m_matricula = named(new QLineEdit(box), "txtMatricula");
    m_matricula->setToolTip(QStringLiteral("Informe a matrícula e clique no botão ao lado"));
    m_matricula->setPlaceholderText(m_matricula->toolTip());
    QPushButton *add = button(QStringLiteral("+"), "cmdAdicionar", box);
    add->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &TfrmOpcoesBoletim::cmdAdicionarClick);
    connect(m_matricula, &QLineEdit::textEdited, this, [this] { m_scope->button(2)->setChecked(true); });
    students->addWidget(m_matricula);
    students->addWidget(add);
    grid->addLayout(students);
    m_students = named(new QListWidget(box), "lstMatriculas");
    // The list takes the height the options beside it leave.
    grid->addWidget(m_students, 1);
    layout->addWidget(box);
}

void TfrmOpcoesBoletim::buildChoices(QVBoxLayout *layout)
{
    m_skipLeavers = named(new QCheckBox(QStringLiteral("Não imprimir alunos Desistente ou Transferido"), this),
                          "chkDesistentes");
    m_photo = named(new QCheckBox(QStringLiteral("Imprima com a Fotografia do Aluno"), this), "chkFoto");
    m_consolidated = named(
        new QCheckBox(QStringLiteral("Imprimir apenas a Disciplina Consolidada (quando existir)"), this),
        "chkConsolidada");
    m_skipRecovery = named(new QCheckBox(QStringLiteral("Não Imprima boletins de Alunos em Recuperação"), this),
                           "chkRecuperacao");
    m_hideAbsences = named(new QCheckBox(QStringLiteral("Não imprima coluna de \"Faltas\""), this), "chkFaltas");
    for (QCheckBox *box : {m_skipLeavers, m_photo, m_consolidated, m_skipRecovery, m_hideAbsences})
        layout->addWidget(box);
    // The photograph goes with the final result.
    connect(m_photo, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_result->setCurrentIndex(2);
    });
}

void TfrmOpcoesBoletim::buildResult(QVBoxLayout *layout)
{
    auto *box = named(new QGroupBox(QStringLiteral("Imprimir Resultado Parcial/Final "), this), "gbResultado");
    auto *row = new QHBoxLayout(box);
    m_result = named(new QComboBox(box), "cbResultado");
    m_result->addItems({QStringLiteral("Não imprimir (se não tem notas de TODOS os Bimestres)"),
                        QStringLiteral("Resultado Parcial (indica alunos aptos à recuperação)"),
                        QStringLiteral("Resultado Final (necessário ter as Notas Finais)")});
    m_recoveryLimit = named(new QSpinBox(box), "spinLimite");
    m_recoveryLimit->setRange(-1, 30);
    row->addWidget(m_result, 1);
    row->addWidget(m_recoveryLimit);
    layout->addWidget(box);
    connect(m_result, &QComboBox::activated, this, &TfrmOpcoesBoletim::resultChanged);
}

void TfrmOpcoesBoletim::buildMessages(QVBoxLayout *layout)
{
    auto *box = named(new QGroupBox(QStringLiteral("Duas linhas de mensagem"), this), "gbMensagem");
    auto *column = new QVBoxLayout(box);
    m_message1 = named(new QLineEdit(box), "txtMensagem1");
    m_message2 = named(new QLineEdit(box), "txtMensagem2");
    column->addWidget(m_message1);
    column->addWidget(m_message2);
    auto *row = new QHBoxLayout;
    QPushButton *save = button(QStringLiteral("&Salvar Mensagem"), "cmdSalvarMensagem", box);
    QPushButton *read = button(QStringLiteral("&Lerr Mensagem"), "cmdLerMensagem", box);
    for (QPushButton *b : {save, read}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    row->addStretch();
    column->addLayout(row);
    connect(save, &QPushButton::clicked, this, &TfrmOpcoesBoletim::cmdSalvarMensagemClick);
    connect(read, &QPushButton::clicked, this, &TfrmOpcoesBoletim::cmdLerMensagemClick);
    layout->addWidget(box);
}

void TfrmOpcoesBoletim::buildUnits(QVBoxLayout *layout)
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Defina a Unidade Atual: "), this));
    m_unit = named(new QComboBox(this), "cbUnidade");
    m_unit->addItems({QStringLiteral("1ª Unidade"), QStringLiteral("2ª Unidade"), QStringLiteral("3ª Unidade"),
                      QStringLiteral("4ª Unidade"), QStringLiteral("Média Anual")});
    row->addWidget(m_unit);
    row->addStretch();
    layout->addLayout(row);
    m_positions = named(new QCheckBox(QStringLiteral("Utilize a definição acima para a CLASSIFICAÇÃO"), this),
                        "chkClassificacao");
    layout->addWidget(m_positions);
    auto *limit = new QHBoxLayout;
    limit->addWidget(
        new QLabel(QStringLiteral("Ao imprimir considere apenas os alunos classificados até à posição Nº"), this));
    m_positionLimit = named(new QSpinBox(this), "spinPosicao");
    m_positionLimit->setRange(1, 200);
    limit->addWidget(m_positionLimit);
    layout->addLayout(limit);
    m_lawNotAdapted = named(new QCheckBox(QStringLiteral("Imprima texto relativo à Lei 11.274/2006"), this), "chkLei");
    m_lawAdapted = named(new QCheckBox(QStringLiteral("Já estou enquadrado à Lei 11.274/2006"), this),
                         "chkLeiEnquadrado");
    m_noGrid = named(new QCheckBox(QStringLiteral("Retirar grade nos campos de Notas"), this), "chkGrade");
    for (QCheckBox *box : {m_lawNotAdapted, m_lawAdapted, m_noGrid})
        layout->addWidget(box);
    connect(m_lawNotAdapted, &QCheckBox::clicked, this, &TfrmOpcoesBoletim::chkLeiClicked);
    connect(m_lawAdapted, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_lawNotAdapted->setChecked(false);
    });
}

void TfrmOpcoesBoletim::showOptions(const CardOptions &options)
{
    m_scope->button(int(options.scope))->setChecked(true);
    m_class->setCurrentIndex(qMax(0, m_class->findData(options.classCode)));
    for (qint64 student : options.students) {
        if (const std::optional<QString> entry = studentEntry(m_db, student))
            m_students->addItem(*entry);
    }
    m_skipLeavers->setChecked(options.skipLeavers);
    m_photo->setChecked(options.photo);
    m_consolidated->setChecked(options.onlyConsolidated);
    m_skipRecovery->setChecked(options.skipRecovery);
    m_hideAbsences->setChecked(options.hideAbsences);
    m_result->setCurrentIndex(int(options.result));
    m_recoveryLimit->setValue(options.recoveryLimit);
    m_message1->setText(options.message1);
    m_message2->setText(options.message2);
    m_unit->setCurrentIndex(options.currentUnit - 1);
    m_positions->setChecked(options.positions);
    m_positionLimit->setValue(options.positionLimit);
    m_lawNotAdapted->setChecked(options.lawNotAdapted);
    m_lawAdapted->setChecked(options.lawAdapted);
    m_noGrid->setChecked(options.noGrid);
}

CardOptions TfrmOpcoesBoletim::options() const
{
    CardOptions options;
    options.scope = CardScope(m_scope->checkedId());
    options.classCode = m_class->currentData().toString();
    for (int i = 0; i < m_students->count(); ++i)
        options.students.append(m_students->item(i)->text().section(u' ', 0, 0).toLongLong());
    if (options.scope == CardScope::Students && options.students.isEmpty()) {
        if (const std::optional<qint64> typed = core::parseInteger(m_matricula->text()))
            options.students.append(*typed);
    }
    options.skipLeavers = m_skipLeavers->isChecked();
    options.photo = m_photo->isChecked();
    options.onlyConsolidated = m_consolidated->isChecked();
    options.skipRecovery = m_skipRecovery->isChecked();
    options.hideAbsences = m_hideAbsences->isChecked();
    options.result = CardResult(m_result->currentIndex());
    options.recoveryLimit = m_recoveryLimit->value();
    options.message1 = m_message1->text();
    options.message2 = m_message2->text();
    options.currentUnit = m_unit->currentIndex() + 1;
    options.positions = m_positions->isChecked();
    options.positionLimit = m_positionLimit->value();
    options.lawNotAdapted = m_lawNotAdapted->isChecked();
    options.lawAdapted = m_lawAdapted->isChecked();
    options.noGrid = m_noGrid->isChecked();
    return options;
}

void TfrmOpcoesBoletim::cmdAdicionarClick()
{
    const std::optional<qint64> number = core::parseInteger(m_matricula->text());
    const std::optional<QString> entry = number ? studentEntry(m_db, *number) : std::nullopt;
    if (!entry) {
        core::dialogs().show({QStringLiteral("Matrícula inválida!"), QStringLiteral("Atenção"), core::Icon::Warning});
        m_matricula->setFocus();
        return;
    }
    m_students->addItem(*entry);
    m_scope->button(int(CardScope::Students))->setChecked(true);
    m_matricula->clear();
    m_matricula->setFocus();
}

void TfrmOpcoesBoletim::resultChanged(int index)
{
    if (CardResult(index) == CardResult::Partial) {
        core::inform(QStringLiteral("Informe a qtde máxima de disciplinas abaixo da média\rque permita ao aluno "
                                    "fazer a Recuperação.\r-1 indica que não há limite."));
        m_recoveryLimit->setFocus();
    }
}

void TfrmOpcoesBoletim::chkLeiClicked(bool checked)
{
    if (!checked)
        return;
    m_lawAdapted->setChecked(false);
    core::inform(QStringLiteral("Marque esta opção para usar nos boletins o texto:\r\"Equivalente ao Xº Ano do "
                                "Ensino Fundamental\rde acordo com a Lei 11.274/2006\"\rse sua escola ainda não "
                                "se adaptou à referida Lei."));
}

void TfrmOpcoesBoletim::cmdSalvarMensagemClick()
{
    if (!saveCardMessages(m_message1->text(), m_message2->text()))
        core::dialogs().show({QStringLiteral("Erro ao tentar salvar arquivo!"), QStringLiteral("Erro"), core::Icon::Error});
}

void TfrmOpcoesBoletim::cmdLerMensagemClick()
{
    const auto lines = readCardMessages();
    if (!lines) {
        core::dialogs().show({QStringLiteral("Erro ao tentar Ler arquivo!"), QStringLiteral("Erro"), core::Icon::Error});
        return;
    }
    m_message1->setText(lines->first);
    m_message2->setText(lines->second);
}

} // namespace reports
