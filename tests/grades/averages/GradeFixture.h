#pragma once

#include "data/modules/ModuleFixture.h"
#include "data/settings/Settings.h"
#include "grades/UnitRowSave.h"

// A school year with the averages installed in the academic data module, and helpers to type
// marks and read grade rows.
class GradeFixture : public ModuleFixture
{
protected:
    void SetUp() override
    {
        ModuleFixture::SetUp();
        grades::installAverages(*m_academic);
        data::Settings &s = data::settings();
        s.Uni_Media = 7;
        s.Ger_Media = 6;
        s.Peso_1 = s.Peso_2 = 1;
        s.PesoUND1 = s.PesoUND2 = s.PesoUND3 = s.PesoUND4 = 1;
        s.Arredondamento = 0;
        s.Recup_Media = false;
        s.computeDerived();
    }

    static data::SqlParams key(int matricula, const QString &disc)
    {
        return {{QStringLiteral("m"), matricula}, {QStringLiteral("d"), disc}};
    }
    // Sets a column of the year row of a student's subject.
    void setYear(int matricula, const QString &disc, const QString &column, const QVariant &value) const
    {
        data::SqlParams p = key(matricula, disc);
        p.insert(QStringLiteral("v"), value);
        exec(QStringLiteral("update NOTAS set %1 = :v where MATRICULA = :m and DISC = :d").arg(column), p);
    }
    void setUnit(int unit, int matricula, const QString &disc, const QString &column, const QVariant &value) const
    {
        data::SqlParams p = key(matricula, disc);
        p.insert(QStringLiteral("v"), value);
        exec(QStringLiteral("update NotasUni%1 set %2 = :v where MATRICULA = :m and DISC = :d").arg(unit).arg(column), p);
    }
    QVariant year(int matricula, const QString &disc, const QString &column) const
    {
        return scalar(QStringLiteral("select %1 from NOTAS where MATRICULA = :m and DISC = :d").arg(column),
                      key(matricula, disc));
    }
    QVariant unitValue(int unit, int matricula, const QString &disc, const QString &column) const
    {
        return scalar(QStringLiteral("select %1 from NotasUni%2 where MATRICULA = :m and DISC = :d").arg(column).arg(unit),
                      key(matricula, disc));
    }
};
