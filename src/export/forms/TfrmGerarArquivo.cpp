#include "export/forms/TfrmGerarArquivo.h"

#include "export/AtaExport.h"
#include "reports/forms/ReportRunner.h"
#include "reports/forms/TfrmAtaResultados.h"
#include "reports/forms/TfrmDefinirTurmaNotas.h"

#include "core/Clock.h"
#include "core/Dialogs.h"
#include "core/ProgramDirs.h"
#include "core/Shell.h"
#include "core/TextFile.h"
#include "data/store/StoreError.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace exporting {

namespace {

// The file holds every subject of the grade, whatever the dialog chose to print.
reports::AtaFileExport ataFileExport(const data::Database &db)
{
    return [db](const reports::AtaOptions &options, const QString &classListText, QWidget *owner) {
        TfrmGerarArquivo window(db, {options.classCode, options.skipLeavers, false}, classListText, owner);
        if (window.build())
            window.exec();
    };
}

} // namespace

TfrmGerarArquivo::TfrmGerarArquivo(const data::Database &db, const reports::AtaSelection &selection,
                                   const QString &classListText, QWidget *parent)
    : QDialog(parent), m_db(db), m_selection(selection)
{
    setObjectName(QStringLiteral("TfrmGerarArquivo"));
    setWindowTitle(QStringLiteral("Gerando Arquivo Texto"));
    resize(760, 480);
    auto *layout = new QVBoxLayout(this);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Nome do Arquivo"), this));
    m_fileName = new QLineEdit(ataExportFileName(classListText), this);
    m_fileName->setObjectName(QStringLiteral("edtArquivo"));
    m_fileName->setReadOnly(true);
    nameRow->addWidget(m_fileName);
    layout->addLayout(nameRow);
    m_preview = new QPlainTextEdit(this);
    m_preview->setObjectName(QStringLiteral("memArquivo"));
    m_preview->setReadOnly(true);
    m_preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(m_preview);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *save = new QPushButton(QStringLiteral("&Salvar"), this);
    save->setObjectName(QStringLiteral("cmdSalvar"));
    auto *close = new QPushButton(QStringLiteral("&Fechar"), this);
    close->setObjectName(QStringLiteral("cmdFechar"));
    buttons->addWidget(save);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TfrmGerarArquivo::cmdSalvarClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmGerarArquivo::build()
{
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_lines = ataExportLines(m_db, m_selection, core::today(), [] { QApplication::processEvents(); });
        QApplication::restoreOverrideCursor();
    } catch (const data::StoreError &e) {
        QApplication::restoreOverrideCursor();
        core::dialogs().show({e.message(), QStringLiteral("Erro"), core::Icon::Error, core::Button::Ok});
        return false;
    }
    m_preview->setPlainText(m_lines.join(QLatin1Char('\n')));
    return true;
}

void TfrmGerarArquivo::cmdSalvarClick()
{
    core::FileRequest request;
    request.caption = QStringLiteral("Salvar");
    request.directory = core::programDirs().program;
    request.fileName = m_fileName->text();
    request.filter = QStringLiteral("Arquivo Texto CSV (*.CSV);;Todos os Arquivos (*.*)");
    request.confirmOverwrite = false;
    QString path = core::dialogs().saveFile(request);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".CSV");
    if (QFileInfo::exists(path) &&
        core::dialogs().show({QStringLiteral("O arquivo %1 já existe. Substituir?").arg(QFileInfo(path).fileName()),
                              QStringLiteral("Confirmação"), core::Icon::Question,
                              core::Button::Yes | core::Button::No}) != core::Button::Yes) {
        return;
    }
    QString error;
    if (!core::writeTextLines(path, m_lines, &error)) {
        core::dialogs().show({QStringLiteral("Não foi possível gravar o arquivo %1:\r%2").arg(path, error),
                              QStringLiteral("Erro"), core::Icon::Error, core::Button::Ok});
        return;
    }
    core::shell().open(path);
    accept();
}

void installAtaDialogs()
{
    reports::setReportDialog(
        QStringLiteral("ata"),
        [](const reports::ReportEntry &, reports::ReportValues &values, const data::Database &db, QWidget *parent) {
            reports::TfrmAtaResultados dialog(db, reports::ataOptions(values), ataFileExport(db), parent);
            if (dialog.exec() != QDialog::Accepted)
                return false;
            reports::setAtaValues(values, dialog.options(), db);
            return true;
        });
    // The general grade sheets offer the same file for the classes chosen there.
    const reports::ReportDialog gradeSheetDialog = [](const reports::ReportEntry &, reports::ReportValues &values,
                                                      const data::Database &db, QWidget *parent) {
        reports::TfrmDefinirTurmaNotas dialog(db, values, ataFileExport(db), parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values = dialog.values();
        return true;
    };
    reports::setReportDialog(QStringLiteral("medias-geral"), gradeSheetDialog);
    reports::setReportDialog(QStringLiteral("medias-graficos"), gradeSheetDialog);
}

} // namespace exporting
