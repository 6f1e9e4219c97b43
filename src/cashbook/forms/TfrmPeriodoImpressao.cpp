#include "cashbook/forms/TfrmPeriodoImpressao.h"

#include "core/Dialogs.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace cashbook {

namespace {

QDateEdit *dateEdit(const char *objectName, const QDate &date, QWidget *parent)
{
    auto *edit = new QDateEdit(date, parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

TfrmPeriodoImpressao::TfrmPeriodoImpressao(PeriodMode mode, const Period &start, QWidget *parent)
    : QDialog(parent), m_mode(mode)
{
    setObjectName(QStringLiteral("frmPeriodoImpressao"));
    setWindowTitle(QStringLiteral("Informe o período para Impressão"));
    m_from = dateEdit("txtDataIni", start.from, this);
    m_to = dateEdit("txtDataFim", start.to, this);

    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(ok, &QPushButton::clicked, this, &TfrmPeriodoImpressao::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *dates = new QFormLayout;
    dates->addRow(QStringLiteral("De"), m_from);
    dates->addRow(QStringLiteral("A"), m_to);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(buttons);
}

Period TfrmPeriodoImpressao::period() const
{
    return {m_from->date(), m_to->date()};
}

void TfrmPeriodoImpressao::accept()
{
    if (checksOrder(m_mode) && endsBeforeItStarts(period())) {
        core::warn(periodOrderMessage());
        return;
    }
    QDialog::accept();
}

} // namespace cashbook
