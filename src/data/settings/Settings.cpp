#include "data/settings/Settings.h"

namespace data {

Settings Settings::defaults(const QString &schoolYear)
{
    Settings s;
    s.Ano_Ref = schoolYear.left(settingsLimits::Ano_Ref);
    s.computeDerived();
    return s;
}

void Settings::cutToLimits()
{
    namespace L = settingsLimits;
    Estabel.truncate(L::Estabel);
    Endereco.truncate(L::Endereco);
    Municipio.truncate(L::Municipio);
    UF.truncate(L::UF);
    CGC.truncate(L::CGC);
    Fone.truncate(L::Fone);
    Num_Cadastro.truncate(L::Num_Cadastro);
    Ano_Ref.truncate(L::Ano_Ref);
    Termo_Func.truncate(L::Termo_Func);
    Termo_Unidade.truncate(L::Termo_Unidade);
    Termo_Recup.truncate(L::Termo_Recup);
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
