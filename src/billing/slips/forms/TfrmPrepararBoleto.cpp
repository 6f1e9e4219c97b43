#include "billing/slips/forms/TfrmPrepararBoleto.h"

#include "billing/slips/Codabar.h"
#include "billing/slips/SlipRows.h"
#include "core/forms/RunProgressDialog.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/StoreError.h"
#include "reports/engine/forms/Printing.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TfrmPrepararBoleto::TfrmPrepararBoleto(const data::Database &db, const billing::BoletoChoices &choices,
                                       QWidget *parent, billing::SlipOutput output)
    : QDialog(parent), m_db(db), m_choices(choices), m_output(std::move(output))
{
    if (!m_output)
        m_output = [](const reports::Document &document) { return reports::printDirect(document); };
    setObjectName(QStringLiteral("TfrmPrepararBoleto"));
    setWindowTitle(QStringLiteral("Imprimir o Boleto com Modelo Próprio"));

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setMinimumSize(200, 70);
    m_picture->setAlignment(Qt::AlignCenter);
    m_print = new QPushButton(QStringLiteral("&Imprimir"), this);
    m_print->setObjectName(QStringLiteral("cmdImprimir"));
    m_print->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    connect(m_print, &QPushButton::clicked, this, &TfrmPrepararBoleto::cmdImprimirClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_print);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_picture, 1);
    layout->addLayout(buttons);
    setFixedHeight(154);
    resize(380, 154);
}

void TfrmPrepararBoleto::cmdImprimirClick()
{
    m_print->setEnabled(false);
    core::RunProgressDialog progress(this);
    try {
        const QList<billing::SlipRow> rows = billing::selectSlipRows(m_db, m_choices);
        // The picture follows the barcodes as they are drawn.
        for (const billing::SlipRow &row : rows) {
            m_picture->setPixmap(
                QPixmap::fromImage(billing::drawCodabar(billing::slipNumber(row.matricula, row.parcelaData)).image));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        data::Settings settings = data::Settings::defaults(QString());
        data::loadSettings(m_db, settings);
        m_result = billing::runSlips(m_db, rows, billing::runTexts(m_choices), billing::SlipSchool::fromSettings(settings),
                                     progress, m_output);
    } catch (const data::StoreError &e) {
        progress.note(core::Severity::Error, e.message(), QString());
    }
    // Done or not, the dialog closes, as the billing window expects.
    accept();
}
