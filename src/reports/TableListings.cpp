#include "reports/TableListings.h"

#include "reports/DatasetSource.h"
#include "reports/engine/Layout.h"

#include "data/store/Table.h"

#include <QHash>

namespace reports {

namespace {

constexpr Tenths kCaptionTop = 250;
constexpr Tenths kRowHeight = 50;

struct Column
{
    QString caption;
    QString field; // empty: the text comes from the handler
    QRect rect;    // within the row
    Align align = Align::Left;
    QString mask;
    ElementHandler text;
};

// Logo, title, date, page and the column captions on every page; the footer line below.
Report listingReport(Listing listing, const SchoolInfo &school, const QList<Column> &columns)
{
    Report report;
    report.title = listingTitle(listing);
    addListingHeader(report, report.title);
    Band &header = report.pageHeader;
    for (const Column &column : columns) {
        header.label(column.caption, column.rect.translated(0, kCaptionTop))
            .aligned(column.align)
            .withFont(font(9, true));
    }
    header.line({0, kCaptionTop + 55, report.page.contentWidth(), 0});
    header.height = kCaptionTop + 70;
    report.detail.height = kRowHeight;
    for (const Column &column : columns) {
        Element &cell = column.field.isEmpty() ? report.detail.label(QString(), column.rect)
                                               : report.detail.field(column.field, column.rect,
                                                                     column.mask);
        cell.aligned(column.align).sized(9).onPrint(column.text);
    }
    addFooterLine(report, school.footer);
    return report;
}

std::unique_ptr<data::Table> openTable(const data::Database &db, const QString &fileName,
                                       const QString &order)
{
    auto table = std::make_unique<data::Table>(db, fileName);
    table->setReadOnly(true);
    table->setIndexFields(order);
    table->open();
    return table;
}

Document subjects(const data::Database &db, const SchoolInfo &school)
{
    const Report report = listingReport(
        Listing::Disciplinas, school,
        {{QStringLiteral("Código"), QStringLiteral("CODIGO"), {0, 0, 200, 45}},
         {QStringLiteral("Disciplina"), QStringLiteral("DESCRICAO"), {250, 0, 1000, 45}},
         {QStringLiteral("Nota/Conceito"), QStringLiteral("TIPO"), {1300, 0, 400, 45}}});
    const auto table = openTable(db, QStringLiteral("DISCPL.DB"), QStringLiteral("CODIGO"));
    DatasetSource rows(*table);
    return layout(report, rows);
}

Document classes(const data::Database &db, const SchoolInfo &school)
{
    const Report report = listingReport(
        Listing::Turmas, school,
        {{QStringLiteral("Código"), QStringLiteral("TURMA"), {0, 0, 200, 45}},
         {QStringLiteral("Turma"), QStringLiteral("DESCRICAO"), {250, 0, 1000, 45}},
         {QStringLiteral("Mensalidade"), QStringLiteral("Valor_Mensalidade"), {1300, 0, 400, 45},
          Align::Right, QStringLiteral("###,##0.00")}});
    const auto table = openTable(db, QStringLiteral("Tabturma.DB"), QStringLiteral("TURMA"));
    DatasetSource rows(*table);
    return layout(report, rows);
}

Document gradeSubjects(const data::Database &db, const SchoolInfo &school)
{
    QHash<QString, QString> subjectNames;
    {
        const auto table = openTable(db, QStringLiteral("DISCPL.DB"), QStringLiteral("CODIGO"));
        for (table->first(); !table->eof(); table->next())
            subjectNames.insert(table->asText("CODIGO"), table->asText("DESCRICAO"));
    }
    QList<QPair<QString, QString>> classList;
    {
        const auto table = openTable(db, QStringLiteral("Tabturma.DB"), QStringLiteral("TURMA"));
        for (table->first(); !table->eof(); table->next())
            classList.append({table->asText("TURMA"), table->asText("DESCRICAO")});
    }

    const auto subjectName = [subjectNames](ElementLook &look, const PrintContext &context) {
        look.text = subjectNames.value(context.value(QStringLiteral("CODIGO")).toString());
        if (context.value(QStringLiteral("CONSOLIDADA")).toBool())
            look.text += QStringLiteral(" (Consolidada)");
    };
    Report report = listingReport(
        Listing::DisciplinasTurma, school,
        {{QStringLiteral("Código"), QStringLiteral("CODIGO"), {100, 0, 200, 45}},
         {QStringLiteral("Disciplina"), QString(), {350, 0, 1100, 45}, Align::Left, {}, subjectName},
         {QStringLiteral("Série"), QStringLiteral("SERIE"), {1500, 0, 300, 45}}});
    Group &grade = report.addGroup(QStringLiteral("SERIE"));
    grade.header.height = 80;
    grade.header.field(QStringLiteral("SERIE"), {0, 20, 200, 50}).withFont(font(10, true));
    grade.header.label(QString(), {250, 20, 1400, 50})
        .withFont(font(10, true))
        .onPrint([classList](ElementLook &look, const PrintContext &context) {
            look.text = gradeDescription(classList, context.value(QStringLiteral("SERIE")).toString());
        });

    const auto table = openTable(db, QStringLiteral("Discturm.DB"), QStringLiteral("SERIE;CODIGO"));
    DatasetSource rows(*table);
    return layout(report, rows);
}

} // namespace

QString listingTitle(Listing listing)
{
    switch (listing) {
    case Listing::Disciplinas:
        return QStringLiteral("TABELA DE DISCIPLINAS");
    case Listing::Turmas:
        return QStringLiteral("TABELA DE TURMAS / MENSALIDADES");
    case Listing::DisciplinasTurma:
        return QStringLiteral("TABELA DE DISCIPLINAS / TURMA");
    }
    return {};
}

Document tableListing(Listing listing, const data::Database &db, const SchoolInfo &school)
{
    switch (listing) {
    case Listing::Disciplinas:
        return subjects(db, school);
    case Listing::Turmas:
        return classes(db, school);
    case Listing::DisciplinasTurma:
        return gradeSubjects(db, school);
    }
    return {};
}

QList<ReportEntry> tableListingReports()
{
    auto entry = [](const char *name, const char *menuEntry, Listing listing) {
        ReportEntry e;
        e.name = QString::fromLatin1(name);
        e.menuEntry = QString::fromLatin1(menuEntry);
        e.build = [listing](const ReportInput &input) { return tableListing(listing, input.db, input.school); };
        return e;
    };
    return {entry("disciplinas", "mnuDisciplinas", Listing::Disciplinas),
            entry("turmas", "mnuTurmasMensalidade", Listing::Turmas),
            entry("disciplinas-turma", "mnuDisciplinasTurma", Listing::DisciplinasTurma)};
}

QString gradeDescription(const QList<QPair<QString, QString>> &classes, const QString &grade)
{
    QString description;
    for (const auto &[code, text] : classes) {
        if (code.left(3) == grade)
            description = text.left(std::max<qsizetype>(0, text.size() - 7));
    }
    return description;
}

} // namespace reports
