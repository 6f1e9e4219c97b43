#include "reports/cards/CardHeading.h"

#include "core/Formats.h"
#include "reports/cards/CardRules.h"

namespace reports {

void addSubjectLabel(Band &detail, Tenths width, Tenths rowHeight, double points,
                     const QString &ownClassField)
{
    detail.label(QString(), {10, 5, width - 10, rowHeight - 5})
        .named(QStringLiteral("qrDisciplina"))
        .sized(points)
        .onPrint([ownClassField](ElementLook &look, const PrintContext &context) {
            look.text = subjectText(context.value(QStringLiteral("discpl_desc")).toString(),
                                    context.value(QStringLiteral("TURMA")).toString(),
                                    context.value(ownClassField).toString(),
                                    context.value(QStringLiteral("Consolidada")).toInt() == 1);
        });
}

void printMarkCell(ElementLook &look, const MarkCell &cell)
{
    look.text = cell.text;
    look.font.bold = cell.bold;
    look.font.italic = cell.italic;
    look.color = cell.color;
}

std::optional<double> numberOf(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    bool ok = false;
    const double n = value.toDouble(&ok);
    return ok ? std::optional<double>(n) : std::nullopt;
}

QString enrolmentText(const QVariant &value)
{
    if (value.isNull())
        return {};
    return core::formatNumber(value.toDouble(), QStringLiteral("0"));
}

Tenths addStudentHeading(Band &band, const SchoolInfo &school, const QString &title, Tenths width,
                         double titlePoints)
{
    addSchoolHeading(band, school);
    band.label(title, {width - 900, 0, 900, 80}).aligned(Align::Right).withFont(font(titlePoints, true));
    band.line({0, 225, width, 0}).pen(Qt::black, 4);
    band.label(QStringLiteral("TURMA:"), {0, 250, 200, 45}).withFont(font(10, true));
    band.label(QString(), {200, 250, width - 200, 45})
        .named(QStringLiteral("qrTurma"))
        .withFont(font(10))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = context.value(QStringLiteral("TURMA")).toString() + u' ' +
                        context.value(QStringLiteral("turma_desc")).toString();
        });
    band.label(QStringLiteral("Matrícula"), {0, 310, 250, 40}).withFont(font(8));
    band.label(QString(), {0, 350, 250, 50})
        .named(QStringLiteral("qrMatricula"))
        .withFont(font(11, true))
        .onPrint([](ElementLook &look, const PrintContext &context) {
            look.text = enrolmentText(context.value(QStringLiteral("MATRICULA")));
        });
    band.label(QStringLiteral("Nome do Aluno"), {300, 310, 1000, 40}).withFont(font(8));
    band.field(QStringLiteral("NOME"), {300, 350, width - 300, 50})
        .named(QStringLiteral("qrNome"))
        .withFont(font(11, true));
    return 430;
}

} // namespace reports
