#include "students/forms/TfrmDefinirBolsa.h"

namespace students {

TfrmDefinirBolsa::TfrmDefinirBolsa(const QStringList &classLines, QWidget *parent)
    : TfrmDefinirTurma(classLines, {}, parent)
{
    setObjectName(QStringLiteral("frmDefinirBolsa"));
}

} // namespace students
