#pragma once

#include "reports/sheets/AtaRows.h"

#include "data/store/Database.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPlainTextEdit;

namespace exporting {

// "Gerando Arquivo Texto": builds the minutes' text lines into a read-only preview, then
// "&Salvar" asks for the file name in the program directory, writes it, has the shell open it
// and closes; "&Fechar" closes without writing. A failure while building or saving is shown
// and nothing is written.
class TfrmGerarArquivo : public QDialog
{
    Q_OBJECT

public:
    TfrmGerarArquivo(const data::Database &db, const reports::AtaSelection &selection,
                     const QString &classListText, QWidget *parent = nullptr);

    // Builds the preview; false (with the message shown) when the rows cannot be read.
    bool build();

private:
    void cmdSalvarClick();

    data::Database m_db;
    reports::AtaSelection m_selection;
    QStringList m_lines;
    QLineEdit *m_fileName = nullptr;
    QPlainTextEdit *m_preview = nullptr;
};

// Gives the minutes ("ata") and the general grade sheets ("medias-geral", "medias-graficos")
// their own dialogs, whose "&Gerar Arquivo" opens this window.
void installAtaDialogs();

} // namespace exporting
