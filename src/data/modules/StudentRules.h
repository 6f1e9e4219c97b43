#pragma once

#include "data/store/Database.h"

#include <QString>
#include <functional>
#include <memory>

namespace data {

class Dataset;
class Savepoint;

// The rules of the student register (the first ALUNOS view): a new student's due day, the
// student's name, class and situation carried into the charge and grade rows on every post,
// the roll number settled when the name or the class changed, and the deletion of a student
// with every dependent row.
class StudentRules
{
public:
    // `countChanged` receives the number of students after a deletion.
    StudentRules(Dataset &alunos, std::function<void(int)> countChanged);
    ~StudentRules();

private:
    void onNewRecord(Dataset &alunos);
    void beforeEdit(Dataset &alunos);
    void beforePost(Dataset &alunos);
    void afterPost(Dataset &alunos);
    void beforeDelete(Dataset &alunos);
    void afterDelete(Dataset &alunos);

    // Runs one statement; on failure shows `messagePrefix` + "Erro ao executar: " + the
    // statement (unless `quiet`) and returns false.
    bool run(const QString &sql, const SqlParams &params, const QString &messagePrefix,
             bool quiet = false);
    SqlParams carriedValues(const Dataset &alunos) const;
    void carryIntoCharges(const Dataset &alunos, const QString &messagePrefix, bool quiet);
    int nextRollNumber(const Dataset &alunos);

    Dataset &m_alunos;
    std::function<void(int)> m_countChanged;
    QString m_oldName;
    QString m_oldClass;
    bool m_newRecord = false;
    std::unique_ptr<Savepoint> m_deletion; // the student's rows go together or not at all
};

} // namespace data
