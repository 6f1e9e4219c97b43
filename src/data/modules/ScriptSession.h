#pragma once

#include "core/Dialogs.h"
#include "data/store/Database.h"
#include "data/store/StoreError.h"
#include "data/users/LogOn.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Row edits without windows, for the command line: a log-on with a user's rights, and posts
// and deletions through the data modules' datasets, so every row rule runs as when a form
// posts.
namespace data {

class Dataset;
class TDataModule1;
class TdmTarnel;

// A field and a value as a person types it ("NOME=ANA", "DATANASC=05/03/2007").
struct FieldText
{
    QString field;
    QString text;
};

// Why a scripted change did not happen; nothing was written.
class ScriptRefusal : public StoreError
{
public:
    using StoreError::StoreError;
};

// Messages of a script go to standard error; questions get the one answer the script gave
// (Yes or OK with `yes`, else No or Cancel); error boxes are counted, since a script's change
// that ends in one is undone.
class ScriptDialogs : public core::ConsoleDialogs
{
public:
    explicit ScriptDialogs(bool yes) : m_yes(yes) {}
    core::Button show(const core::Message &message) override;
    int errorCount() const { return m_errors; }

private:
    bool m_yes;
    int m_errors = 0;
};

// A session opened for a script: the user is checked as at log-on (refused with the message
// the dialog shows), the data directory opened as the log-on does, with that user's rights.
// The school year is the one the directory's settings record, else the current year.
class ScriptSession
{
public:
    ScriptSession(const QString &usersDir, const QString &dataDir, const QString &userId,
                  const QString &password);
    ~ScriptSession();

    TDataModule1 &academic() { return *m_academic; }
    TdmTarnel &cashBook() { return *m_cashBook; }
    Database database() const;

    // The dataset of a table (first views of ALUNOS and Ccorrent) opened for a change, with
    // the datasets it follows placed on the rows that `given` names. Throws ScriptRefusal
    // for an unknown table or a master row that does not exist.
    Dataset &openTable(const QString &table, const QList<FieldText> &given);

private:
    void openWithMasters(Dataset &dataset, const QList<FieldText> &given);

    std::unique_ptr<TDataModule1> m_academic;
    std::unique_ptr<TdmTarnel> m_cashBook;
};

// Edits the one row whose `keys` match (appends a row when `keys` is empty), sets `values`
// and posts. Throws ScriptRefusal when the row is missing or not unique, a rule refuses the
// edit or the post, or a value does not fit its field; the change is then cancelled.
void postRow(Dataset &dataset, const QList<FieldText> &keys, const QList<FieldText> &values);
// Deletes the one row whose `keys` match. Throws ScriptRefusal as above.
void deleteRow(Dataset &dataset, const QList<FieldText> &keys);

// The current row as the semicolon export prints it: field names, then display texts.
QStringList fieldNames(const Dataset &dataset);
QStringList rowTexts(const Dataset &dataset);

} // namespace data
