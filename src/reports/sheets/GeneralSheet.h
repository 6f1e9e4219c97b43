#pragma once

#include "reports/ReportRegistry.h"
#include "reports/sheets/AtaOptions.h"

// "Médias - Todas as Disciplinas (p/ Coordenação)": per class, one line per student with the
// chosen unit's mark (or the year's averages) of every subject of the grade and the outcome,
// drawn on the grid of the minutes on landscape A4. "Médias - Gráficos (p/ Coordenação)" is the
// same sheet with faces: only the failing marks show, as a sad face.
namespace reports {

struct GeneralSelection
{
    QString classCode; // empty: every class
    AtaUnit unit = AtaUnit::Final;
    bool onlyConsolidated = false; // only the subjects marked for the minutes
    bool skipLeavers = true;
    bool faces = false;
    QString flaggedText; // with faces: the result of a flagged (MARCADO) student, who gets no cells
};

// A cell of the sheet with faces. Wingdings is not installed here, so the sad face is DejaVu
// Sans' U+2639, drawn a few points larger than the marks.
struct FaceCell
{
    QString text;
    bool face = false;       // the sad face of a failing ordinary subject
    bool secondCall = false; // a missing mark (0, or a code other than 90): " / 2ª Chamada"
};

inline const QString kSadFace = QStringLiteral("\u2639");

// `value` with one decimal, `kind` "N" or "C"; a passing mark, or a failing concept, is empty.
FaceCell faceCell(double value, const QString &kind, double passMark);

// Where the general sheet's grid starts; the columns are those of the minutes.
struct GeneralGeometry
{
    static constexpr Tenths classLineY = 235; // "TURMA: ", under the listing's heading
    static constexpr Tenths headingsY = 400;
    // Under the headings and above the first row: at 555 the workloads would print over it.
    static constexpr Tenths workloadY = 445;
    static constexpr Tenths firstRowY = 495;
};

// class, unit (1..4, geral, final), only-consolidated and keep-leavers; with faces also
// flagged-text.
QList<ReportParam> generalParams(bool faces = false);

GeneralSelection generalSelection(const ReportValues &values);

// Throws StoreError when the rows cannot be read.
Document generalSheet(const data::Database &db, const SchoolInfo &school, const GeneralSelection &selection);

// "medias-geral", menu "Médias - Todas as Disciplinas (p/ Coordenação)", printed once.
ReportEntry generalEntry();

// "medias-graficos", menu "Médias - Gráficos (p/ Coordenação)", printed once.
ReportEntry facesEntry();

} // namespace reports
