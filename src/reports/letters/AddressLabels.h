#pragma once

#include "reports/ReportRegistry.h"
#include "reports/engine/Style.h"
#include "reports/sheets/SituationFilter.h"

#include <QRect>
#include <optional>

// Address labels of students on A4 sheets of ready-cut labels: 3 columns of 63,5 x 38,1 mm
// (21 a sheet) or 2 columns of 99,1 x 38,1 mm (14 a sheet), the common A4 label formats.
namespace reports {

// "Configurar Etiquetas".
struct LabelSettings
{
    int columns = 3;        // "Colunas": 2 or 3
    int extraMarginMm = 0;  // "Aumentar a margem esquerda em (mm)"
    int spacingMm = 0;      // "Alterar o espaço entre etiquetas (mm)": added below each label
    bool border = false;    // "Imprima Borda em cada etiqueta"
};

// Where the labels fall on the sheet, in tenths of a millimetre.
struct LabelSheet
{
    int columns = 3;
    int rows = 7;          // labels in a column that fit on one sheet
    QRect first;           // the top-left label
    Tenths columnPitch = 0; // from one label's left edge to the next one's
    Tenths rowPitch = 0;    // from one label's top edge to the next one's below
};

// The column count is checked first: std::nullopt for anything but 2 or 3 columns, or a margin
// or spacing that would push the labels off the sheet.
std::optional<LabelSheet> labelSheet(const LabelSettings &settings);

// Light grey of the label borders: 12632256, the same in RGB and BGR order.
inline constexpr unsigned kLabelBorderColour = 0xC0C0C0;

// The students a sheet takes: a situation of "Defina a Turma  e a Situação", optionally born in
// one month.
struct LabelSelection
{
    SituationChoice situation = SituationChoice::Active;
    QString situationCode; // for SituationChoice::Equal
    QString classCode;     // empty: every class
    int birthMonth = 0;    // 0: any
};

// "--situation": "ativos", "todos", "desistentes", "transferidos", "desconto", "bolsistas", or
// a situation code of one or two letters ("Situação igual a"). False for anything else.
bool parseSituation(const QString &text, LabelSelection &selection);
// The word parseSituation() reads back for a choice (the code itself for Equal).
QString situationWord(SituationChoice choice, const QString &code);

// One label per student, ordered by class and name (by class, day and name for a birth month).
// Throws StoreError when the students cannot be read.
Document addressLabels(const data::Database &db, const LabelSelection &selection, const LabelSettings &settings);

// The settings kept in a report's answers ("columns", "margin", "spacing", "border") and back.
QList<ReportParam> labelSettingParams();
LabelSettings labelSettings(const ReportValues &values);
void setLabelSettings(ReportValues &values, const LabelSettings &settings, const data::Database &db);

// "etiquetas" ("A&lunos com Situação Específica") and "etiquetas-aniversariantes"
// ("&Aniversariantes do Mês" under the labels), one builder for both.
QList<ReportEntry> labelEntries();

} // namespace reports
