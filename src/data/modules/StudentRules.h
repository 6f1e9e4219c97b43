#pragma once

#include "data/modules/RowTransaction.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace data {

class Dataset;
class StudentService;
class Table;

// The register's dataset events (the first ALUNOS view) over StudentService: a new student's
// due day, the name, class and situation carried into the charge and grade rows on every post,
// the roll number settled when the name or the class changed, and the deletion of a student
// with every dependent row. A post or deletion and everything it carries are one transaction.
class StudentRules
{
public:
    // `countChanged` receives the number of students after a deletion.
    StudentRules(Table &alunos, std::function<void(int)> countChanged);
    ~StudentRules();

private:
    void onNewRecord(Dataset &alunos);
    void beforeEdit(Dataset &alunos);
    void beforePost(Dataset &alunos);
    void afterPost(Dataset &alunos);
    void beforeDelete(Dataset &alunos);
    void afterDelete(Dataset &alunos);
    void writeFailed();

    StudentService service() const;
    // Runs one step of a rule; a failure becomes the error box `messagePrefix` + "Erro ao
    // executar: " + the statement, shown once the write is over. Returns false on failure.
    bool attempt(const QString &messagePrefix, const std::function<void()> &step);
    // The error boxes of the write, in order, now that it no longer holds the database.
    void showFailures();

    Table &m_alunos;
    std::function<void(int)> m_countChanged;
    QString m_oldName;
    QString m_oldClass;
    bool m_newRecord = false;
    bool m_changed = false; // the post renames or moves the student: the roll number is settled
    std::optional<int> m_rollNumber;
    QStringList m_failures;
    RowTransaction m_write;
};

} // namespace data
