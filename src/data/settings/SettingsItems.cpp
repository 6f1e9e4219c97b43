#include "data/settings/SettingsItems.h"

#include "core/Formats.h"

#include <functional>

namespace data {

namespace {

struct Item
{
    QString name;
    std::function<QString(const Settings &)> get;
    // Returns false when the text does not convert.
    std::function<bool(Settings &, const QString &)> set;
};

QString logicalText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

Item textItem(const QString &name, QString Settings::*member, int limit)
{
    return {name, [member](const Settings &s) { return s.*member; },
            [member, limit](Settings &s, const QString &text) {
                s.*member = text.left(limit);
                return true;
            }};
}

Item integerItem(const QString &name, int Settings::*member)
{
    return {name, [member](const Settings &s) { return QString::number(s.*member); },
            [member](Settings &s, const QString &text) {
                bool ok = false;
                const int value = text.trimmed().toInt(&ok);
                if (ok)
                    s.*member = value;
                return ok;
            }};
}

Item logicalItem(const QString &name, bool Settings::*member)
{
    return {name, [member](const Settings &s) { return logicalText(s.*member); },
            [member](Settings &s, const QString &text) {
                const QString t = text.trimmed().toLower();
                if (t == u"true" || t == u"sim" || t == u"1")
                    s.*member = true;
                else if (t == u"false" || t == u"não" || t == u"nao" || t == u"0")
                    s.*member = false;
                else
                    return false;
                return true;
            }};
}

const QList<Item> &items()
{
    namespace L = settingsLimits;
    static const QList<Item> list = {
        textItem("Estabel", &Settings::Estabel, L::Estabel),
        textItem("Endereco", &Settings::Endereco, L::Endereco),
        textItem("Municipio", &Settings::Municipio, L::Municipio),
        textItem("UF", &Settings::UF, L::UF),
        textItem("CGC", &Settings::CGC, L::CGC),
        textItem("Fone", &Settings::Fone, L::Fone),
        textItem("Num_Cadastro", &Settings::Num_Cadastro, L::Num_Cadastro),
        textItem("Ano_Ref", &Settings::Ano_Ref, L::Ano_Ref),
        {"Juros", [](const Settings &s) { return core::formatPlain(s.Juros); },
         [](Settings &s, const QString &text) {
             const std::optional<double> value = core::parseNumber(text);
             if (value)
                 s.Juros = *value;
             return value.has_value();
         }},
        integerItem("Data_Venc", &Settings::Data_Venc),
        integerItem("Uni_Media", &Settings::Uni_Media),
        integerItem("Ger_Media", &Settings::Ger_Media),
        integerItem("Peso_1", &Settings::Peso_1),
        integerItem("Peso_2", &Settings::Peso_2),
        integerItem("PesoUND1", &Settings::PesoUND1),
        integerItem("PesoUND2", &Settings::PesoUND2),
        integerItem("PesoUND3", &Settings::PesoUND3),
        integerItem("PesoUND4", &Settings::PesoUND4),
        integerItem("Unid_Aval", &Settings::Unid_Aval),
        integerItem("Limite_Dep", &Settings::Limite_Dep),
        logicalItem("Recup_Media", &Settings::Recup_Media),
        integerItem("Arredondamento", &Settings::Arredondamento),
        logicalItem("Usa_Rede", &Settings::Usa_Rede),
        textItem("Termo_Func", &Settings::Termo_Func, L::Termo_Func),
        textItem("Termo_Unidade", &Settings::Termo_Unidade, L::Termo_Unidade),
        textItem("Termo_Recup", &Settings::Termo_Recup, L::Termo_Recup),
        logicalItem("Turma_Disc", &Settings::Turma_Disc),
    };
    return list;
}

} // namespace

QList<QPair<QString, QString>> settingsItems(const Settings &record)
{
    QList<QPair<QString, QString>> list;
    for (const Item &item : items())
        list += {item.name, item.get(record)};
    return list;
}

bool setSettingsItem(Settings &record, const QString &name, const QString &text, QString *error)
{
    for (const Item &item : items()) {
        if (item.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (item.set(record, text))
            return true;
        if (error)
            *error = QStringLiteral("valor inválido para %1: %2").arg(item.name, text);
        return false;
    }
    if (error)
        *error = QStringLiteral("item de configuração desconhecido: %1").arg(name);
    return false;
}

} // namespace data
