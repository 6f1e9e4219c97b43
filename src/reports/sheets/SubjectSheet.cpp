#include "reports/sheets/SubjectSheet.h"

#include "reports/cards/CardChoices.h"
#include "reports/cards/CardRows.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/MarkField.h"
#include "reports/sheets/ResultRows.h"

#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

namespace reports {

namespace {

// Left edges on landscape A4, tenths of a millimetre.
constexpr Tenths kNameX = 240;
constexpr Tenths kFirstUnitX = 1100;
constexpr Tenths kUnitPitch = 220;
constexpr Tenths kAbsenceWidth = 80;
constexpr Tenths kCellWidth = 120;
constexpr Tenths kPointsX = 2000;
constexpr Tenths kColumnPitch = 130;

void addCaption(Band &band, const QString &text, Tenths x, Tenths y, Tenths width, Align align = Align::Right)
{
    band.label(text, {x, y, width, 45}).aligned(align).withFont(font(8, true));
}

} // namespace

QList<ReportParam> subjectParams()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Defina a Turma "), ParamKind::Choice};
    schoolClass.choicesFrom = classEntries;
    ReportParam subject{QStringLiteral("subject"), QStringLiteral("Defina a Disciplina "), ParamKind::Choice};
    subject.choicesFrom = subjectEntries;
    return {schoolClass, subject,
            {QStringLiteral("keep-leavers"), QStringLiteral("Imprimir Desistentes / Transferidos"), ParamKind::Flag,
             QStringLiteral("N")}};
}

SubjectSelection subjectSelection(const ReportValues &values)
{
    SubjectSelection selection{values.text(QStringLiteral("class")), values.text(QStringLiteral("subject")),
                               !values.flag(QStringLiteral("keep-leavers"))};
    if (selection.classCode.isEmpty() || selection.subject.isEmpty())
        throw ReportParamError(QStringLiteral("Escolha a Turma e a Disciplina."));
    return selection;
}

QString pointsText(const double (&units)[4])
{
    const double points = units[0] + units[1] + units[2] + units[3];
    return points > 100 ? QStringLiteral("---") : core::formatNumber(points, QStringLiteral("0.0"));
}

Document subjectSheet(const data::Database &db, const SchoolInfo &school, const SubjectSelection &selection)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const PassMarks passMarks{settings.unitPassMark, settings.finalPassMark};

    Report report;
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths width = report.page.contentWidth();

    RecordList rows({QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("LEAVER"),
                     QStringLiteral("PENDING"), QStringLiteral("TIPO"), QStringLiteral("FLT1"), QStringLiteral("UND1"),
                     QStringLiteral("FLT2"), QStringLiteral("UND2"), QStringLiteral("FLT3"), QStringLiteral("UND3"),
                     QStringLiteral("FLT4"), QStringLiteral("UND4"), QStringLiteral("PONTOS"),
                     QStringLiteral("MD_ANUAL"), QStringLiteral("FALTAS"), QStringLiteral("PFINAL"),
                     QStringLiteral("MD_FINAL")});
    CardOptions options;
    options.scope = CardScope::OneClass;
    options.classCode = selection.classCode;
    options.skipLeavers = selection.skipLeavers;
    QString subjectName = selection.subject;
    const std::unique_ptr<data::Query> marks = openCardRows(db, CardMember::FourUnits, options);
    for (marks->first(); !marks->eof(); marks->next()) {
        if (marks->value(QStringLiteral("DISC")).toString() != selection.subject)
            continue;
        subjectName = marks->value(QStringLiteral("discpl_desc")).toString();
        const auto value = [&marks](const char *field) { return marks->value(QString::fromLatin1(field)); };
        const double units[4] = {value("UND1").toDouble(), value("UND2").toDouble(), value("UND3").toDouble(),
                                 value("UND4").toDouble()};
        const QString situation = value("SIT").toString().trimmed();
        rows.append({value("MATRICULA"), value("NOME"), situation == QLatin1String("T") || situation == QLatin1String("D"),
                     value("TURMA").toString() != value("TurmaNota").toString(), value("TIPO"), value("FLT1"),
                     value("UND1"), value("FLT2"), value("UND2"), value("FLT3"), value("UND3"), value("FLT4"),
                     value("UND4"), pointsText(units), value("MD_ANUAL"), value("FALTAS"), value("PFINAL"),
                     value("MD_FINAL")});
    }
    report.title = QStringLiteral("BOLETIM: ") + subjectName;
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);

    Band &header = report.pageHeader;
    const Tenths top = header.height;
    header.height = top + 160;
    header.label(QStringLiteral("TURMA: ") + selection.classCode, {0, top + 10, 1000, 50}).withFont(font(10, true));
    const Tenths captionY = top + 110;
    addCaption(header, QStringLiteral("Matrícula"), 0, captionY, 140, Align::Left);
    addCaption(header, QStringLiteral("Nome do Aluno"), kNameX, captionY, 820, Align::Left);
    for (int unit = 0; unit < 4; ++unit) {
        const Tenths x = kFirstUnitX + kUnitPitch * unit;
        addCaption(header, QStringLiteral("%1ª Unid.").arg(unit + 1), x, captionY - 50, kAbsenceWidth + kCellWidth);
        addCaption(header, QStringLiteral("Flt"), x, captionY, kAbsenceWidth);
        addCaption(header, QStringLiteral("Nota"), x + kAbsenceWidth, captionY, kCellWidth);
    }
    const char *const tail[] = {"Pontos", "Média", "Faltas", "P.Final", "Md.Final"};
    for (int column = 0; column < 5; ++column)
        addCaption(header, QString::fromUtf8(tail[column]), kPointsX + kColumnPitch * column, captionY, kCellWidth);
    header.line({0, captionY + 48, width, 0}).pen(Qt::black, 2);

    Band &detail = report.detail;
    detail.height = 50;
    detail.field(QStringLiteral("MATRICULA"), {0, 0, 230, 45}).sized(9);
    detail.field(QStringLiteral("NOME"), {kNameX, 0, 820, 45})
        .sized(9)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            const bool pending = context.value(QStringLiteral("PENDING")).toBool();
            if (pending) {
                look.text += QStringLiteral(" (*)");
                look.font.underline = true;
            }
            look.color = context.value(QStringLiteral("LEAVER")).toBool() ? QColor(Qt::red) : QColor(Qt::black);
        });
    for (int unit = 0; unit < 4; ++unit) {
        const Tenths x = kFirstUnitX + kUnitPitch * unit;
        detail.field(QStringLiteral("FLT%1").arg(unit + 1), {x, 0, kAbsenceWidth, 45}).aligned(Align::Right).sized(9);
        addMarkField(detail, QStringLiteral("UND%1").arg(unit + 1), {x + kAbsenceWidth, 0, kCellWidth, 45}, MarkColumn::Unit,
                     passMarks);
    }
    detail.field(QStringLiteral("PONTOS"), {kPointsX, 0, kCellWidth, 45}).aligned(Align::Right).sized(9);
    addMarkField(detail, QStringLiteral("MD_ANUAL"), {kPointsX + kColumnPitch, 0, kCellWidth, 45}, MarkColumn::AnnualAverage, passMarks);
    detail.field(QStringLiteral("FALTAS"), {kPointsX + 2 * kColumnPitch, 0, kCellWidth, 45})
        .aligned(Align::Right)
        .sized(9);
    addMarkField(detail, QStringLiteral("PFINAL"), {kPointsX + 3 * kColumnPitch, 0, kCellWidth, 45}, MarkColumn::FinalExam, passMarks);
    addMarkField(detail, QStringLiteral("MD_FINAL"), {kPointsX + 4 * kColumnPitch, 0, kCellWidth, 45}, MarkColumn::FinalAverage, passMarks);

    Band &notes = report.summary;
    notes.height = 110;
    notes.label(QStringLiteral("*Nome do Aluno em Vermelho para Desistente ou Transferido"), {0, 20, width, 40}).sized(8);
    notes.label(QStringLiteral("(*) Regime de Dependência"), {0, 65, width, 40}).sized(8);
    return layout(report, rows);
}

ReportEntry subjectEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("medias-unidade");
    entry.menuEntry = QStringLiteral("mnuMediasUnidadeProf");
    entry.dialogCaption = QStringLiteral("Defina a Turma  e a Disciplina");
    entry.params = subjectParams();
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        return subjectSheet(input.db, input.school, subjectSelection(input.values));
    };
    return entry;
}

} // namespace reports
