#pragma once

#include "students/forms/TfrmDefinirTurma.h"

namespace students {

// The class picker's twin without the optional parts: all classes or one.
class TfrmDefinirBolsa : public TfrmDefinirTurma
{
    Q_OBJECT

public:
    explicit TfrmDefinirBolsa(const QStringList &classLines, QWidget *parent = nullptr);
};

} // namespace students
