#pragma once

#include <QDate>
#include <QString>

// The cell and result rules of the minutes of final results ("Ata de Resultados Finais"), shared
// by the printed minutes and by their text export.
namespace reports {

struct AtaMarks
{
    double unit = 7;        // Uni_Media
    double final = 6;       // Ger_Media
    int dependencyLimit = 2; // Limite_Dep: failed subjects still allowed to pass on
};

struct AtaCell
{
    QString text;
    bool red = false;
    bool failed = false; // one more failed ordinary subject
};

// The printed cell of a subject: `value` is the average with one decimal, `kind` the subject's
// kind ("N" ordinary, "C" concept), `passMark` the mark below which a value is failing.
// Codes above 10 print as letters (90 "D", others "F"), concept subjects as "A", "B" or "C",
// 0 as "--".
AtaCell printedCell(double value, const QString &kind, double passMark, const AtaMarks &marks);

// The cell of the text export, from MD_RECUP: a failing ordinary subject keeps its number and
// counts as failed; a failing concept subject prints its concept; every other value its number
// (decimal comma).
AtaCell exportedCell(double value, const QString &kind, const AtaMarks &marks);

// The three result texts of the minutes' dialog.
struct AtaResultTexts
{
    QString approved = QStringLiteral("APROVADO");
    QString progression = QStringLiteral("PROG. PARCIAL");
    QString failed = QStringLiteral("REPROVADO");
};

// No failed subject: approved; more than the dependency limit: failed; else progression.
QString resultText(int failedSubjects, int dependencyLimit, const AtaResultTexts &texts);

// "TRANSF - dd/mm/aaaa" for a transferred student, "DESISTENTE - dd/mm/aaaa" for one who dropped
// out; empty for anyone else.
QString leaverResult(const QString &situation, const QDate &situationDate);

// The value rounded to one decimal, as the cells compare it.
double oneDecimal(double value);

} // namespace reports
