#include "billing/forms/TfrmCalcular.h"

#include "billing/forms/FineAndDiscountRows.h"
#include "billing/forms/GeneratorReporter.h"
#include "billing/forms/StudentChoiceBox.h"
#include "billing/generators/ChargeGenerators.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/Formats.h"
#include "core/Session.h"
#include "data/settings/Settings.h"
#include "data/store/Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalcular::TfrmCalcular(data::Table &charges, QWidget *parent) : QDialog(parent), m_charges(charges)
{
    setObjectName("TfrmCalcular");
    setWindowTitle(QStringLiteral("Gerar Mensalidades"));
    const data::Settings &settings = data::settings();

    m_students = new StudentChoiceBox(charges.database(), QStringLiteral("Apenas para a Turma"), this);
    m_month = new QComboBox(this);
    m_month->setObjectName("cbMes");
    m_month->addItem(QStringLiteral("Todos os Meses"));
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(core::monthName(m, core::LetterCase::Capitalised));
    m_dueDay = new QLineEdit(QStringLiteral("%1").arg(settings.Data_Venc, 2, 10, QLatin1Char('0')), this);
    m_dueDay->setObjectName("txtVencimento");
    m_dueDay->setInputMask(QStringLiteral("00"));
    m_dueDay->setMaximumWidth(40);
    const FineAndDiscountRows fineAndDiscount(this);
    m_fine = fineAndDiscount.fine;
    m_discount = fineAndDiscount.discount;
    m_percent = fineAndDiscount.percent;
    m_otherDueDates = new QCheckBox(QStringLiteral("Calcule também para os outros vencimentos"), this);
    m_otherDueDates->setObjectName("chkOutrosVencimentos");
    m_otherDueDates->setChecked(true);
    m_overdue = new QCheckBox(QStringLiteral("Calcule também Valores Atrasados"), this);
    m_overdue->setObjectName("chkAtrasados");
    m_ignoreRegister = new QCheckBox(QStringLiteral("Desconsidere a data do Cadastro"), this);
    m_ignoreRegister->setObjectName("chkDesconsiderar");
    m_studentLabel = new QLabel(QStringLiteral("Matrícula Nº"), this);
    m_studentLabel->setObjectName("lblMatricula");
    m_monthLabel = new QLabel(QStringLiteral("Mensalidade Nº"), this);
    m_monthLabel->setObjectName("lblMensalidade");
    m_monthBar = new QProgressBar(this);
    m_monthBar->setObjectName("pbMeses");
    m_studentBar = new QProgressBar(this);
    m_studentBar->setObjectName("pbAlunos");
    m_generate = new QPushButton(QStringLiteral("&Gerar"), this);
    m_generate->setObjectName("cmdGerar");
    m_generate->setEnabled(false);
    m_close = new QPushButton(QStringLiteral("&Fechar"), this);
    m_close->setObjectName("cmdFechar");

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Mês:"), m_month);
    form->addRow(QStringLiteral("Vencimento (dia):"), m_dueDay);
    fineAndDiscount.addTo(form);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_generate);
    buttons->addWidget(m_close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_students);
    layout->addLayout(form);
    layout->addWidget(m_otherDueDates);
    layout->addWidget(m_overdue);
    layout->addWidget(m_ignoreRegister);
    layout->addWidget(m_studentLabel);
    layout->addWidget(m_monthLabel);
    layout->addWidget(m_monthBar);
    layout->addWidget(m_studentBar);
    layout->addLayout(buttons);

    connect(m_students, &StudentChoiceBox::choiceMade, this, [this] { m_generate->setEnabled(true); });
    connect(m_ignoreRegister, &QCheckBox::toggled, this, [](bool on) {
        if (on)
            core::inform(QStringLiteral("Marcando esta opção os carnês serão\rimpressos com a data de vencimento\r"
                                        "informada acima para TODOS os alunos."));
    });
    connect(m_overdue, &QCheckBox::toggled, this, [](bool on) {
        if (on)
            core::inform(QStringLiteral("Marcando esta opção os carnês serão\rimpressos com  acréscimos de valor\r"
                                        "relativos aos meses em aberto para\ro aluno, acumulando neste carnê\r"
                                        "as mensalidades com atraso."));
    });
    connect(m_generate, &QPushButton::clicked, this, &TfrmCalcular::cmdGerarClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCalcular::cmdGerarClick()
{
    const data::Settings &settings = data::settings();
    billing::MonthlyFeeRequest request;
    request.students = m_students->selection();
    request.month = m_month->currentIndex();
    request.dueDay = m_dueDay->text().toInt() > 0 ? m_dueDay->text().toInt() : settings.Data_Venc;
    request.fine = m_fine->text();
    request.discount = m_discount->text();
    request.discountPercent = m_percent->isChecked();
    request.otherDueDates = m_otherDueDates->isChecked();
    request.overdue = m_overdue->isChecked();
    request.ignoreRegisterDate = m_ignoreRegister->isChecked();

    m_generate->setEnabled(false);
    m_close->setEnabled(false);
    GeneratorReporter reporter;
    const core::RunOutcome outcome = billing::generateMonthlyFees(
        m_charges, request, {core::session().schoolYear, settings.Juros, settings.Data_Venc, core::today()},
        reporter, [this](const billing::GeneratorProgress &p) {
            m_studentLabel->setText(QStringLiteral("Matrícula Nº %1").arg(p.matricula));
            m_monthLabel->setText(QStringLiteral("Mensalidade Nº %1").arg(p.month));
            m_monthBar->setRange(0, p.months);
            m_monthBar->setValue(p.monthIndex);
            m_studentBar->setRange(0, p.students);
            m_studentBar->setValue(p.studentIndex);
        });
    m_charges.refresh();
    m_generate->setEnabled(true);
    m_close->setEnabled(true);
    if (outcome == core::RunOutcome::Completed)
        accept();
}
