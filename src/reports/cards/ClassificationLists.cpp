#include "reports/cards/ClassificationLists.h"

#include "reports/cards/CardChoices.h"
#include "reports/engine/Layout.h"

#include "core/Formats.h"

#include <cmath>

namespace reports {

namespace {

using grades::ClassificationScope;

struct ScopeName
{
    ClassificationScope scope;
    const char *value;      // --scope
    const char *menuEntry;  // objectName of the menu command
};

const ScopeName kScopes[] = {
    {ClassificationScope::Class, "turma", "mnuClassPorTurma"},
    {ClassificationScope::Grade, "serie", "mnuClassPorSerie"},
    {ClassificationScope::LowerPrimary, "1g-menor", "mnuClass1GrauMenor"},
    {ClassificationScope::UpperPrimary, "1g-maior", "mnuClass1GrauMaior"},
    {ClassificationScope::Secondary, "2g", "mnuClass2Grau"},
};

QList<ParamChoice> gradeEntries()
{
    QList<ParamChoice> entries;
    for (int grade = 1; grade <= 8; ++grade) {
        const QString code = QStringLiteral("1G%1").arg(grade);
        entries.append({code, code + QStringLiteral(" - 1º Grau %1ª Série").arg(grade)});
    }
    return entries;
}

QString pointsText(double points)
{
    if (!std::isfinite(points))
        return QStringLiteral("??");
    return core::formatNumber(std::abs(points), QStringLiteral("#,##0.0"));
}

ReportParam classParam()
{
    ReportParam param{QStringLiteral("class"), QStringLiteral("Defina a Turma "), ParamKind::Choice};
    param.choicesFrom = classEntries;
    return param;
}

QList<ReportParam> paramsFor(std::optional<ClassificationScope> scope)
{
    QList<ParamChoice> measures;
    for (int unit = 1; unit <= 4; ++unit)
        measures.append({QString::number(unit), QStringLiteral("%1ª Unidade").arg(unit)});
    measures.append({QStringLiteral("geral"), QStringLiteral("Média Anual")});
    const ReportParam measure{QStringLiteral("measure"), QStringLiteral("Defina a Unidade: "), ParamKind::Choice,
                              QStringLiteral("1"), measures};
    const ReportParam limit{QStringLiteral("position-limit"),
                            QStringLiteral("Ao imprimir considere apenas os alunos classificados até à posição Nº"),
                            ParamKind::Integer, QStringLiteral("5")};
    const ReportParam grade{QStringLiteral("grade"), QStringLiteral("Defina a Série "), ParamKind::Choice,
                            QStringLiteral("1G1"), gradeEntries()};
    if (!scope) {
        QList<ParamChoice> scopes;
        for (const ScopeName &s : kScopes)
            scopes.append({QString::fromLatin1(s.value), QString()});
        ReportParam classChoice = classParam();
        classChoice.choices = {{QString(), QString()}}; // not needed outside "turma"
        return {{QStringLiteral("scope"), QStringLiteral("Escopo"), ParamKind::Choice, QStringLiteral("turma"), scopes},
                classChoice, grade, measure, limit};
    }
    switch (*scope) {
    case ClassificationScope::Class:
        return {classParam(), measure};
    case ClassificationScope::Grade:
        return {grade, measure, limit};
    default:
        return {measure, limit};
    }
}

grades::ClassificationRequest requestOf(ClassificationScope scope, const ReportValues &values)
{
    grades::ClassificationRequest request;
    request.scope = scope;
    const QString measure = values.text(QStringLiteral("measure"));
    request.measure = measure == u"geral" ? 0 : measure.toInt();
    const auto has = [&](const char *name) {
        for (const ReportParam &param : values.params())
            if (param.name == QLatin1String(name))
                return true;
        return false;
    };
    if (scope == ClassificationScope::Class) {
        request.choice = values.text(QStringLiteral("class"));
        if (request.choice.isEmpty())
            throw ReportParamError(QStringLiteral("Informe a turma (--class)."));
    } else if (scope == ClassificationScope::Grade) {
        const QString code = values.text(QStringLiteral("grade"));
        for (const ParamChoice &entry : gradeEntries())
            if (entry.value == code)
                request.choice = entry.caption;
    }
    if (has("position-limit")) {
        request.limit = int(values.integer(QStringLiteral("position-limit")));
        if (request.limit < 1 || request.limit > 500)
            throw ReportParamError(QStringLiteral("Valor inválido para position-limit: %1 (de 1 a 500).").arg(request.limit));
    }
    return request;
}

} // namespace

Document classificationList(const data::Database &db, const SchoolInfo &school,
                            const grades::ClassificationRequest &request)
{
    const bool byClass = request.scope == ClassificationScope::Class;
    const QList<grades::ClassifiedStudent> students = grades::classify(db, request);

    RecordList rows({QStringLiteral("TURMA"), QStringLiteral("MATRICULA"), QStringLiteral("NOME"),
                     QStringLiteral("PONTOS"), QStringLiteral("POSICAO")});
    for (const grades::ClassifiedStudent &student : students)
        rows.append({student.turma, student.matricula, student.nome, pointsText(student.points), student.posicao});

    Report report;
    report.title = byClass ? QStringLiteral("CLASSIFICAÇÃO DE DESEMPENHO ") : grades::classificationTitle(request.measure);
    report.page.paper = Paper::A4;
    addListingHeader(report, report.title);
    Band &header = report.pageHeader;
    const Tenths captionTop = 300;
    if (request.scope == ClassificationScope::Grade) {
        // "1G5 - 1º Grau 5ª Série" subtitled with its 6th to 25th characters.
        header.label(request.choice.mid(5, 20).trimmed(), {280, 150, report.page.contentWidth() - 560, 50})
            .aligned(Align::Center)
            .withFont(font(11, true));
    }
    struct Column
    {
        const char *caption;
        const char *field;
        QRect rect;
        Align align;
    };
    QList<Column> columns{{"Nº", "", {0, 0, 120, 45}, Align::Right},
                          {"Matrícula", "MATRICULA", {170, 0, 250, 45}, Align::Left},
                          {"Nome", "NOME", {450, 0, 900, 45}, Align::Left},
                          {"Média", "PONTOS", {1370, 0, 180, 45}, Align::Right},
                          {"Posição", "POSICAO", {1570, 0, 150, 45}, Align::Right}};
    if (!byClass)
        columns.append({"Turma", "TURMA", {1750, 0, 150, 45}, Align::Left});
    for (const Column &column : columns) {
        header.label(QString::fromUtf8(column.caption), column.rect.translated(0, captionTop))
            .aligned(column.align)
            .withFont(font(9, true));
    }
    header.line({0, captionTop + 55, report.page.contentWidth(), 0});
    header.height = captionTop + 70;

    report.detail.height = 50;
    report.detail.system(SystemData::DetailNumber, columns.first().rect)
        .aligned(Align::Right)
        .sized(9)
        .resetEach(byClass ? Scope::Group : Scope::Report)
        .onPrint([](ElementLook &look, const PrintContext &) { look.text += u'.'; });
    for (qsizetype i = 1; i < columns.size(); ++i) {
        const Column &column = columns.at(i);
        report.detail.field(QString::fromLatin1(column.field), column.rect, column.field == QByteArray("MATRICULA") ? QStringLiteral("0") : QString())
            .aligned(column.align)
            .sized(9);
    }
    if (byClass) {
        Group &group = report.addGroup(QStringLiteral("TURMA"), true);
        group.header.height = 70;
        group.header.field(QStringLiteral("TURMA"), {0, 10, 600, 50}).withFont(font(11, true));
    }
    addFooterLine(report, school.footer);
    return layout(report, rows);
}

QList<ReportEntry> classificationReports()
{
    QList<ReportEntry> entries;
    ReportEntry all;
    all.name = QStringLiteral("classificacao");
    all.dialogCaption = QStringLiteral("Classificação de Desempenho");
    all.params = paramsFor(std::nullopt);
    all.build = [](const ReportInput &input) {
        const QString scope = input.values.text(QStringLiteral("scope"));
        for (const ScopeName &s : kScopes) {
            if (scope == QLatin1String(s.value))
                return classificationList(input.db, input.school, requestOf(s.scope, input.values));
        }
        throw ReportParamError(QStringLiteral("Escopo inválido: %1").arg(scope));
    };
    entries.append(all);
    for (const ScopeName &s : kScopes) {
        ReportEntry entry;
        entry.name = QStringLiteral("classificacao-") + QString::fromLatin1(s.value);
        entry.menuEntry = QString::fromLatin1(s.menuEntry);
        entry.params = paramsFor(s.scope);
        entry.dialogCaption = QStringLiteral("Defina ");
        const ClassificationScope scope = s.scope;
        entry.build = [scope](const ReportInput &input) {
            return classificationList(input.db, input.school, requestOf(scope, input.values));
        };
        entries.append(entry);
    }
    return entries;
}

} // namespace reports
