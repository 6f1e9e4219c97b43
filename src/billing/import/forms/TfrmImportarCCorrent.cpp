#include "billing/import/forms/TfrmImportarCCorrent.h"

#include "billing/import/ChargeImport.h"
#include "core/Dialogs.h"
#include "core/forms/RunProgressDialog.h"
#include "data/forms/ExternalTablePreview.h"
#include "data/store/Dataset.h"
#include "data/store/ExternalTable.h"
#include "data/store/StoreError.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmImportarCCorrent::TfrmImportarCCorrent(const data::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("TfrmImportarCCorrent"));
    setWindowTitle(QStringLiteral("Importar Valores para tabela de Controle de Pagamento"));
    m_preview = new ExternalTablePreview(this);
    m_bankOnly = new QCheckBox(QStringLiteral("Leia apenas os campos Matricula e Nosso Nº (se for do Banco do Brasil)"), this);
    m_bankOnly->setObjectName(QStringLiteral("chkBanco"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_read = new QLabel(QStringLiteral("Lendo..."), this);
    m_read->setObjectName(QStringLiteral("lblLendo"));
    m_written = new QLabel(billing::writtenCounterText(0), this);
    m_written->setObjectName(QStringLiteral("lblGravados"));
    for (QWidget *w : std::initializer_list<QWidget *>{m_bar, m_read, m_written})
        w->hide();

    auto *buttons = new QDialogButtonBox(this);
    m_find = buttons->addButton(QStringLiteral("&Procurar"), QDialogButtonBox::ActionRole);
    m_find->setObjectName(QStringLiteral("cmdProcurar"));
    // A year on a server reads another year's charges from the server, not from a file.
    if (m_db.isServerYear()) {
        m_server = buttons->addButton(QStringLiteral("Ano no &Servidor..."), QDialogButtonBox::ActionRole);
        m_server->setObjectName(QStringLiteral("cmdServidor"));
        connect(m_server, &QPushButton::clicked, this, [this] {
            const QString address = data::askServerYearAddress(m_db);
            if (!address.isEmpty())
                showSource(address);
        });
    }
    m_start = buttons->addButton(QStringLiteral("&Iniciar"), QDialogButtonBox::ActionRole);
    m_start->setObjectName(QStringLiteral("cmdIniciar"));
    m_start->setEnabled(false);
    m_close = buttons->addButton(QStringLiteral("&Fechar"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("cmdFechar"));
    connect(m_find, &QPushButton::clicked, this, &TfrmImportarCCorrent::cmdProcurarClick);
    connect(m_start, &QPushButton::clicked, this, &TfrmImportarCCorrent::cmdIniciarClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    auto *counters = new QHBoxLayout;
    counters->addWidget(m_read);
    counters->addWidget(m_written);
    counters->addWidget(m_bar, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_bankOnly);
    layout->addLayout(counters);
    layout->addWidget(buttons);
    resize(760, 480);
}

bool TfrmImportarCCorrent::showSource(const QString &path)
{
    m_preview->clear();
    m_start->setEnabled(false);
    try {
        m_preview->showTable(data::openExternalTable(path, QStringLiteral("Ccorrent")), billing::kImportCheckNotice);
    } catch (const data::StoreError &) {
        core::showError(billing::kImportOpenError);
        return false;
    }
    m_start->setEnabled(true);
    return true;
}

void TfrmImportarCCorrent::cmdProcurarClick()
{
    const QString path = data::askExternalTableFile();
    if (!path.isEmpty())
        showSource(path);
}

void TfrmImportarCCorrent::cmdIniciarClick()
{
    if (!m_preview->source())
        return;
    for (QPushButton *b : {m_find, m_start, m_close, m_server})
        if (b)
            b->setEnabled(false);
    m_read->setText(QStringLiteral("Lendo..."));
    m_written->setText(billing::writtenCounterText(0));
    m_bar->setValue(0);
    for (QWidget *w : std::initializer_list<QWidget *>{m_bar, m_read, m_written})
        w->show();
    m_preview->detachGrid();
    core::RunProgressDialog progress(this);
    billing::importCharges(m_db, *m_preview->source(), m_bankOnly->isChecked(), progress,
                           [this](const billing::ChargeImportResult &counts) {
                               m_read->setText(billing::readCounterText(counts.read, counts.total));
                               m_written->setText(billing::writtenCounterText(counts.written));
                               m_bar->setValue(counts.total > 0 ? counts.read * 100 / counts.total : 100);
                           });
    m_preview->clear();
    accept();
}
