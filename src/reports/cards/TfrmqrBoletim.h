#pragma once

#include "reports/SchoolHeader.h"
#include "reports/cards/CardMember.h"
#include "reports/cards/CardOptions.h"
#include "reports/cards/CardRules.h"
#include "reports/engine/DataSource.h"
#include "reports/engine/Document.h"
#include "reports/engine/Report.h"

#include <memory>

// The report-card family laid out: one page per student (the group on MATRICULA starts a new
// page), the marks of each subject in a grid of unit columns and the year's columns, the class
// positions, the general averages and the result line. The four members share the rules and
// differ in their header (school address, or personal data and photograph), the number of unit
// columns, the recovery columns of the two-unit cards and the way they total absences and word
// the result.
namespace reports {

struct CardContext
{
    CardOptions options;
    CardRules rules;
    SchoolInfo school;
    QString photosDir; // "<enrolment>.bmp" for the cards with photograph
};

class TfrmqrBoletim
{
public:
    TfrmqrBoletim(CardMember member, const CardContext &context);

    const Report &report() const { return m_report; }
    // Lays the cards out over rows of the card statement (CardRows.h), from the first row.
    Document print(DataSource &rows) const;

private:
    // A column of the marks grid, left to right.
    struct Column
    {
        enum class Kind { Mark, Absence, TotalAbsence };
        Kind kind = Kind::Mark;
        QString caption;
        QString field;
        MarkColumn markColumn = MarkColumn::Plain;
        int unit = 0; // 1..4 for a unit's columns; kAnnualUnit for the year's average column
        Tenths x = 0;
        Tenths width = 0;
    };

    void buildColumns();
    void buildHeader();
    void buildSchoolHeader(Band &band);
    void buildPersonalHeader(Band &band);
    void buildCaptions(Band &band, Tenths top);
    void buildPositions(Band &band, Tenths top);
    void buildDetail();
    void buildFooter();
    void addMarkCell(Band &band, const Column &column);
    void addAbsenceCell(Band &band, const Column &column);

    bool fourUnitCard() const { return m_member == CardMember::FourUnits; }
    const Column *columnFor(const QString &field) const;

    CardMember m_member;
    CardContext m_context;
    std::shared_ptr<CardState> m_state;
    QList<Column> m_columns;
    QList<QRect> m_gridBlocks; // the rectangles drawn around groups of columns
    Tenths m_subjectWidth = 0;
    Report m_report;
};

} // namespace reports
