#include "cashbook/forms/TfrmExportarTabelas.h"

#include "cashbook/forms/TfrmPeriodoImpressao.h"
#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/SemicolonExport.h"
#include "data/settings/SettingsStore.h"
#include "data/store/DatasetModel.h"
#include "data/bulk/DatasetRows.h"
#include "data/store/Query.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace cashbook {

TfrmExportarTabelas::TfrmExportarTabelas(QWidget *parent)
    : QDialog(parent),
      m_rows(new data::Query(QString::fromLatin1(data::kMainDatabaseName), this))
{
    setObjectName(QStringLiteral("frmExportarTabelas"));
    setWindowTitle(QStringLiteral("Exportar Tabelas para formato Texto"));

    auto *prompt = new QLabel(QStringLiteral("Defina o relatório que deseja exportar:"), this);
    prompt->setObjectName(QStringLiteral("lblDefina"));
    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("lstRelatorios"));
    for (ExportEntry entry : exportEntries())
        m_entries->addItem(exportEntryText(entry));
    m_entries->setMaximumHeight(m_entries->sizeHintForRow(0) * 4 + 2 * m_entries->frameWidth() + 4);

    m_model = new data::DatasetModel(m_rows, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);

    m_export = new QPushButton(QStringLiteral("&Exportar"), this);
    m_export->setObjectName(QStringLiteral("cmdExportar"));
    m_export->setToolTip(QStringLiteral("Exportar para Planilha"));
    m_export->setEnabled(false);
    m_export->setAutoDefault(false);
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("cmdFechar"));
    close->setAutoDefault(false);

    connect(m_entries, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            chooseEntry(exportEntries().at(row));
    });
    connect(m_export, &QPushButton::clicked, this, &TfrmExportarTabelas::exportRows);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_entries);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(760, 520);

    load(selectInitialRows);
}

TfrmExportarTabelas::~TfrmExportarTabelas() = default;

bool TfrmExportarTabelas::load(const std::function<void(data::Query &)> &select)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool loaded = false;
    try {
        m_rows->close();
        select(*m_rows);
        if (!m_rows->sql().isEmpty()) {
            m_rows->open();
            applyExportFormats(*m_rows);
            loaded = true;
        }
    } catch (const data::StoreError &error) {
        m_rows->close();
        QApplication::restoreOverrideCursor();
        core::showError(error.message());
        return false;
    }
    QApplication::restoreOverrideCursor();
    m_grid->resizeColumnsToContents();
    return loaded;
}

bool TfrmExportarTabelas::chooseEntry(ExportEntry entry)
{
    m_entry = entry;
    {
        const QSignalBlocker quiet(m_entries);
        m_entries->setCurrentRow(int(exportEntries().indexOf(entry)));
    }
    Period period;
    if (asksForPeriod(entry)) {
        const QDate today = core::today();
        TfrmPeriodoImpressao dialog(PeriodMode::Exportacao, {QDate(today.year(), today.month(), 1), today}, this);
        if (dialog.exec() != QDialog::Accepted) {
            load([](data::Query &query) { query.setSql(QString()); });
            m_export->setEnabled(false);
            return false;
        }
        period = dialog.period();
    }
    const bool loaded = load([entry, period](data::Query &query) { selectEntryRows(query, entry, period); });
    m_export->setEnabled(loaded);
    return loaded;
}

QString TfrmExportarTabelas::exportRows()
{
    if (!m_entry || !m_rows->isOpen())
        return {};
    const QString path = QDir::current().filePath(exportFileName(*m_entry));
    QString error;
    if (!core::exportSemicolon(path, data::semicolonRows(*m_rows), &error)) {
        core::showError(error);
        return {};
    }
    return path;
}

} // namespace cashbook
