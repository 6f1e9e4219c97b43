#include "reports/records/IndividualRecord.h"

#include "reports/DatasetSource.h"
#include "reports/cards/CardHeading.h"
#include "reports/engine/Layout.h"

#include "core/Clock.h"
#include "core/Formats.h"
#include "data/maintenance/AcademicStartup.h"
#include "data/settings/Settings.h"
#include "data/settings/SettingsStore.h"
#include "data/store/Query.h"

#include <QDir>
#include <memory>

namespace reports {

namespace {

const QString kSelect = QStringLiteral(
    "select notas.Turma as TURMA, alunos.TURMA as TURMA_ALUNO, propria.DESCRICAO as turma_desc, "
    "notas.UND1, notas.UND2, notas.UND3, notas.UND4, notas.FLT1, notas.FLT2, notas.FLT3, notas.FLT4, "
    "notas.FALTAS, notas.MD_ANUAL, notas.PFINAL, notas.MD_FINAL, notas.RECUP, notas.MD_RECUP, notas.DISC, "
    "alunos.NOME, alunos.MATRICULA, alunos.SIT, alunos.SEXO, alunos.DATASIT, alunos.OBSSIT, alunos.DATANASC, "
    "alunos.NOME_PAI, alunos.NOME_MAE, alunos.ENDERECO, alunos.BAIRRO, alunos.CIDADE, "
    "discpl.DESCRICAO as discpl_desc, discpl.TIPO, discturm.CHORA, "
    "cast(discturm.Imp_AtaFinal as integer) as Imp_AtaFinal, cast(discturm.Consolidada as integer) as Consolidada "
    "from NOTAS notas "
    "inner join ALUNOS alunos on alunos.MATRICULA = notas.MATRICULA "
    "inner join DISCPL discpl on notas.DISC = discpl.CODIGO "
    "inner join Tabturma tabturma on notas.Turma = tabturma.TURMA "
    "left join Tabturma propria on propria.TURMA = alunos.TURMA "
    "left join Discturm discturm on discturm.CODIGO = notas.DISC "
    "and discturm.SERIE = substring(notas.Turma from 1 for 3)");

constexpr Tenths kRowHeight = 50;
constexpr Tenths kCaptionHeight = 70;
constexpr double kCellPoints = 8;

struct Column
{
    enum class Kind { Mark, Absence, Workload };
    Kind kind = Kind::Mark;
    QString caption;
    QString field;
    MarkColumn markColumn = MarkColumn::Plain;
    Tenths x = 0;
    Tenths width = 0;
};

QList<Column> columnsFor(bool four, const QString &termUnit, Tenths subjectWidth)
{
    QList<Column> columns;
    Tenths x = subjectWidth;
    const auto add = [&](Column column, Tenths width) {
        column.x = x;
        column.width = width;
        x += width;
        columns.append(column);
    };
    const QString faltas = QStringLiteral("Faltas");
    const Tenths markWidth = four ? 130 : 150;
    const Tenths absenceWidth = four ? 85 : 90;
    for (int unit = 1; unit <= (four ? 4 : 2); ++unit) {
        add({Column::Kind::Mark, unitCaption(termUnit, unit), QStringLiteral("UND%1").arg(unit), MarkColumn::Unit},
            markWidth);
        add({Column::Kind::Absence, faltas, QStringLiteral("FLT%1").arg(unit)}, absenceWidth);
    }
    add({Column::Kind::Mark, QStringLiteral("Média"), QStringLiteral("MD_ANUAL"), MarkColumn::AnnualAverage},
        four ? 115 : 120);
    add({Column::Kind::Absence, faltas, QStringLiteral("FALTAS")}, four ? 85 : 90);
    add({Column::Kind::Mark, QStringLiteral("P.Final"), QStringLiteral("PFINAL"), MarkColumn::FinalExam},
        four ? 115 : 120);
    add({Column::Kind::Mark, QStringLiteral("Md.Final"), QStringLiteral("MD_FINAL"), MarkColumn::FinalAverage}, 130);
    if (!four) {
        add({Column::Kind::Mark, QStringLiteral("Recup.Final"), QStringLiteral("RECUP"), MarkColumn::Recovery}, 150);
        add({Column::Kind::Mark, QStringLiteral("Md.Recup.Final"), QStringLiteral("MD_RECUP"),
             MarkColumn::RecoveryAverage},
            200);
    }
    add({Column::Kind::Workload, QStringLiteral("C.Hor"), QStringLiteral("CHORA")}, four ? 110 : 90);
    return columns;
}

CardStudent studentOf(const PrintContext &context)
{
    return {context.value(QStringLiteral("TURMA_ALUNO")).toString(), context.value(QStringLiteral("SEXO")).toString(),
            context.value(QStringLiteral("SIT")).toString(), context.value(QStringLiteral("DATASIT")).toDate(),
            context.value(QStringLiteral("OBSSIT")).toString()};
}

// A caption in bold and the value a handler reads from the row beside it.
void addLine(Band &band, const QString &caption, const QRect &rect, std::function<QString(const PrintContext &)> text)
{
    const Tenths captionWidth = 260;
    band.label(caption, {rect.x(), rect.y(), captionWidth, rect.height()}).withFont(font(9, true));
    band.label(QString(), {rect.x() + captionWidth, rect.y(), rect.width() - captionWidth, rect.height()})
        .sized(9)
        .onPrint([text](ElementLook &look, const PrintContext &context) { look.text = text(context); });
}

QString textOf(const PrintContext &context, const char *field)
{
    return context.value(QString::fromLatin1(field)).toString().trimmed();
}

void buildHeader(Report &report, const SchoolInfo &school, const QString &photosDir)
{
    Band &band = report.pageHeader;
    const Tenths width = report.page.contentWidth();
    const Tenths photoLeft = width - 300;
    addSchoolHeading(band, school);
    band.label(QStringLiteral("FICHA INDIVIDUAL"), {0, 225, photoLeft - 20, 70})
        .named(QStringLiteral("qrlTitulo"))
        .aligned(Align::Center)
        .withFont(font(16, true));
    band.frame({photoLeft, 230, 300, 380}).named(QStringLiteral("qrFotoMoldura"));
    band.image(QString(), {photoLeft + 10, 240, 280, 360})
        .named(QStringLiteral("qrFoto"))
        .onPrint([photosDir](ElementLook &look, const PrintContext &context) {
            look.imageFile = QDir(photosDir).filePath(enrolmentText(context.value(QStringLiteral("MATRICULA"))) +
                                                      QStringLiteral(".bmp"));
        });
    const Tenths left = photoLeft - 20;
    addLine(band, QStringLiteral("Turma:"), {0, 310, left, 45}, [](const PrintContext &c) {
        const QString description = textOf(c, "turma_desc");
        return textOf(c, "TURMA_ALUNO") + (description.isEmpty() ? QString() : QStringLiteral(" - ") + description);
    });
    addLine(band, QStringLiteral("Matrícula:"), {0, 360, left, 45},
            [](const PrintContext &c) { return enrolmentText(c.value(QStringLiteral("MATRICULA"))); });
    addLine(band, QStringLiteral("Nome:"), {0, 410, left, 45}, [](const PrintContext &c) { return textOf(c, "NOME"); });
    addLine(band, QStringLiteral("Filiação:"), {0, 460, left, 45},
            [](const PrintContext &c) { return textOf(c, "NOME_PAI"); });
    addLine(band, QString(), {0, 505, left, 45}, [](const PrintContext &c) { return textOf(c, "NOME_MAE"); });
    addLine(band, QStringLiteral("Nascimento:"), {0, 555, left, 45},
            [](const PrintContext &c) { return core::formatDate(c.value(QStringLiteral("DATANASC")).toDate()); });
    addLine(band, QStringLiteral("Endereço:"), {0, 620, width, 45}, [](const PrintContext &c) {
        QStringList parts;
        for (const char *field : {"ENDERECO", "BAIRRO", "CIDADE"}) {
            const QString part = textOf(c, field);
            if (!part.isEmpty())
                parts << part;
        }
        return parts.join(QStringLiteral(" - "));
    });
    band.line({0, 685, width, 0}).pen(Qt::black, 4);
    band.height = 700;
}

void buildCaptions(Band &band, const QList<Column> &columns, Tenths subjectWidth, Tenths width)
{
    band.label(QStringLiteral("Disciplinas"), {0, 15, subjectWidth, 45}).withFont(font(9, true));
    for (const Column &column : columns)
        band.label(column.caption, {column.x, 15, column.width, 45}).aligned(Align::Center).withFont(font(7, true));
    band.line({0, kCaptionHeight - 5, width, 0});
    band.height = kCaptionHeight;
}

void buildDetail(Band &detail, const QList<Column> &columns, Tenths subjectWidth, const PassMarks &passMarks,
                 const std::shared_ptr<int> &failed)
{
    detail.height = kRowHeight;
    addSubjectLabel(detail, subjectWidth, kRowHeight, kCellPoints, QStringLiteral("TURMA_ALUNO"));
    for (const Column &column : columns) {
        const QRect rect{column.x, 0, column.width, kRowHeight};
        Element &cell = detail.field(column.field, rect).aligned(Align::Center).sized(kCellPoints);
        detail.frame(rect).pen(Qt::black, 2);
        if (column.kind == Column::Kind::Workload) {
            cell.onPrint([](ElementLook &look, const PrintContext &context) {
                const std::optional<double> hours = numberOf(context.value(QStringLiteral("CHORA")));
                look.text = hours && *hours > 0 ? QString::number(qRound(*hours)) : QStringLiteral("---");
            });
        } else if (column.kind == Column::Kind::Mark) {
            const Column c = column;
            cell.masked(QStringLiteral("0.0")).onPrint([c, passMarks, failed](ElementLook &look, const PrintContext &context) {
                MarkCellInput input;
                input.value = numberOf(context.value(c.field));
                input.column = c.markColumn;
                input.subjectType = context.value(QStringLiteral("TIPO")).toString();
                input.passMarks = passMarks;
                input.finalExam = numberOf(context.value(QStringLiteral("PFINAL")));
                input.recovery = numberOf(context.value(QStringLiteral("RECUP")));
                MarkCell markCellText = markCell(input);
                // A recovery mark of 0 is the exam that was not needed, as the final exam's is.
                if (c.markColumn == MarkColumn::Recovery && input.value && *input.value == 0)
                    markCellText = MarkCell{QStringLiteral("--")};
                printMarkCell(look, markCellText);
                if (markCellText.countsFailed)
                    ++*failed;
            });
        }
    }
    detail.line({0, kRowHeight, subjectWidth, 0}).pen(QColor(0x99, 0x99, 0x99), 1);
}

void buildFooter(Band &footer, const SchoolInfo &school, int dependencyLimit, Tenths width,
                 const std::shared_ptr<int> &failed)
{
    footer.label(QString(), {0, 30, width, 55})
        .named(QStringLiteral("qrResultado"))
        .withFont(font(10, true))
        .onPrint([failed, dependencyLimit](ElementLook &look, const PrintContext &context) {
            look.text = recordResultLine(*failed, studentOf(context), dependencyLimit);
            *failed = 0;
        });
    footer.label(school.city + QStringLiteral(", ") + core::longDate(core::today()), {0, 130, width, 45})
        .named(QStringLiteral("qrData"))
        .sized(10);
    const Tenths signatureWidth = 750;
    const Tenths gap = (width - 2 * signatureWidth) / 3;
    const QStringList captions{QStringLiteral("Responsável pela Informação"), QStringLiteral("Diretor")};
    for (int i = 0; i < captions.size(); ++i) {
        const Tenths x = gap + i * (signatureWidth + gap);
        footer.line({x, 320, signatureWidth, 0});
        footer.label(captions.at(i), {x, 330, signatureWidth, 40}).aligned(Align::Center).sized(9);
    }
    footer.label(QStringLiteral("** Disciplina Consolidada"), {0, 410, width, 35})
        .named(QStringLiteral("qrlLegenda"))
        .sized(7);
    footer.height = 460;
}

} // namespace

RecordStatement recordStatement(const RecordChoice &choice, bool fourUnits)
{
    RecordStatement statement;
    QStringList conditions;
    if (choice.student) {
        conditions << QStringLiteral("(notas.MATRICULA = :matricula)");
        statement.params.insert(QStringLiteral("matricula"), double(*choice.student));
    } else if (!choice.classCode.isEmpty()) {
        conditions << QStringLiteral("(alunos.TURMA = :turma)");
        statement.params.insert(QStringLiteral("turma"), choice.classCode);
    }
    if (choice.consolidated)
        conditions << QStringLiteral("(cast(discturm.Imp_AtaFinal as integer) = 1)");
    if (choice.skipEmptySubjects) {
        conditions << (fourUnits ? QStringLiteral("((notas.UND1 is not null) or (notas.UND2 is not null) or "
                                                  "(notas.UND3 is not null) or (notas.UND4 is not null))")
                                 : QStringLiteral("((notas.UND1 is not null) or (notas.UND2 is not null))"));
    }
    statement.sql = kSelect;
    if (!conditions.isEmpty())
        statement.sql += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    // The enrolment number keeps two students of the same name apart.
    statement.sql += QStringLiteral(" order by alunos.TURMA, alunos.NOME, notas.MATRICULA, notas.DISC");
    return statement;
}

QList<ParamChoice> recordClassEntries(const data::Database &db)
{
    QList<ParamChoice> entries;
    for (const QString &sql :
         {QStringLiteral("select distinct notas.Turma as TURMA, tabturma.DESCRICAO from NOTAS notas, Tabturma tabturma "
                         "where notas.Turma = tabturma.TURMA order by 1"),
          QStringLiteral("select TURMA, DESCRICAO from Tabturma order by 1")}) {
        data::Query query(db);
        query.setSql(sql);
        query.open();
        for (query.first(); !query.eof(); query.next()) {
            const QString code = query.asText("TURMA");
            entries.append({code, code + u' ' + query.asText("DESCRICAO")});
        }
        if (!entries.isEmpty())
            break;
    }
    return entries;
}

QString recordResultLine(int failedSubjects, const CardStudent &student, int dependencyLimit)
{
    QString text;
    if (failedSubjects == 0)
        text = QStringLiteral("Resultado Final: APROVAD");
    else if (failedSubjects > dependencyLimit)
        text = QStringLiteral("Resultado Final: REPROVAD");
    else
        text = QStringLiteral("Resultado Final: (DEPENDÊNCIA) APROVAD");
    text += student.sex == u"F" ? u'A' : u'O';
    const QString leaver = leaverText(student);
    return leaver.isEmpty() ? text : text + u' ' + leaver;
}

Document individualRecord(const data::Database &db, const SchoolInfo &school, const RecordChoice &choice)
{
    data::Settings settings;
    data::loadSettings(db, settings);
    const CardRules rules = CardRules::fromSettings(settings);
    const bool four = rules.assessedUnits == 4;

    Report report;
    report.title = QStringLiteral("Ficha Individual");
    report.page.paper = Paper::A4;
    const Tenths width = report.page.contentWidth();
    const Tenths subjectWidth = four ? 470 : 520;
    const QList<Column> columns = columnsFor(four, rules.termUnit, subjectWidth);
    const auto failed = std::make_shared<int>(0);
    buildHeader(report, school, data::photosDirFor(db.directory()));
    Group &student = report.addGroup(QStringLiteral("MATRICULA"), true);
    buildCaptions(student.header, columns, subjectWidth, width);
    buildDetail(report.detail, columns, subjectWidth, rules.passMarks, failed);
    buildFooter(student.footer, school, rules.dependencyLimit, width, failed);
    addFooterLine(report, school.footer);

    const RecordStatement statement = recordStatement(choice, four);
    data::Query rows(db);
    rows.setSql(statement.sql);
    for (auto it = statement.params.constBegin(); it != statement.params.constEnd(); ++it)
        rows.bind(it.key(), it.value());
    rows.open();
    DatasetSource source(rows);
    return layout(report, source);
}

RecordChoice recordChoice(const ReportValues &values)
{
    RecordChoice choice;
    choice.classCode = values.text(QStringLiteral("class")).trimmed();
    const QString student = values.text(QStringLiteral("student")).trimmed();
    if (!student.isEmpty()) {
        const std::optional<qint64> number = core::parseInteger(student);
        if (!number)
            throw ReportParamError(QStringLiteral("Matrícula inválida: %1").arg(student));
        choice.student = *number;
    }
    choice.skipEmptySubjects = values.flag(QStringLiteral("skip-empty-subjects"));
    choice.consolidated = !values.flag(QStringLiteral("no-consolidated"));
    return choice;
}

void setRecordValues(ReportValues &values, const RecordChoice &choice, const data::Database &db)
{
    values.set(QStringLiteral("class"), choice.student ? QString() : choice.classCode, db);
    values.set(QStringLiteral("student"), choice.student ? QString::number(*choice.student) : QString(), db);
    values.set(QStringLiteral("skip-empty-subjects"), choice.skipEmptySubjects ? QStringLiteral("S") : QStringLiteral("N"),
               db);
    values.set(QStringLiteral("no-consolidated"), choice.consolidated ? QStringLiteral("N") : QStringLiteral("S"), db);
}

ReportEntry individualRecordEntry()
{
    ReportParam schoolClass{QStringLiteral("class"), QStringLiteral("Apenas a Turma"), ParamKind::Choice};
    schoolClass.choices = {{QString(), QStringLiteral("Todas as Turmas")}};
    schoolClass.choicesFrom = recordClassEntries;
    ReportEntry entry;
    entry.name = QStringLiteral("ficha-individual");
    entry.menuEntry = QStringLiteral("mnuFichaIndividual");
    entry.params = {schoolClass,
                    {QStringLiteral("student"), QStringLiteral("Apenas o Aluno (Matrícula)"), ParamKind::Text},
                    {QStringLiteral("skip-empty-subjects"), QStringLiteral("NÃO IMPRIMA Disciplinas sem Notas informadas  "),
                     ParamKind::Flag},
                    {QStringLiteral("no-consolidated"),
                     QStringLiteral("Desmarcar \"Imprima Disciplina Consolidada\" (todas as disciplinas, também as que "
                                    "formam a consolidada)"),
                     ParamKind::Flag}};
    entry.dialogCaption = QStringLiteral("Defina ");
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        return individualRecord(input.db, input.school, recordChoice(input.values));
    };
    return entry;
}

} // namespace reports
