#include "data/settings/QuorvelIni.h"

#include "core/Formats.h"
#include "core/ProgramDirs.h"
#include "data/settings/IniFile.h"

#include <QDir>

namespace data {

namespace {

// The fine is written with the decimal comma; a point is accepted too ("0.05").
double readFine(const IniFile &ini, double fallback)
{
    const QString text = ini.readString("CCORRENT", "Juros", QStringLiteral("0,03"));
    if (const std::optional<double> value = core::parseNumber(text))
        return *value;
    if (!text.contains(u','))
        if (const std::optional<double> value =
                core::parseNumber(QString(text).replace(u'.', u',')))
            return *value;
    return fallback;
}

// Files copied from Windows may carry any letter case ("QUORVEL.INI").
QString iniPath(const QString &dataDir)
{
    const QString name = QString::fromLatin1(kQuorvelIniName);
    const QStringList found = QDir(dataDir).entryList({name}, QDir::Files);
    return core::joinPath(dataDir, found.isEmpty() ? name : found.first());
}

} // namespace

void applyQuorvelIni(const IniFile &ini, Settings &record)
{
    const Settings d; // defaults of every item
    record.Juros = readFine(ini, d.Juros);
    record.Data_Venc = ini.readInteger("CCORRENT", "Data_Venc", d.Data_Venc);
    record.Uni_Media = ini.readInteger("NOTAS", "Uni_Media", d.Uni_Media);
    record.Ger_Media = ini.readInteger("NOTAS", "Ger_Media", d.Ger_Media);
    record.Peso_1 = ini.readInteger("NOTAS", "Peso_1", d.Peso_1);
    record.Peso_2 = ini.readInteger("NOTAS", "Peso_2", d.Peso_2);
    record.PesoUND1 = ini.readInteger("NOTAS", "PesoUND1", d.PesoUND1);
    record.PesoUND2 = ini.readInteger("NOTAS", "PesoUND2", d.PesoUND2);
    record.PesoUND3 = ini.readInteger("NOTAS", "PesoUND3", d.PesoUND3);
    record.PesoUND4 = ini.readInteger("NOTAS", "PesoUND4", d.PesoUND4);
    record.Arredondamento = ini.readInteger("NOTAS", "Arredondamento", d.Arredondamento);
    record.Unid_Aval = ini.readInteger("NOTAS", "Unid_Aval", d.Unid_Aval);
    record.Limite_Dep = ini.readInteger("NOTAS", "Limite_Dep", d.Limite_Dep);
    record.Recup_Media = ini.readBool("NOTAS", "Recup_Media", d.Recup_Media);
    record.Usa_Rede = ini.readBool("REDE", "Usa_Rede", d.Usa_Rede);
    record.Termo_Func =
        ini.readString("TERMOS", "Termo_Func", d.Termo_Func).left(settingsLimits::Termo_Func);
    record.Termo_Unidade =
        ini.readString("TERMOS", "Termo_Unid", d.Termo_Unidade).left(settingsLimits::Termo_Unidade);
    record.Termo_Recup =
        ini.readString("TERMOS", "Termo_Recup", d.Termo_Recup).left(settingsLimits::Termo_Recup);
    record.Turma_Disc = ini.readBool("DISCIPLINAS", "Turma_Disc", d.Turma_Disc);
}

bool readQuorvelIni(const QString &dataDir, Settings &record)
{
    const std::optional<IniFile> ini = IniFile::read(iniPath(dataDir));
    if (!ini)
        return false;
    applyQuorvelIni(*ini, record);
    return true;
}

} // namespace data
