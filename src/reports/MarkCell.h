#pragma once

#include <QColor>
#include <QString>
#include <optional>

// How a printed mark or average looks on report cards, record sheets and teachers' sheets:
// below the pass mark it is red, in italics, between asterisks; codes above 10 print as
// letters (90 exemption "D", other codes absence "F"); concept subjects print a concept.
namespace reports {

// The column a cell belongs to decides its pass mark and its extras.
enum class MarkColumn {
    Unit,            // und1..und4: pass mark Uni_Media; 0 prints "0,0"; below sets the unit flag
    AnnualAverage,   // md_anual: Uni_Media
    FinalExam,       // pfinal: Uni_Media; 0 prints "--"
    FinalAverage,    // md_final: Ger_Media; "--" while pfinal is 0; counts failed subjects
    Recovery,        // recup: Uni_Media
    RecoveryAverage, // md_recup: Ger_Media; "--" while recup is 0; counts failed subjects
    Plain,           // any other mark against Uni_Media, without extras or side effects
};

struct PassMarks
{
    double unit = 7;  // Uni_Media
    double final = 6; // Ger_Media
};

struct MarkCellInput
{
    std::optional<double> value; // as stored; empty when no mark was typed
    MarkColumn column = MarkColumn::Plain;
    QString subjectType; // DISCPL.TIPO: "N" ordinary, "C" concept
    PassMarks passMarks;
    // The row's final-exam and recovery marks, for the final-average and recovery-average
    // extras; empty counts as 0, as it does on the stored row.
    std::optional<double> finalExam;
    std::optional<double> recovery;
};

struct MarkCell
{
    QString text;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    bool belowPass = false;    // below the column's pass mark
    bool setsUnitFlag = false; // a unit mark below the pass mark
    bool countsFailed = false; // one more failed subject for the student
};

double passMarkFor(MarkColumn column, const PassMarks &passMarks);

MarkCell markCell(const MarkCellInput &input);

} // namespace reports
