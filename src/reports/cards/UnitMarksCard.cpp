#include "reports/cards/UnitMarksCard.h"

#include "reports/DatasetSource.h"
#include "reports/MarkCell.h"
#include "reports/cards/CardChoices.h"
#include "reports/cards/CardHeading.h"
#include "reports/cards/CardRules.h"
#include "reports/engine/Layout.h"

#include "core/Formats.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

namespace reports {

namespace {

constexpr Tenths kRowHeight = 50;

} // namespace

QString unitCardRefusal()
{
    return QStringLiteral("Esta versão não permite processar\reste relatório para todas as turmas\rde uma única "
                          "vez! Tente outra opção.");
}

CardStatement unitCardStatement(const UnitCardRequest &request)
{
    const QString u = QStringLiteral("NotasUni%1").arg(request.unit);
    CardStatement statement;
    statement.sql =
        QStringLiteral("select u.TURMA as TURMA, alunos.TURMA as TurmaNota, alunos.NOME, alunos.MATRICULA, alunos.SIT, "
                       "alunos.SEXO, alunos.DATASIT, alunos.OBSSIT, u.NOTA1, u.NOTA2, u.NOTA3, u.NOTA4, u.NOTA5, "
                       "u.RECUP, u.UNIDADE, u.PONTOS1, u.FALTAS, u.MEDIA, u.PONTOS2, u.MD_FINAL, u.DISC, "
                       "discpl.DESCRICAO as discpl_desc, discpl.TIPO, tabturma.DESCRICAO as turma_desc, "
                       "cast(discturm.Consolidada as integer) as Consolidada "
                       "from %1 u "
                       "inner join ALUNOS alunos on alunos.MATRICULA = u.MATRICULA "
                       "inner join DISCPL discpl on u.DISC = discpl.CODIGO "
                       "inner join Tabturma tabturma on u.TURMA = tabturma.TURMA "
                       "inner join Discturm discturm on discturm.CODIGO = u.DISC "
                       "and discturm.SERIE = substring(u.TURMA from 1 for 3) "
                       "where ((alunos.SIT <> 'D') and (alunos.SIT <> 'T') or (alunos.SIT is null)) ")
            .arg(u);
    if (request.student) {
        statement.sql += QStringLiteral("and (u.MATRICULA = :m) ");
        statement.params.insert(QStringLiteral("m"), double(*request.student));
    } else {
        statement.sql += QStringLiteral("and (u.TURMA = :t) ");
        statement.params.insert(QStringLiteral("t"), request.classCode);
    }
    statement.sql += QStringLiteral("and ((cast(discturm.Consolidada as integer) <> 1) or (discturm.Consolidada is null)) "
                                    "order by u.TURMA, alunos.NOME, u.MATRICULA, u.DISC");
    return statement;
}

Document unitMarksCard(const data::Database &db, const SchoolInfo &school, const UnitCardRequest &request)
{
    if (!request.student && request.classCode.isEmpty())
        throw ReportParamError(unitCardRefusal());
    data::Settings settings;
    data::loadSettings(db, settings);
    const CardRules rules = CardRules::fromSettings(settings);

    Report report;
    report.title = QStringLiteral("Notas da Unidade por Turma e Disciplina");
    report.page.paper = Paper::A4;
    const Tenths width = report.page.contentWidth();
    Band &header = report.pageHeader;
    header.height = addStudentHeading(
        header, school,
        QStringLiteral("BOLETIM COM TODAS AS NOTAS(") + rules.termUnit + u' ' + QString::number(request.unit) + u')',
        width, 13);

    struct Column
    {
        QString caption;
        QString field;
        bool mark; // a mark, printed by the mark-cell rule; else points or absences
        QString mask = QStringLiteral("0.0");
    };
    const QList<Column> columns{
        {QStringLiteral("1ª Nota"), QStringLiteral("NOTA1"), true},  {QStringLiteral("2ª Nota"), QStringLiteral("NOTA2"), true},
        {QStringLiteral("3ª Nota"), QStringLiteral("NOTA3"), true},  {QStringLiteral("4ª Nota"), QStringLiteral("NOTA4"), true},
        {QStringLiteral("5ª Nota"), QStringLiteral("NOTA5"), true},  {QStringLiteral("Pontos"), QStringLiteral("PONTOS1"), false},
        {QStringLiteral("Média"), QStringLiteral("MEDIA"), true},    {QStringLiteral("Faltas"), QStringLiteral("FALTAS"), false, QString()},
        {rules.termRecovery, QStringLiteral("RECUP"), true},         {QStringLiteral("Pontos"), QStringLiteral("PONTOS2"), false},
        {QStringLiteral("Md.Final"), QStringLiteral("MD_FINAL"), true}};
    const Tenths subjectWidth = 520;
    const Tenths columnWidth = (width - subjectWidth) / Tenths(columns.size());

    Group &student = report.addGroup(QStringLiteral("MATRICULA"), true);
    student.header.height = 80;
    student.header.label(QStringLiteral("Disciplinas"), {0, 20, subjectWidth, 45}).withFont(font(9, true));
    report.detail.height = kRowHeight;
    report.detail.field(QStringLiteral("discpl_desc"), {10, 5, subjectWidth - 10, kRowHeight - 5}).sized(8);
    const PassMarks passMarks = rules.passMarks;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Column column = columns.at(i);
        const QRect rect(subjectWidth + Tenths(i) * columnWidth, 0, columnWidth, kRowHeight);
        student.header.label(column.caption, rect.translated(0, 20).adjusted(0, 0, 0, -5))
            .aligned(Align::Center)
            .withFont(font(7, true));
        report.detail.frame(rect).pen(Qt::black, 1);
        Element &cell =
            report.detail.field(column.field, rect.adjusted(0, 5, 0, 0), column.mask).aligned(Align::Center).sized(8);
        if (!column.mark)
            continue;
        cell.onPrint([column, passMarks](ElementLook &look, const PrintContext &context) {
            MarkCellInput input;
            input.value = numberOf(context.value(column.field));
            input.subjectType = context.value(QStringLiteral("TIPO")).toString();
            input.passMarks = passMarks;
            printMarkCell(look, markCell(input));
        });
    }
    student.header.line({0, 75, width, 0});
    addFooterLine(report, school.footer);

    const CardStatement statement = unitCardStatement(request);
    data::Query rows(db);
    rows.setSql(statement.sql);
    for (auto it = statement.params.constBegin(); it != statement.params.constEnd(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();
    DatasetSource source(rows);
    return layout(report, source);
}

ReportEntry unitMarksCardEntry()
{
    QList<ParamChoice> units;
    for (int unit = 1; unit <= 4; ++unit)
        units.append({QString::number(unit), QStringLiteral("%1ª Unidade").arg(unit)});
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    schoolClass.choices = {{QString(), QStringLiteral("Todas as Turmas")}};
    schoolClass.choicesFrom = classEntries;
    ReportEntry entry;
    entry.name = QStringLiteral("boletim-unidade");
    entry.menuEntry = QStringLiteral("mnuBoletimNotasUnidade");
    entry.dialogCaption = QStringLiteral("Defina ");
    entry.askAgain = true;
    entry.params = {schoolClass,
                    {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text},
                    {QStringLiteral("unit"), QStringLiteral("Unidade"), ParamKind::Choice, QStringLiteral("1"), units}};
    entry.build = [](const ReportInput &input) {
        UnitCardRequest request;
        request.classCode = input.values.text(QStringLiteral("class"));
        const QString student = input.values.text(QStringLiteral("student")).trimmed();
        if (!student.isEmpty()) {
            request.student = core::parseInteger(student);
            if (!request.student)
                throw ReportParamError(QStringLiteral("Matrícula inválida!"));
        }
        request.unit = input.values.text(QStringLiteral("unit")).toInt();
        return unitMarksCard(input.db, input.school, request);
    };
    return entry;
}

} // namespace reports
