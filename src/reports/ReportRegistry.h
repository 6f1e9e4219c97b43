#pragma once

#include "reports/ReportValues.h"
#include "reports/SchoolHeader.h"
#include "reports/engine/Document.h"

#include "core/RunReporter.h"
#include "data/store/Database.h"

#include <QList>
#include <QString>
#include <functional>

// Every printed report of the program, described once. The main window's menu, the options
// dialog, "lumesco-cli report NAME [--param k=v]..." and "lumesco-cli report --help" all read
// the same entries, so a new report is one entry in its subsystem's list (tableListingReports()
// is the model) and one line in app::programReports() for a subsystem's first report.
namespace reports {

// What a report is laid out from.
struct ReportInput
{
    data::Database db; // the school year
    SchoolInfo school;
    ReportValues values; // the answers to the report's parameters
};

struct ReportEntry
{
    QString name;      // for the command line ("turmas")
    QString menuEntry; // objectName of its main-menu entry ("mnuTurmasMensalidade"); empty for a
                       // report printed from its module's window
    QList<ReportParam> params;
    QString dialogCaption; // caption of the options dialog ("Defina "); the menu caption by default
    // The options dialog comes back after every preview until it is cancelled.
    bool askAgain = false;
    // Runs once when the report's command starts, before its first dialog in the program and
    // before the build on the command line (the report cards refresh the class ranking this
    // way); returns false to end the command. Most reports have none.
    std::function<bool(const data::Database &db, core::RunReporter &reporter)> prepare;
    // Lays the report out. Throws StoreError when the data cannot be read.
    std::function<Document(const ReportInput &)> build;
};

class ReportRegistry
{
public:
    // Names and menu entries are unique; a second entry with either throws std::logic_error.
    void add(const ReportEntry &entry);
    void add(const QList<ReportEntry> &entries);

    const QList<ReportEntry> &entries() const { return m_entries; }
    // Null when there is none.
    const ReportEntry *find(const QString &name) const;
    const ReportEntry *forMenuEntry(const QString &objectName) const;
    QStringList names() const;

private:
    QList<ReportEntry> m_entries;
};

} // namespace reports
