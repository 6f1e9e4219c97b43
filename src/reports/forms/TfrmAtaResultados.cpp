#include "reports/forms/TfrmAtaResultados.h"

#include "reports/cards/CardChoices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace reports {

namespace {

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TfrmAtaResultados::TfrmAtaResultados(const data::Database &db, const AtaOptions &options, AtaFileExport exportFile,
                                     QWidget *parent)
    : QDialog(parent), m_export(std::move(exportFile))
{
    setObjectName(QStringLiteral("TfrmAtaResultados"));
    setWindowTitle(QStringLiteral("Defina a Turma  e a Disciplina"));
    auto *layout = new QVBoxLayout(this);

    auto *scope = named(new QGroupBox(QStringLiteral("Defina:"), this), "rgDefina");
    auto *scopeLayout = new QVBoxLayout(scope);
    m_allClasses = named(new QRadioButton(QStringLiteral("Todas as Turmas"), scope), "rbTodas");
    m_oneClass = named(new QRadioButton(QStringLiteral("Apenas a Turma"), scope), "rbTurma");
    m_class = named(new QComboBox(scope), "cbTurma");
    m_class->addItem(QString(), QString());
    for (const ParamChoice &entry : classEntries(db))
        m_class->addItem(entry.caption, entry.value);
    scopeLayout->addWidget(m_allClasses);
    scopeLayout->addWidget(m_oneClass);
    scopeLayout->addWidget(m_class);
    layout->addWidget(scope);

    m_skipLeavers = named(new QCheckBox(QStringLiteral("Não Imprimir Desistentes / Transferidos"), this), "chkDesistentes");
    layout->addWidget(m_skipLeavers);

    auto *form = new QFormLayout;
    m_lastDay = named(new QDateEdit(this), "edtUltimoDia");
    m_lastDay->setCalendarPopup(true);
    m_lastDay->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_secretary = named(new QLineEdit(this), "edtSecretario");
    m_director = named(new QLineEdit(this), "edtDiretor");
    m_approved = named(new QLineEdit(this), "edtAprovados");
    m_progression = named(new QLineEdit(this), "edtProgressao");
    m_failed = named(new QLineEdit(this), "edtReprovados");
    m_unit = named(new QComboBox(this), "cbUnidade");
    for (int unit = 1; unit <= 4; ++unit)
        m_unit->addItem(QStringLiteral("%1ª Unidade").arg(unit), unit);
    m_unit->addItem(QStringLiteral("Média Geral"), int(AtaUnit::Year));
    m_unit->addItem(QStringLiteral("Média Final"), int(AtaUnit::Final));
    form->addRow(QStringLiteral("Último dia letivo"), m_lastDay);
    form->addRow(QStringLiteral("Secretário/Coordenador"), m_secretary);
    form->addRow(QStringLiteral("Diretor"), m_director);
    form->addRow(QStringLiteral("Para Aprovados"), m_approved);
    form->addRow(QStringLiteral("Para Progressão Parcial"), m_progression);
    form->addRow(QStringLiteral("Para Reprovados"), m_failed);
    form->addRow(QStringLiteral("Defina a Unidade "), m_unit);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_print = named(new QPushButton(QStringLiteral("&Imprimir"), this), "cmdImprimir");
    m_print->setDefault(true);
    m_generate = named(new QPushButton(QStringLiteral("&Gerar Arquivo"), this), "cmdGerarArquivo");
    m_generate->setToolTip(QStringLiteral("Salva arquivo no formato TEXTO"));
    auto *close = named(new QPushButton(QStringLiteral("&Fechar"), this), "cmdFechar");
    buttons->addWidget(m_print);
    buttons->addWidget(m_generate);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_print, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_generate, &QPushButton::clicked, this, &TfrmAtaResultados::cmdGerarArquivoClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_allClasses, &QRadioButton::toggled, this, &TfrmAtaResultados::updateButtons);
    connect(m_class, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_class->currentData().toString().isEmpty())
            m_oneClass->setChecked(true);
        updateButtons();
    });

    const int classIndex = m_class->findData(options.classCode);
    m_class->setCurrentIndex(std::max(classIndex, 0));
    (options.classCode.isEmpty() ? m_allClasses : m_oneClass)->setChecked(true);
    m_skipLeavers->setChecked(options.skipLeavers);
    m_lastDay->setDate(options.lastDay.isValid() ? options.lastDay : QDate::currentDate());
    m_secretary->setText(options.secretary);
    m_director->setText(options.director);
    m_approved->setText(options.texts.approved);
    m_progression->setText(options.texts.progression);
    m_failed->setText(options.texts.failed);
    m_unit->setCurrentIndex(m_unit->findData(int(options.unit)));
    updateButtons();
}

AtaOptions TfrmAtaResultados::options() const
{
    AtaOptions options;
    options.classCode = m_oneClass->isChecked() ? m_class->currentData().toString() : QString();
    options.skipLeavers = m_skipLeavers->isChecked();
    options.lastDay = m_lastDay->date();
    options.secretary = m_secretary->text();
    options.director = m_director->text();
    options.texts = {m_approved->text(), m_progression->text(), m_failed->text()};
    options.unit = AtaUnit(m_unit->currentData().toInt());
    return options;
}

QString TfrmAtaResultados::classListText() const
{
    return m_oneClass->isChecked() ? m_class->currentText() : QStringLiteral("Todas as Turmas");
}

void TfrmAtaResultados::updateButtons()
{
    const bool classChosen = m_allClasses->isChecked() || !m_class->currentData().toString().isEmpty();
    m_print->setEnabled(classChosen);
    // Without a picked class "Apenas a Turma" would write every class's file.
    m_generate->setEnabled(m_export && classChosen);
}

void TfrmAtaResultados::cmdGerarArquivoClick()
{
    askAndExport(m_export, options(), classListText(), this);
    reject();
}

} // namespace reports
