#include "reports/letters/BirthdayLists.h"

#include "reports/engine/Layout.h"
#include "reports/cards/CardHeading.h"
#include "reports/letters/LetterParams.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "core/Shell.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"
#include "data/store/SqlDialect.h"

namespace reports {

namespace {

constexpr Tenths kCaptionTop = 250;
constexpr Tenths kRowHeight = 48;

struct Column
{
    QString caption;
    QString field;
    QRect rect;
};

Report listReport(const QString &title, const SchoolInfo &school, const QList<Column> &columns)
{
    Report report;
    report.title = title;
    addListingHeader(report, title);
    Band &header = report.pageHeader;
    for (const Column &column : columns)
        header.label(column.caption, column.rect.translated(0, kCaptionTop)).withFont(font(9, true));
    header.line({0, kCaptionTop + 55, report.page.contentWidth(), 0});
    header.height = kCaptionTop + 70;
    report.detail.height = kRowHeight;
    for (const Column &column : columns)
        report.detail.field(column.field, column.rect).sized(9);
    addFooterLine(report, school.footer);
    return report;
}

QString monthUpper(int month)
{
    return core::monthName(month, core::LetterCase::Upper);
}

} // namespace

QString birthdayTitle(int month)
{
    return QStringLiteral("ANIVERSARIANTES DO MÊS DE ") + monthUpper(month);
}

QString birthdayFileName(int month)
{
    return QStringLiteral("Alunos Aniversariantes em ") + core::monthName(month, core::LetterCase::Capitalised) +
           QStringLiteral(".csv");
}

core::SemicolonTable studentBirthdays(const data::Database &db, const BirthdayChoice &choice)
{
    const data::SqlDialect &sql = db.dialect();
    const QString day = sql.day(QStringLiteral("DATANASC"));
    QString statement = QStringLiteral("select SIT, MATRICULA, NOME, %1 as DIA, TURMA from ALUNOS "
                                       "where (%2 = :mes) and ((SIT <> 'D') and (SIT <> 'T') or (SIT is null))")
                            .arg(day, sql.month(QStringLiteral("DATANASC")));
    if (!choice.classCode.isEmpty())
        statement += QStringLiteral(" and (TURMA = :turma)");
    if (choice.day > 0)
        statement += QStringLiteral(" and (%1 = :dia)").arg(day);
    statement += QStringLiteral(" order by TURMA, DIA, NOME, MATRICULA");
    data::Query query(db);
    query.setSql(statement);
    query.bind(QStringLiteral("mes"), choice.month);
    if (!choice.classCode.isEmpty())
        query.bind(QStringLiteral("turma"), choice.classCode);
    if (choice.day > 0)
        query.bind(QStringLiteral("dia"), choice.day);
    query.open();

    core::SemicolonTable table{birthdayTitle(choice.month),
                               {QStringLiteral("SIT"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                                QStringLiteral("DIA"), QStringLiteral("TURMA")},
                               {}};
    for (query.first(); !query.eof(); query.next()) {
        table.rows.append({query.asText("SIT"), enrolmentText(query.value(QStringLiteral("MATRICULA"))),
                           query.asText("NOME"), QString::number(query.value(QStringLiteral("DIA")).toInt()),
                           query.asText("TURMA")});
    }
    return table;
}

Document birthdayList(const data::Database &db, const SchoolInfo &school, const BirthdayChoice &choice)
{
    const core::SemicolonTable table = studentBirthdays(db, choice);
    Report report = listReport(table.title, school,
                               {{QStringLiteral("Dia"), QStringLiteral("DIA"), {100, 0, 120, 45}},
                                {QStringLiteral("Matrícula"), QStringLiteral("MATRICULA"), {300, 0, 250, 45}},
                                {QStringLiteral("Nome do Aluno"), QStringLiteral("NOME"), {600, 0, 1100, 45}},
                                {QStringLiteral("Sit."), QStringLiteral("SIT"), {1750, 0, 150, 45}}});
    if (choice.day > 0) {
        report.pageHeader.label(QStringLiteral("Apenas para o dia %1").arg(choice.day), {280, 150, 1340, 45})
            .aligned(Align::Center)
            .sized(9);
    }
    Group &group = report.addGroup(QStringLiteral("TURMA"));
    group.header.height = 80;
    QHash<QString, QString> descriptions;
    for (const QStringList &row : table.rows)
        descriptions.insert(row.at(4), classDescription(db, row.at(4)));
    group.header.label(QString(), {0, 20, 1800, 50})
        .withFont(font(10, true))
        .onPrint([descriptions](ElementLook &look, const PrintContext &context) {
            const QString code = context.value(QStringLiteral("TURMA")).toString();
            look.text = QStringLiteral("TURMA: ") + code + QStringLiteral(" - ") + descriptions.value(code);
        });

    RecordList rows(table.fieldNames);
    for (const QStringList &row : table.rows)
        rows.append({row.at(0), row.at(1), row.at(2), row.at(3), row.at(4)});
    return layout(report, rows);
}

Document staffBirthdayList(const data::Database &db, const SchoolInfo &school, int month)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    data::Query query(db);
    query.setSql(QStringLiteral("select DATANASC, MATRICULA, NOME, FUNCAO from Funcionarios where (%1 = :mes) "
                                "order by %2, NOME, MATRICULA")
                     .arg(db.dialect().month(QStringLiteral("DATANASC")), db.dialect().day(QStringLiteral("DATANASC"))));
    query.bind(QStringLiteral("mes"), month);
    query.open();
    RecordList rows({QStringLiteral("DIA"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"), QStringLiteral("FUNCAO")});
    for (query.first(); !query.eof(); query.next()) {
        // The day is the first two characters of the birth date as printed.
        rows.append({core::formatDate(query.asDate("DATANASC")).left(2), enrolmentText(query.value(QStringLiteral("MATRICULA"))),
                     query.asText("NOME"), query.asText("FUNCAO")});
    }
    const QString title = settings.Termo_Func.trimmed().toUpper() + QStringLiteral(" ANIVERSARIANTES DO MÊS DE ") +
                          monthUpper(month);
    const Report report = listReport(title, school,
                                     {{QStringLiteral("Dia"), QStringLiteral("DIA"), {100, 0, 120, 45}},
                                      {QStringLiteral("Matrícula"), QStringLiteral("MATRICULA"), {300, 0, 250, 45}},
                                      {QStringLiteral("Nome"), QStringLiteral("NOME"), {600, 0, 850, 45}},
                                      {QStringLiteral("Função"), QStringLiteral("FUNCAO"), {1500, 0, 400, 45}}});
    return layout(report, rows);
}

QList<ReportEntry> birthdayEntries()
{
    // The day list takes today's day unless another is asked for.
    const auto builder = [](bool dayList) {
        return [dayList](const ReportInput &input) {
        BirthdayChoice choice{input.values.text(QStringLiteral("class")), input.values.month(QStringLiteral("month")),
                              int(input.values.integer(QStringLiteral("day")))};
        if (dayList && choice.day == 0)
            choice.day = core::today().day();
        if (choice.day < 0 || choice.day > 31)
            throw ReportParamError(QStringLiteral("Dia inválido: %1.").arg(choice.day));
        if (input.values.flag(QStringLiteral("export"))) {
            QString error;
            if (!core::exportSemicolon(birthdayFileName(choice.month), studentBirthdays(input.db, choice), &error))
                throw data::StoreError(QStringLiteral("Não foi possível gravar o arquivo %1:\r%2")
                                           .arg(birthdayFileName(choice.month), error));
        }
        return birthdayList(input.db, input.school, choice);
        };
    };
    ReportEntry month;
    month.name = QStringLiteral("aniversariantes");
    month.menuEntry = QStringLiteral("mnuAniversariantesMes");
    month.params = {classParam(),
                    {QStringLiteral("month"), QStringLiteral("Com Aniversário no Mês de "), ParamKind::Month},
                    {QStringLiteral("day"), QStringLiteral("Apenas para o dia (0: o mês todo)"), ParamKind::Integer,
                     QStringLiteral("0")},
                    {QStringLiteral("export"), QStringLiteral("Exportar para MS Excel"), ParamKind::Flag}};
    month.dialogCaption = QStringLiteral("Defina a Turma ");
    month.askAgain = true;
    month.build = builder(false);

    ReportEntry day = month;
    day.name = QStringLiteral("aniversariantes-dia");
    day.menuEntry = QStringLiteral("mnuAniversariantesDia");
    day.params[2].label = QStringLiteral("Dia = (0: hoje)");
    day.build = builder(true);

    ReportEntry staff;
    staff.name = QStringLiteral("aniversariantes-funcionarios");
    staff.menuEntry = QStringLiteral("mnuFuncAniversariantes");
    staff.params = {{QStringLiteral("month"), QStringLiteral("Mês"), ParamKind::Month}};
    staff.askAgain = true;
    staff.build = [](const ReportInput &input) {
        return staffBirthdayList(input.db, input.school, input.values.month(QStringLiteral("month")));
    };
    return {month, day, staff};
}

} // namespace reports
