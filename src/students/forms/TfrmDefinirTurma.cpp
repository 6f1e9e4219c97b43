#include "students/forms/TfrmDefinirTurma.h"

#include "core/Clock.h"
#include "students/structure/ChargeTypeFilter.h"
#include "students/structure/StructureLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace students {

namespace {

QDateEdit *dateBox(const char *objectName, QWidget *parent)
{
    auto *box = new QDateEdit(core::today(), parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    box->setCalendarPopup(true);
    return box;
}

} // namespace

TfrmDefinirTurma::TfrmDefinirTurma(const QStringList &classLines, const ClassPickerParts &parts, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDefinirTurma"));
    setWindowTitle(QStringLiteral("Defina a Turma "));

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    if (parts.configure) {
        QPushButton *configure = buttons->addButton(QStringLiteral("C&onfigurar"), QDialogButtonBox::ActionRole);
        configure->setObjectName(QStringLiteral("cmdConfigurar"));
        connect(configure, &QPushButton::clicked, this, [setup = parts.configure] { setup(); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildScope(classLines), 1);
    layout->addWidget(buildOptions(parts));
    layout->addWidget(buttons);
    scopeChosen();
}

QGroupBox *TfrmDefinirTurma::buildScope(const QStringList &classLines)
{
    auto *scope = new QGroupBox(QStringLiteral("Defina:"), this);
    scope->setObjectName(QStringLiteral("rgDefina"));
    m_all = new QRadioButton(QStringLiteral("Todas as Turmas"), scope);
    m_all->setObjectName(QStringLiteral("rbTodas"));
    m_all->setChecked(true);
    m_one = new QRadioButton(QStringLiteral("Apenas a Turma"), scope);
    m_one->setObjectName(QStringLiteral("rbApenas"));
    m_classes = new QListWidget(scope);
    m_classes->setObjectName(QStringLiteral("lstTurmas"));
    m_classes->addItems(classLines);
    m_classes->setMinimumHeight(160);
    connect(m_all, &QRadioButton::toggled, this, &TfrmDefinirTurma::scopeChosen);
    connect(m_classes, &QListWidget::itemSelectionChanged, this, &TfrmDefinirTurma::updateOk);
    connect(m_classes, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_ok->isEnabled())
            accept();
    });
    auto *layout = new QVBoxLayout(scope);
    auto *choices = new QHBoxLayout;
    choices->addWidget(m_all);
    choices->addWidget(m_one);
    choices->addStretch();
    layout->addLayout(choices);
    layout->addWidget(m_classes, 1);
    return scope;
}

QWidget *TfrmDefinirTurma::buildOptions(const ClassPickerParts &parts)
{
    auto *options = new QWidget(this);
    auto *layout = new QVBoxLayout(options);
    layout->setContentsMargins(0, 0, 0, 0);
    if (parts.amountsDue) {
        m_amountsDue = new QCheckBox(QStringLiteral("Imprima Valores Devidos"), options);
        m_amountsDue->setObjectName(QStringLiteral("chkValoresDevidos"));
        layout->addWidget(m_amountsDue);
    }
    if (parts.period) {
        auto *row = new QHBoxLayout;
        m_from = dateBox("dtInicio", options);
        m_to = dateBox("dtFim", options);
        row->addWidget(new QLabel(QStringLiteral("No Período:"), options));
        row->addWidget(m_from);
        row->addWidget(new QLabel(QStringLiteral("A"), options));
        row->addWidget(m_to);
        row->addStretch();
        layout->addLayout(row);
    }
    if (parts.monthPeriod) {
        auto *box = new QGroupBox(QStringLiteral("Defina o período abaixo"), options);
        box->setObjectName(QStringLiteral("rgPeriodo"));
        m_onlyMonth = new QRadioButton(QStringLiteral("Apenas para o MÊS"), box);
        m_onlyMonth->setObjectName(QStringLiteral("rbApenasMes"));
        m_onlyMonth->setChecked(true);
        m_upToMonth = new QRadioButton(QStringLiteral("Até o MÊS"), box);
        m_upToMonth->setObjectName(QStringLiteral("rbAteMes"));
        m_month = new QComboBox(box);
        m_month->setObjectName(QStringLiteral("cbMes"));
        m_month->addItems(monthNames());
        m_month->setCurrentIndex(core::today().month() - 1);
        auto *row = new QHBoxLayout(box);
        row->addWidget(m_onlyMonth);
        row->addWidget(m_upToMonth);
        row->addWidget(m_month);
        row->addStretch();
        layout->addWidget(box);
    }
    if (parts.includeUnpaid) {
        m_unpaid = new QCheckBox(QStringLiteral("Incluir Mensalidades não Pagas"), options);
        m_unpaid->setObjectName(QStringLiteral("chkNaoPagas"));
        layout->addWidget(m_unpaid);
    }
    if (parts.exportToExcel) {
        m_excel = new QCheckBox(QStringLiteral("Exportar para MS Excel"), options);
        m_excel->setObjectName(QStringLiteral("chkExcel"));
        layout->addWidget(m_excel);
    }
    if (parts.chargeType) {
        auto *row = new QHBoxLayout;
        m_chargeType = new QComboBox(options);
        m_chargeType->setObjectName(QStringLiteral("cbTipoCobranca"));
        m_chargeType->addItems(chargeTypeEntries());
        auto *label = new QLabel(QStringLiteral("Tipo Cobrança:"), options);
        label->setBuddy(m_chargeType);
        row->addWidget(label);
        row->addWidget(m_chargeType, 1);
        layout->addLayout(row);
        connect(m_chargeType, &QComboBox::currentTextChanged, this, &TfrmDefinirTurma::chargeTypeChosen);
    }
    return options;
}

// "Todas as Turmas" clears and locks the list; "Apenas a Turma" waits for a class.
void TfrmDefinirTurma::scopeChosen()
{
    if (m_all->isChecked())
        m_classes->clearSelection();
    m_classes->setEnabled(m_one->isChecked());
    updateOk();
}

void TfrmDefinirTurma::updateOk()
{
    m_ok->setEnabled(m_all->isChecked() || !m_classes->selectedItems().isEmpty());
}

void TfrmDefinirTurma::chargeTypeChosen()
{
    m_chargeFilter = m_chargeType ? chargeTypeFilter(m_chargeType->currentText()) : QString();
}

void TfrmDefinirTurma::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    chargeTypeChosen();
}

void TfrmDefinirTurma::setChoice(const ClassChoice &choice)
{
    m_one->setChecked(!choice.allClasses);
    m_all->setChecked(choice.allClasses);
    for (int i = 0; i < m_classes->count() && !choice.allClasses; ++i) {
        if (classCodeOfLine(m_classes->item(i)->text()) == choice.classCode) {
            m_classes->setCurrentRow(i);
            break;
        }
    }
    if (m_amountsDue)
        m_amountsDue->setChecked(choice.amountsDue);
    if (m_from && choice.periodFrom.isValid())
        m_from->setDate(choice.periodFrom);
    if (m_to && choice.periodTo.isValid())
        m_to->setDate(choice.periodTo);
    if (m_month) {
        m_month->setCurrentIndex(qBound(1, choice.month, 12) - 1);
        (choice.monthScope == MonthScope::UpToMonth ? m_upToMonth : m_onlyMonth)->setChecked(true);
    }
    if (m_excel)
        m_excel->setChecked(choice.exportToExcel);
    if (m_unpaid)
        m_unpaid->setChecked(choice.includeUnpaid);
    if (m_chargeType)
        m_chargeType->setCurrentText(choice.chargeType);
    chargeTypeChosen();
    updateOk();
}

ClassChoice TfrmDefinirTurma::choice() const
{
    ClassChoice c;
    c.allClasses = m_all->isChecked();
    const QList<QListWidgetItem *> picked = m_classes->selectedItems();
    if (!c.allClasses && !picked.isEmpty())
        c.classCode = classCodeOfLine(picked.first()->text());
    c.amountsDue = m_amountsDue && m_amountsDue->isChecked();
    if (m_from) {
        c.periodFrom = m_from->date();
        c.periodTo = m_to->date();
    }
    if (m_month) {
        c.month = m_month->currentIndex() + 1;
        c.monthScope = m_upToMonth->isChecked() ? MonthScope::UpToMonth : MonthScope::OnlyMonth;
    }
    c.exportToExcel = m_excel && m_excel->isChecked();
    c.includeUnpaid = m_unpaid && m_unpaid->isChecked();
    if (m_chargeType) {
        c.chargeType = m_chargeType->currentText();
        c.chargeFilter = m_chargeFilter;
    }
    return c;
}

} // namespace students
