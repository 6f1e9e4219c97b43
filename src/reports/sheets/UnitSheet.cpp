#include "reports/sheets/UnitSheet.h"

#include "reports/cards/CardChoices.h"
#include "reports/cards/UnitMarksCard.h"
#include "reports/engine/Layout.h"
#include "reports/sheets/AtaOptions.h"
#include "reports/sheets/MarkField.h"

#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

#include <algorithm>

namespace reports {

namespace {

constexpr Tenths kNameX = 240;
constexpr Tenths kFirstMarkX = 1100;
constexpr Tenths kPitch = 140;
constexpr Tenths kCellWidth = 120;

const char *const kFields[] = {"NOTA1", "NOTA2", "NOTA3", "NOTA4", "NOTA5", "PONTOS1", "MEDIA", "FALTAS", "RECUP",
                               "MD_FINAL"};
const char *const kCaptions[] = {"Nota 1", "Nota 2", "Nota 3", "Nota 4", "Nota 5", "Pontos", "Média", "Faltas",
                                 "Recup.", "Md.Final"};

} // namespace

QString unitSheetRefusal()
{
    return QStringLiteral("Esta operação só pode ser realizada\rpara uma das 4 unidades do período.\rTente novamente.");
}

QList<ReportParam> unitSheetParams()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Defina a Turma "), ParamKind::Choice};
    schoolClass.choicesFrom = classEntries;
    QList<ReportParam> params{schoolClass};
    for (ReportParam param : ataParams()) {
        if (param.name == QStringLiteral("unit")) {
            param.defaultValue = QStringLiteral("1");
            params.append(param);
        }
    }
    return params;
}

Document unitSheet(const data::Database &db, const SchoolInfo &school, const QString &classCode, int unit)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const PassMarks passMarks{settings.unitPassMark, settings.finalPassMark};

    const CardStatement statement = unitCardStatement({classCode, std::nullopt, unit});
    data::Query query(db);
    query.setSql(statement.sql);
    for (auto it = statement.params.constBegin(); it != statement.params.constEnd(); ++it)
        query.bind(it.key(), it.value());
    query.open();
    QStringList fields{QStringLiteral("DISC"), QStringLiteral("DISC_DESC"), QStringLiteral("MATRICULA"),
                       QStringLiteral("NOME"), QStringLiteral("TIPO")};
    for (const char *field : kFields)
        fields.append(QString::fromLatin1(field));
    QList<QVariantList> records;
    for (query.first(); !query.eof(); query.next()) {
        QVariantList record;
        for (const QString &field : fields)
            record.append(query.value(field == QLatin1String("DISC_DESC") ? QStringLiteral("discpl_desc") : field));
        records.append(record);
    }
    // The statement reads in name order; a stable sort by subject keeps it within each subject.
    std::stable_sort(records.begin(), records.end(),
                     [](const QVariantList &a, const QVariantList &b) { return a.at(0).toString() < b.at(0).toString(); });
    RecordList rows(fields);
    for (const QVariantList &record : records)
        rows.append(record);

    Report report;
    report.title = QStringLiteral("TODAS AS NOTAS DA %1ª UNIDADE - TURMA ").arg(unit) + classCode;
    report.page.paper = Paper::A4;
    report.page.orientation = QPageLayout::Landscape;
    const Tenths width = report.page.contentWidth();
    addListingHeader(report, report.title);
    addFooterLine(report, school.footer);

    // Each subject starts a page; its name and the captions head every page of it, so a class
    // longer than a page keeps them on the pages after the first.
    report.addGroup(QStringLiteral("DISC"), true);
    Band &header = report.pageHeader;
    const Tenths top = header.height;
    header.height = top + 130;
    header.field(QStringLiteral("DISC_DESC"), {0, top + 10, 1800, 50})
        .withFont(font(10, true))
        .onPrint([](ElementLook &look, const PrintContext &) { look.text = QStringLiteral("DISCIPLINA: ") + look.text; });
    header.label(QStringLiteral("Matrícula"), {0, top + 75, 230, 45}).withFont(font(8, true));
    header.label(QStringLiteral("Nome do Aluno"), {kNameX, top + 75, 820, 45}).withFont(font(8, true));
    for (int column = 0; column < 10; ++column) {
        header.label(QString::fromUtf8(kCaptions[column]), {kFirstMarkX + kPitch * column, top + 75, kCellWidth, 45})
            .aligned(Align::Right)
            .withFont(font(8, true));
    }
    header.line({0, top + 125, width, 0}).pen(Qt::black, 2);

    Band &detail = report.detail;
    detail.height = 50;
    detail.field(QStringLiteral("MATRICULA"), {0, 0, 230, 45}).sized(9);
    detail.field(QStringLiteral("NOME"), {kNameX, 0, 820, 45}).sized(9);
    for (int column = 0; column < 10; ++column) {
        const QString field = QString::fromLatin1(kFields[column]);
        const QRect rect(kFirstMarkX + kPitch * column, 0, kCellWidth, 45);
        if (field == QLatin1String("FALTAS") || field == QLatin1String("PONTOS1"))
            detail.field(field, rect).aligned(Align::Right).sized(9);
        else
            addMarkField(detail, field, rect, field == QLatin1String("RECUP") ? MarkColumn::Recovery : MarkColumn::Unit,
                         passMarks);
    }
    return layout(report, rows);
}

ReportEntry unitSheetEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("notas-unidade");
    entry.menuEntry = QStringLiteral("mnuNotasUnidadeProf");
    entry.dialogCaption = QStringLiteral("Defina a Turma  e a Disciplina");
    entry.params = unitSheetParams();
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        const QString classCode = input.values.text(QStringLiteral("class"));
        if (classCode.isEmpty())
            throw ReportParamError(unitCardRefusal());
        const AtaUnit unit = ataUnit(input.values.text(QStringLiteral("unit")));
        if (unit == AtaUnit::Year || unit == AtaUnit::Final)
            throw ReportParamError(unitSheetRefusal());
        return unitSheet(input.db, input.school, classCode, int(unit));
    };
    return entry;
}

} // namespace reports
