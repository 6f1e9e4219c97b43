#include "students/Situations.h"

#include "core/Clock.h"
#include "data/store/Dataset.h"

namespace students {

const QStringList &situationLines()
{
    static const QStringList lines{QStringLiteral("B - Bolsista (100%)"), QStringLiteral("D - Desistente"),
                                   QStringLiteral("I - Ignore para cobrança"), QStringLiteral("T - Transferido")};
    return lines;
}

bool isLeaver(const QString &sit)
{
    const QString code = sit.trimmed();
    return code == u"D" || code == u"T";
}

void pickSituation(data::Dataset &alunos, const QString &line)
{
    alunos.setText("SIT", line.left(1));
    alunos.setText("OBSSIT", line);
}

void situationLeft(data::Dataset &alunos)
{
    if (!alunos.isEditing())
        return;
    const QString code = alunos.asText("SIT").trimmed();
    if (code.isEmpty())
        return;
    alunos.setDate("DATASIT", core::today());
    if (code == u"B") {
        alunos.setFloat("ABAT", 100);
        alunos.setText("IMP", QStringLiteral("%"));
    }
}

} // namespace students
