#include "students/StudentSearch.h"

#include "data/store/Dataset.h"

namespace students {

QString searchKey(const QString &text)
{
    QString folded;
    const QString decomposed = text.simplified().normalized(QString::NormalizationForm_D);
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c.toLower();
    }
    return folded;
}

int findStudent(const data::Dataset &alunos, const QString &typed, int after)
{
    const QString key = searchKey(typed);
    const int rows = alunos.recordCount();
    if (key.isEmpty() || rows == 0)
        return -1;
    bool digits = true;
    for (const QChar c : key)
        digits = digits && c.isDigit();
    const int field = alunos.fieldIndex(digits ? "MATRICULA" : "NOME");
    if (field < 0)
        return -1;
    for (int step = 1; step <= rows; ++step) {
        const int position = (after + step) % rows;
        const QString value = digits ? alunos.displayTextAt(position, field) : searchKey(alunos.valueAt(position, field).toString());
        if (value.contains(key))
            return position;
    }
    return -1;
}

} // namespace students
