#pragma once

#include "data/modules/TableRights.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace data {

class Dataset;
class LiveQuery;
class LookupCache;
class NetworkRefresh;
class StudentRules;
class Table;

// A master-detail relation between two datasets of the data modules. `byPrefix`: the detail
// follows the master's first characters by a filter (the subjects of a class's grade).
struct DatasetLink
{
    Dataset *master = nullptr;
    Dataset *detail = nullptr;
    QStringList masterFields;
    QStringList detailFields;
    bool byPrefix = false;
};

// One dataset of the academic data module as the module declares it. The one list of them,
// academicTables(), is what creating, closing, the rights and the network refresh all read.
struct AcademicTable
{
    QString objectName; // "tblAlunos"
    QString source;     // the file name ("Alunos.DB"), or the statement of a live query
    TableRight right;   // the right that opens it for writing
    bool liveQuery = false;
    bool settings = false; // the settings table: closed only when the backup asks for it
    // The network refresh: the place in its order (0: never re-read), the datasets that must
    // not be editing for it to be re-read (with `waitsForOpen`, they must also be open), and
    // whether its errors are only logged.
    int refreshOrder = 0;
    QStringList waitsFor;
    bool waitsForOpen = false;
    bool refreshErrorsIgnored = false;
};

// In the order a module button closes them, the settings table last.
const QList<AcademicTable> &academicTables();

// The academic data module: one dataset per table of the school year (two for ALUNOS and
// Ccorrent), the links between them and the row rules that keep dependent rows in step
// whichever form posts. It lives for the whole run and opens nothing itself: forms open the
// tables they need, after log-on has bound the database names.
//
// Every post is committed at once by the store, so the tables are always written through.
class TDataModule1 : public QObject
{
    Q_OBJECT

public:
    explicit TDataModule1(QObject *parent = nullptr);
    ~TDataModule1() override;

    Table &tblAlunos();    // the student register
    Table &tblAlunos2();   // the student of the current charge row of tblCCorrent
    Table &tblCCorrent();  // every charge row
    Table &tblCCorrent2(); // the charge rows of the current student of tblAlunos
    Table &tblHistoric();  // the health record of the current student
    Table &tblNotas();
    Table &tblNotasUni(int unit); // 1..4
    Table &tblDiscpl();
    Table &tblDiscTurma();
    Table &tblTabTurma();
    Table &tblFuncionarios();
    Table &tblDiscProf();
    Table &tblPosicao();
    Table &tblUsuario(); // the settings table
    LiveQuery &qryNotas(); // "select * from notas", for the grade screens

    // The academic tables a module form opens itself, in order (the settings table apart).
    QList<Dataset *> academicDatasets() const;
    // A dataset of academicTables() by its object name ("tblAlunos").
    Dataset &dataset(const QString &objectName) const;
    // The dataset of a table by name or file name ("Alunos.DB"): the first view of ALUNOS and
    // Ccorrent. Null when the module has no such table.
    Dataset *datasetForTable(const QString &tableOrFileName) const;
    QList<DatasetLink> links() const;

    // What a module button does before its form opens; the backup closes the settings too.
    void closeTables(bool includingSettings = false);
    // Log-on: every dataset closed, and read-only from now on unless the session holds the
    // right that goes with it.
    void applyRights(const core::Session &session);
    const QList<GuardedDataset> &guardedDatasets() const { return m_guarded; }

    // The 10-second re-reading of open tables for several workstations ("Ambiente de Rede").
    void setNetworkRefresh(bool on);
    bool networkRefresh() const;
    // Bulk dialogs hold the refresh while they run; calls nest.
    void pauseRefresh();
    void resumeRefresh();
    // One tick of the refresh: re-reads the open, idle datasets in their order and returns
    // the names of those re-read. Errors of the Ccorrent views are ignored; others throw.
    QStringList refreshOpenTables();
    NetworkRefresh &refresher();

    // The unit-row save of the grades, run before every post of NotasUni1 to NotasUni4.
    using UnitRowSave = std::function<void(Dataset &unitRow, int unit)>;
    void setUnitRowSave(UnitRowSave save);

    // Class and subject descriptions are read again on next use.
    void invalidateLookups();

signals:
    // The number of students left after a student was deleted.
    void studentCountChanged(int count);

private:
    Table &table(const QString &objectName) const;
    void addCalculatedFields();
    void attachUnitSave();
    void attachWriteThroughLookups();

    QHash<QString, Dataset *> m_datasets; // by object name
    QList<GuardedDataset> m_guarded;
    std::unique_ptr<LookupCache> m_classNames;
    std::unique_ptr<LookupCache> m_subjectNames;
    std::unique_ptr<StudentRules> m_studentRules;
    std::unique_ptr<NetworkRefresh> m_refresh;
    UnitRowSave m_unitRowSave;
};

} // namespace data
