#include "reports/records/DiscountList.h"

#include "reports/engine/Layout.h"
#include "reports/letters/LetterParams.h"

#include "core/Formats.h"
#include "data/store/Query.h"

namespace reports {

namespace {

constexpr Tenths kCaptionTop = 250;
constexpr Tenths kRowHeight = 48;

struct Column
{
    QString caption;
    QString field;
    QRect rect;
    Align align = Align::Left;
};

const QList<Column> &columns()
{
    static const QList<Column> list{
        {QStringLiteral("Matrícula"), QStringLiteral("MATRICULA"), {0, 0, 200, 45}},
        {QStringLiteral("Nome do Aluno"), QStringLiteral("NOME"), {220, 0, 760, 45}},
        {QStringLiteral("Mensalidade"), QStringLiteral("MENSALIDADE"), {990, 0, 250, 45}, Align::Right},
        {QString(), QStringLiteral("PERCENTUAL"), {1260, 0, 120, 45}, Align::Right},
        {QStringLiteral("Abatimento"), QStringLiteral("ABATIMENTO"), {1390, 0, 230, 45}, Align::Right},
        {QStringLiteral("Valor Final"), QStringLiteral("VALOR_FINAL"), {1640, 0, 260, 45}, Align::Right},
    };
    return list;
}

} // namespace

core::Money discountOf(core::Money fee, double abat, const QString &imp)
{
    if (imp.trimmed() == u"%")
        return fee.percent(abat);
    return core::Money::fromDouble(abat);
}

QList<DiscountRow> discountRows(const data::Database &db, const QString &classCode)
{
    data::Query query(db);
    query.setSql(QStringLiteral("select alunos.TURMA, tabturma.DESCRICAO, alunos.MATRICULA, alunos.NOME, alunos.ABAT, "
                                "alunos.IMP, tabturma.Valor_Mensalidade from ALUNOS alunos "
                                "left join Tabturma tabturma on tabturma.TURMA = alunos.TURMA where (alunos.ABAT > 0)") +
                 (classCode.isEmpty() ? QString() : QStringLiteral(" and (alunos.TURMA = :turma)")) +
                 QStringLiteral(" order by alunos.TURMA, alunos.NOME, alunos.MATRICULA"));
    if (!classCode.isEmpty())
        query.bind(QStringLiteral("turma"), classCode);
    query.open();
    QList<DiscountRow> rows;
    for (query.first(); !query.eof(); query.next()) {
        DiscountRow row;
        row.classCode = query.asText("TURMA");
        row.classDescription = query.asText("DESCRICAO");
        row.matricula = qRound64(query.asFloat("MATRICULA"));
        row.name = query.asText("NOME");
        row.fee = query.asMoney("Valor_Mensalidade");
        const double abat = query.asFloat("ABAT");
        const QString imp = query.asText("IMP");
        if (imp.trimmed() == u"%")
            row.percent = core::formatNumber(abat, QStringLiteral("0.##")) + u'%';
        row.discount = discountOf(row.fee, abat, imp);
        row.finalValue = row.fee - row.discount;
        rows.append(row);
    }
    return rows;
}

DiscountTotals discountTotals(const QList<DiscountRow> &rows)
{
    DiscountTotals totals;
    for (const DiscountRow &row : rows) {
        ++totals.students;
        totals.fees += row.fee;
        totals.discounts += row.discount;
    }
    totals.toReceive = totals.fees - totals.discounts;
    return totals;
}

Document discountList(const data::Database &db, const SchoolInfo &school, const QString &classCode)
{
    const QList<DiscountRow> rows = discountRows(db, classCode);
    const DiscountTotals totals = discountTotals(rows);

    Report report;
    report.title = QStringLiteral("ALUNOS COM DESCONTO NA MENSALIDADE");
    report.page.paper = Paper::A4;
    const Tenths width = report.page.contentWidth();
    addListingHeader(report, report.title);
    Band &header = report.pageHeader;
    for (const Column &column : columns())
        header.label(column.caption, column.rect.translated(0, kCaptionTop)).aligned(column.align).withFont(font(9, true));
    header.line({0, kCaptionTop + 55, width, 0});
    header.height = kCaptionTop + 70;

    Group &group = report.addGroup(QStringLiteral("TURMA"));
    group.header.height = 75;
    group.header.label(QString(), {0, 20, width, 50})
        .withFont(font(10, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = QStringLiteral("TURMA: ") + context.value(QStringLiteral("TURMA")).toString() +
                        QStringLiteral(" - ") + context.value(QStringLiteral("DESCRICAO")).toString();
        });
    report.detail.height = kRowHeight;
    for (const Column &column : columns())
        report.detail.field(column.field, column.rect).aligned(column.align).sized(9);

    // The totals are worked out in centavos beforehand, so they equal the sum of the printed cells.
    Band &summary = report.summary;
    summary.line({0, 10, width, 0});
    const QList<std::pair<QString, QString>> lines{
        {QStringLiteral("Total de Alunos com Desconto ="), QString::number(totals.students)},
        {QStringLiteral("Total das Mensalidades ="), totals.fees.format()},
        {QStringLiteral("Total do Abatimento ="), totals.discounts.format()},
        {QStringLiteral("A Receber ="), totals.toReceive.format()}};
    Tenths y = 30;
    for (const auto &[caption, value] : lines) {
        summary.label(caption, {900, y, 700, 45}).aligned(Align::Right).withFont(font(9, true));
        summary.label(value, {1640, y, 260, 45}).aligned(Align::Right).withFont(font(9, true));
        y += 50;
    }
    summary.height = y + 10;
    addFooterLine(report, school.footer);

    RecordList source({QStringLiteral("TURMA"), QStringLiteral("DESCRICAO"), QStringLiteral("MATRICULA"),
                       QStringLiteral("NOME"), QStringLiteral("MENSALIDADE"), QStringLiteral("PERCENTUAL"),
                       QStringLiteral("ABATIMENTO"), QStringLiteral("VALOR_FINAL")});
    for (const DiscountRow &row : rows) {
        source.append({row.classCode, row.classDescription, QString::number(row.matricula), row.name, row.fee.format(),
                       row.percent, row.discount.format(), row.finalValue.format()});
    }
    return layout(report, source);
}

ReportEntry discountListEntry()
{
    ReportEntry entry;
    entry.name = QStringLiteral("descontos");
    entry.menuEntry = QStringLiteral("mnuAlunosDesconto");
    entry.params = {classParam()};
    entry.askAgain = true;
    entry.build = [](const ReportInput &input) {
        return discountList(input.db, input.school, input.values.text(QStringLiteral("class")));
    };
    return entry;
}

} // namespace reports
