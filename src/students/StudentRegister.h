#pragma once

#include "students/StudentFilters.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace data {
class Database;
class Query;
class Table;
class TDataModule1;
} // namespace data

// What the student register window does with the data, without a widget: the tables it opens
// and closes, the order and the filter, the student's grade rows and history row, the insert
// and edit state with its marks, the steps after a save, and the special list. The window
// binds its boxes to these datasets and calls these steps; messages go through the dialog
// service.
namespace students {

class StudentRegister : public QObject
{
    Q_OBJECT

public:
    explicit StudentRegister(data::TDataModule1 &academic, QObject *parent = nullptr);
    ~StudentRegister() override;

    // Opening: the student table without filter or order, then the subject, history,
    // current-account and class tables; the first student, "Alunos Ativos", "Turma/Nome".
    void open();
    // Closing: the student filter cleared and every table the register used closed.
    void close();

    data::Table &alunos();
    data::Table &historic();
    data::Table &charges(); // the current student's rows of the current account
    data::Query &grades();  // the current student's grade rows, with the subject's name
    data::Query &specialList();
    data::Database database() const;
    // False when the session's rights leave the student table read-only.
    bool isWritable() const;

    // "select turma from tabturma", for the class boxes.
    QStringList classCodes() const;

    void setSort(SortChoice choice);
    SortChoice sort() const { return m_sort; }
    // Filters the student table (the special list opens its query instead) and tells the
    // count; "A Turma" shows its warning.
    void setView(ViewChoice choice, const ViewParameters &parameters = {});
    ViewChoice view() const { return m_view; }
    // Students in view (the special list's when that is shown).
    int recordCount() const;

    // The current student changed: in browse state the grade rows are read again and a
    // history row is made for a student who has none.
    void studentChanged();
    // The photo file of the current student (may not exist).
    QString photoPath() const;

    // Insert and edit state. Each returns false when the table refused.
    bool insert();
    bool edit();
    // Typing into a health box: the student goes into editing with its history row (made
    // when missing). Refused while a new student is not saved yet: the row has no number.
    bool editHistory();
    // Saves the history row first, then the student through the data module's rules; then a
    // new student gets the grade rows of the class, a student moved to another class is told
    // about, and the count is told.
    bool post();
    void cancel();
    bool remove();
    // Moves with a pending change saved first, as the navigator does; false when the save
    // was refused (the cursor stays).
    enum class Move { First, Prior, Next, Last };
    bool move(Move move);
    bool moveTo(int position);

    // The class box entered and left while editing: a different class marks the record.
    void classEntered();
    void classLeft();
    bool isNewRecord() const { return m_newRecord; }
    bool classChanged() const { return m_classChanged; }

    // "Limpar a seleção dos marcados" and "Exportar para Planilha" (into the working folder).
    bool clearMarks();
    int exportMarked();

signals:
    void countChanged(int count);
    // The grade rows of the current student were read again.
    void gradesReloaded();
    // The grid shows the special list instead of the student table, or back.
    void specialListShown(bool shown);

private:
    void reloadGrades();
    void ensureHistoryRow();
    bool gradeHasSubjects(const QString &schoolClass) const;

    data::TDataModule1 &m_academic;
    std::unique_ptr<data::Query> m_grades;
    std::unique_ptr<data::Query> m_specialList;
    SortChoice m_sort = SortChoice::TurmaNome;
    ViewChoice m_view = ViewChoice::Ativos;
    bool m_newRecord = false;
    bool m_classChanged = false;
    QString m_rememberedClass;
    QString m_classAtEdit;
};

} // namespace students
