#include "data/settings/Settings.h"

#include "data/settings/SettingsItems.h"

namespace data {

Settings::Settings()
{
    for (const SettingsItem &item : settingsItems())
        item.reset(*this);
    computeDerived();
}

Settings Settings::defaults(const QString &schoolYear)
{
    Settings s;
    s.Ano_Ref = schoolYear.left(settingsItem(QStringLiteral("Ano_Ref")).limit);
    return s;
}

void Settings::computeDerived()
{
    unitPassMark = Uni_Media;
    finalPassMark = Ger_Media;
    dependencyLimit = Limite_Dep;
    reportFooter = QString::fromUtf8(core::kApplicationTitle) +
                   QStringLiteral("\nSistema de Administração Escolar Lumesco - "
                                  "desenvolvido pela equipe Lumesco");
}

int Settings::pesoUnd(int unit) const
{
    switch (unit) {
    case 1:
        return PesoUND1;
    case 2:
        return PesoUND2;
    case 3:
        return PesoUND3;
    case 4:
        return PesoUND4;
    default:
        return 0;
    }
}

Settings &settings()
{
    static Settings record = Settings::defaults(QString());
    return record;
}

} // namespace data
