#include "reports/records/ClassLists.h"

#include "reports/DatasetSource.h"
#include "reports/cards/CardChoices.h"
#include "reports/cards/CardHeading.h"
#include "reports/engine/Layout.h"

#include "data/store/Query.h"

namespace reports {

namespace {

const QString kActive = QStringLiteral("((alunos.SIT <> 'D') and (alunos.SIT <> 'T') or (alunos.SIT is null))");
const QString kFrom = QStringLiteral(
    " from NOTAS notas inner join ALUNOS alunos on alunos.MATRICULA = notas.MATRICULA "
    "inner join Tabturma tabturma on notas.Turma = tabturma.TURMA ");

constexpr Tenths kCaptionTop = 250;

struct Column
{
    QString caption;
    QRect rect;
};

QList<Column> columnsOf(ClassList list)
{
    switch (list) {
    case ClassList::Students:
        return {{QStringLiteral("Nº"), {0, 0, 100, 45}},
                {QStringLiteral("Matrícula"), {120, 0, 250, 45}},
                {QStringLiteral("Nome do Aluno"), {400, 0, 1400, 45}}};
    case ClassList::Attendance:
        return {{QStringLiteral("Nº"), {0, 0, 100, 45}},
                {QStringLiteral("Matrícula"), {120, 0, 230, 45}},
                {QStringLiteral("Nome do Aluno"), {370, 0, 800, 45}},
                {QStringLiteral("Assinatura"), {1190, 0, 520, 45}},
                {QStringLiteral("Nota"), {1730, 0, 170, 45}}};
    case ClassList::Isolated:
        return {{QStringLiteral("Nº"), {0, 0, 90, 45}},
                {QStringLiteral("Matrícula"), {100, 0, 200, 45}},
                {QStringLiteral("Nome do Aluno"), {310, 0, 620, 45}},
                {QStringLiteral("Disciplina"), {940, 0, 360, 45}},
                {QStringLiteral("Turma de Origem"), {1310, 0, 590, 45}}};
    }
    return {};
}

} // namespace

QString classListTitle(ClassList list)
{
    switch (list) {
    case ClassList::Students:
        return QStringLiteral("RELAÇÃO DE ALUNOS POR TURMA");
    case ClassList::Attendance:
        return QStringLiteral("ATA DE PRESENÇA - DATA:_____/_____/____");
    case ClassList::Isolated:
        return QStringLiteral("ALUNOS COM DISCIPLINAS ISOLADAS");
    }
    return {};
}

QString listedName(const QString &name, const QString &marksClass, const QString &ownClass)
{
    return marksClass == ownClass ? name : name + QStringLiteral(" (*)");
}

ClassListStatement classListStatement(ClassList list, const QString &classCode)
{
    ClassListStatement statement;
    statement.params.insert(QStringLiteral("turma"), classCode);
    if (list == ClassList::Attendance)
        statement.params.insert(QStringLiteral("turma2"), classCode);
    const QString columns = QStringLiteral(
        "notas.Turma as TURMA, alunos.TURMA as TURMA2, alunos.NOME, alunos.MATRICULA, tabturma.DESCRICAO, alunos.SIT");
    const QString groups =
        QStringLiteral("notas.Turma, alunos.TURMA, alunos.NOME, alunos.MATRICULA, tabturma.DESCRICAO, alunos.SIT");
    switch (list) {
    case ClassList::Students:
        statement.sql = QStringLiteral("select ") + columns + kFrom + QStringLiteral(" where ") + kActive +
                        QStringLiteral(" and (alunos.TURMA = :turma) group by ") + groups +
                        QStringLiteral(" order by notas.Turma, alunos.NOME, alunos.MATRICULA");
        break;
    case ClassList::Attendance:
        statement.sql = QStringLiteral("select ") + columns + kFrom + QStringLiteral(" where ") + kActive +
                        QStringLiteral(" and (alunos.TURMA = :turma) and (notas.Turma = :turma2) group by ") + groups +
                        QStringLiteral(" order by alunos.NOME, alunos.MATRICULA");
        break;
    case ClassList::Isolated:
        statement.sql =
            QStringLiteral("select ") + columns +
            QStringLiteral(", notas.DISC, discpl.DESCRICAO as DISCIPLINA, propria.DESCRICAO as DESC_PROPRIA") + kFrom +
            QStringLiteral("inner join DISCPL discpl on discpl.CODIGO = notas.DISC "
                           "left join Tabturma propria on propria.TURMA = alunos.TURMA where (notas.Turma <> alunos.TURMA) and ") +
            kActive + QStringLiteral(" and (notas.Turma = :turma) group by ") + groups +
            QStringLiteral(", notas.DISC, discpl.DESCRICAO, propria.DESCRICAO order by notas.Turma, alunos.NOME, "
                           "alunos.MATRICULA, notas.DISC");
        break;
    }
    return statement;
}

Document classList(const data::Database &db, const SchoolInfo &school, ClassList list, const QString &classCode)
{
    if (classCode.trimmed().isEmpty())
        throw ReportParamError(QStringLiteral("Informe a turma."));
    Report report;
    report.title = classListTitle(list);
    report.page.paper = Paper::A4;
    const Tenths width = report.page.contentWidth();
    addListingHeader(report, report.title);
    Band &header = report.pageHeader;
    Tenths captionTop = kCaptionTop;
    if (list == ClassList::Attendance) {
        header.label(QStringLiteral("DISCIPLINA:____________________________"), {0, 245, width, 50})
            .named(QStringLiteral("qrlDisciplina"))
            .withFont(font(11, true));
        captionTop += 70;
    }
    const QList<Column> columns = columnsOf(list);
    for (const Column &column : columns)
        header.label(column.caption, column.rect.translated(0, captionTop)).withFont(font(9, true));
    header.line({0, captionTop + 55, width, 0});
    header.height = captionTop + 70;

    Group &group = report.addGroup(QStringLiteral("TURMA"));
    group.header.height = 80;
    group.header.label(QString(), {0, 20, width, 50})
        .named(QStringLiteral("qrTurma"))
        .withFont(font(11, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = QStringLiteral("TURMA: ") + context.value(QStringLiteral("TURMA")).toString() +
                        QStringLiteral(" - ") + context.value(QStringLiteral("DESCRICAO")).toString();
        });
    group.footer.height = 70;
    group.footer.label(QStringLiteral("(*) Regime de Dependência"), {0, 15, width, 40})
        .named(QStringLiteral("qrlLegenda"))
        .withFont(font(8, false, true));

    Band &detail = report.detail;
    const Tenths rowHeight = list == ClassList::Attendance ? 80 : 50;
    const Tenths textTop = list == ClassList::Attendance ? 20 : 0;
    detail.height = rowHeight;
    detail.system(SystemData::DetailNumber, columns.at(0).rect.translated(0, textTop))
        .resetEach(Scope::Group)
        .sized(9)
        .onPrint([](ElementLook &look, const PrintContext &) { look.text += u'.'; });
    detail.label(QString(), columns.at(1).rect.translated(0, textTop))
        .sized(9)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = enrolmentText(context.value(QStringLiteral("MATRICULA")));
        });
    detail.label(QString(), columns.at(2).rect.translated(0, textTop))
        .named(QStringLiteral("qrNome"))
        .sized(9)
        .onPrint([](ElementLook &look, const PrintContext &context) {
            const QString marks = context.value(QStringLiteral("TURMA")).toString();
            const QString own = context.value(QStringLiteral("TURMA2")).toString();
            look.text = listedName(context.value(QStringLiteral("NOME")).toString(), marks, own);
            look.font.underline = marks != own;
        });
    switch (list) {
    case ClassList::Students:
        break;
    case ClassList::Attendance: {
        const QRect signature = columns.at(3).rect;
        detail.line({signature.x(), rowHeight - 15, signature.width() - 20, 0});
        detail.frame({columns.at(4).rect.x(), 5, columns.at(4).rect.width(), rowHeight - 10});
        break;
    }
    case ClassList::Isolated:
        detail.field(QStringLiteral("DISCIPLINA"), columns.at(3).rect).sized(8);
        detail.label(QString(), columns.at(4).rect)
            .sized(8)
            .onPrint([](ElementLook &look, const PrintContext &context) {
                look.text = context.value(QStringLiteral("TURMA2")).toString() + QStringLiteral(" - ") +
                            context.value(QStringLiteral("DESC_PROPRIA")).toString();
            });
        break;
    }
    detail.line({0, rowHeight, width, 0}).pen(QColor(0xcc, 0xcc, 0xcc), 1);
    addFooterLine(report, school.footer);

    const ClassListStatement statement = classListStatement(list, classCode.trimmed());
    data::Query rows(db);
    rows.setSql(statement.sql);
    for (auto it = statement.params.constBegin(); it != statement.params.constEnd(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();
    DatasetSource source(rows);
    return layout(report, source);
}

QList<ReportEntry> classListEntries()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Defina a Turma "), ParamKind::Choice};
    schoolClass.choicesFrom = classEntries;
    QList<ReportEntry> entries;
    const struct
    {
        const char *name;
        const char *menu;
        ClassList list;
    } lists[] = {{"alunos-turma", "mnuAlunosTurma", ClassList::Students},
                 {"ata-presenca", "mnuAtaPresenca", ClassList::Attendance},
                 {"disciplinas-isoladas", "mnuAlunosDiscIsoladas", ClassList::Isolated}};
    for (const auto &item : lists) {
        ReportEntry entry;
        entry.name = QString::fromLatin1(item.name);
        entry.menuEntry = QString::fromLatin1(item.menu);
        entry.params = {schoolClass};
        entry.askAgain = true;
        const ClassList list = item.list;
        entry.build = [list](const ReportInput &input) {
            return classList(input.db, input.school, list, input.values.text(QStringLiteral("class")));
        };
        entries.append(entry);
    }
    return entries;
}

} // namespace reports
