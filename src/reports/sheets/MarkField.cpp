#include "reports/sheets/MarkField.h"

#include <optional>

namespace reports {

namespace {

std::optional<double> optionalNumber(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

void addMarkField(Band &band, const QString &field, const QRect &rect, MarkColumn column, const PassMarks &passMarks)
{
    band.field(field, rect)
        .aligned(Align::Right)
        .sized(9)
        .onPrint([field, column, passMarks](ElementLook &look, const PrintContext &context) {
            MarkCellInput input;
            input.value = optionalNumber(context.value(field));
            input.column = column;
            input.subjectType = context.value(QStringLiteral("TIPO")).toString().trimmed();
            input.passMarks = passMarks;
            input.finalExam = optionalNumber(context.value(QStringLiteral("PFINAL")));
            const MarkCell cell = markCell(input);
            look.text = cell.text;
            look.color = cell.color;
            look.font.bold = cell.bold;
            look.font.italic = cell.italic;
        });
}

} // namespace reports
