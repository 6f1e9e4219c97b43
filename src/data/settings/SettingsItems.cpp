#include "data/settings/SettingsItems.h"

#include "core/Formats.h"
#include "data/schema/Fields.h"
#include "data/store/Dataset.h"

#include <stdexcept>

namespace data {

namespace {

using Kind = SettingsItem::Kind;

SettingsItem makeItem(const char *name, FieldDef column, Kind kind, SettingsItem::Member member,
                      const QString &defaultText)
{
    SettingsItem item;
    item.name = QString::fromLatin1(name);
    item.column = std::move(column);
    item.kind = kind;
    item.member = member;
    item.defaultText = defaultText;
    return item;
}

SettingsItem textItem(const char *name, FieldDef column, QString Settings::*member, int limit,
                      const char *defaultText = "")
{
    SettingsItem item = makeItem(name, std::move(column), Kind::Text, member,
                                 QString::fromUtf8(defaultText));
    item.limit = item.width = limit;
    return item;
}

SettingsItem wholeItem(const char *name, FieldDef column, int Settings::*member, int defaultValue,
                       int minimum, int maximum, int width)
{
    SettingsItem item = makeItem(name, std::move(column), Kind::Whole, member,
                                 QString::number(defaultValue));
    item.width = width;
    item.minimum = minimum;
    item.maximum = maximum;
    return item;
}

SettingsItem logicalItem(const char *name, bool Settings::*member, bool defaultValue)
{
    return makeItem(name, schema::logical(QString::fromLatin1(name)), Kind::Logical, member,
                    settingsLogicalText(defaultValue));
}

SettingsItem inIni(SettingsItem item, const char *section, const char *key = nullptr)
{
    item.iniSection = QString::fromLatin1(section);
    item.iniKey = key ? QString::fromLatin1(key) : item.name;
    return item;
}

QList<SettingsItem> buildItems()
{
    using namespace schema;
    using S = Settings;
    SettingsItem year = makeItem("Ano_Ref", shortInt(QStringLiteral("ANO_REF")), Kind::Year,
                                 &S::Ano_Ref, QString());
    year.limit = year.width = 4;
    SettingsItem fine = makeItem("Juros", floating(QStringLiteral("Juros")), Kind::Percent,
                                 &S::Juros, QStringLiteral("0,03"));
    fine.width = 4;

    return {
        textItem("Estabel", text(QStringLiteral("Estabel"), 60), &S::Estabel, 60),
        textItem("Endereco", text(QStringLiteral("Endereco"), 60), &S::Endereco, 60),
        textItem("Municipio", text(QStringLiteral("Municipio"), 60), &S::Municipio, 30),
        textItem("CGC", text(QStringLiteral("CGC"), 18), &S::CGC, 18),
        textItem("Fone", text(QStringLiteral("FONE"), 14), &S::Fone, 14),
        year,
        textItem("UF", text(QStringLiteral("UF"), 2), &S::UF, 2),
        textItem("Num_Cadastro", text(QStringLiteral("NUM_CADASTRO"), 15), &S::Num_Cadastro, 15),
        inIni(fine, "CCORRENT"),
        inIni(wholeItem("Uni_Media", floating(QStringLiteral("UNI_MEDIA")), &S::Uni_Media, 7, 0, 10, 1),
              "NOTAS"),
        inIni(wholeItem("Ger_Media", floating(QStringLiteral("GER_MEDIA")), &S::Ger_Media, 6, 0, 10, 1),
              "NOTAS"),
        inIni(wholeItem("Data_Venc", longInt(QStringLiteral("DATA_VENC")), &S::Data_Venc, 10, 1, 31, 2),
              "CCORRENT"),
        inIni(wholeItem("Peso_1", longInt(QStringLiteral("PESO_1")), &S::Peso_1, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("Peso_2", longInt(QStringLiteral("PESO_2")), &S::Peso_2, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("Unid_Aval", longInt(QStringLiteral("UNID_AVAL")), &S::Unid_Aval, 4, 1, 4, 1),
              "NOTAS"),
        inIni(wholeItem("Limite_Dep", longInt(QStringLiteral("LIMITE_DEP")), &S::Limite_Dep, 2, 0, 99, 1),
              "NOTAS"),
        inIni(logicalItem("Recup_Media", &S::Recup_Media, false), "NOTAS"),
        inIni(wholeItem("PesoUND1", longInt(QStringLiteral("PesoUND1")), &S::PesoUND1, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("PesoUND2", longInt(QStringLiteral("PesoUND2")), &S::PesoUND2, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("PesoUND3", longInt(QStringLiteral("PesoUND3")), &S::PesoUND3, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("PesoUND4", longInt(QStringLiteral("PesoUND4")), &S::PesoUND4, 1, 0, 99, 2), "NOTAS"),
        inIni(wholeItem("Arredondamento", longInt(QStringLiteral("Arredondamento")), &S::Arredondamento,
                    0, 0, 2, 1),
              "NOTAS"),
        inIni(logicalItem("Usa_Rede", &S::Usa_Rede, false), "REDE"),
        inIni(logicalItem("Turma_Disc", &S::Turma_Disc, true), "DISCIPLINAS"),
        inIni(textItem("Termo_Func", text(QStringLiteral("Termo_Func"), 12), &S::Termo_Func, 12,
                   "Funcionários"),
              "TERMOS"),
        inIni(textItem("Termo_Unidade", text(QStringLiteral("Termo_Unidade"), 10), &S::Termo_Unidade,
                   10, "Unid"),
              "TERMOS", "Termo_Unid"),
        inIni(textItem("Termo_Recup", text(QStringLiteral("Termo_Recup"), 5), &S::Termo_Recup, 5,
                   "Recup"),
              "TERMOS"),
        textItem("Pix_Chave", text(QStringLiteral("PIX_CHAVE"), 77), &S::Pix_Chave, 77),
        textItem("Pix_Nome", text(QStringLiteral("PIX_NOME"), 25), &S::Pix_Nome, 25),
        textItem("Pix_Cidade", text(QStringLiteral("PIX_CIDADE"), 15), &S::Pix_Cidade, 15),
    };
}

std::optional<bool> parseLogical(const QString &text)
{
    if (const std::optional<qint64> number = core::parseInteger(text))
        return *number != 0;
    const QString t = text.trimmed().toLower();
    if (t == u"true" || t == u"sim")
        return true;
    if (t == u"false" || t == u"não" || t == u"nao")
        return false;
    return std::nullopt;
}

bool refuse(const SettingsItem &item, const QString &detail, QString *error)
{
    if (error)
        *error = QStringLiteral("valor inválido para %1: %2").arg(item.name, detail);
    return false;
}

QString because(const QString &text, const QString &why)
{
    return QStringLiteral("%1 (%2)").arg(text, why);
}

} // namespace

QString settingsLogicalText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString SettingsItem::text(const Settings &r) const
{
    switch (kind) {
    case Kind::Text:
    case Kind::Year:
        return r.*std::get<QString Settings::*>(member);
    case Kind::Percent:
        return core::formatNumber(r.*std::get<double Settings::*>(member), QStringLiteral("0.00"));
    case Kind::Whole:
        return QString::number(r.*std::get<int Settings::*>(member));
    case Kind::Logical:
        return settingsLogicalText(r.*std::get<bool Settings::*>(member));
    }
    return QString();
}

bool SettingsItem::setText(Settings &r, const QString &typed, QString *error) const
{
    switch (kind) {
    case Kind::Text:
        r.*std::get<QString Settings::*>(member) = typed.left(limit);
        return true;
    case Kind::Year: {
        const std::optional<qint64> year = core::parseInteger(typed);
        if (!year || *year < 0 || *year > 9999)
            return refuse(*this, because(typed, QStringLiteral("um ano de até 4 algarismos")), error);
        r.*std::get<QString Settings::*>(member) = QString::number(*year);
        return true;
    }
    case Kind::Percent: {
        const std::optional<double> value = core::parseNumber(typed);
        if (!value) {
            return refuse(*this, core::invalidNumberMessage(typed).replace(u'\r', u' '), error);
        }
        if (*value < 0)
            return refuse(*this, because(typed, QStringLiteral("não pode ser negativo")), error);
        r.*std::get<double Settings::*>(member) = *value;
        return true;
    }
    case Kind::Whole: {
        const std::optional<qint64> value = core::parseInteger(typed);
        if (!value)
            return refuse(*this, because(typed, QStringLiteral("um número inteiro")), error);
        if (*value < minimum || *value > maximum)
            return refuse(*this, because(typed, QStringLiteral("de %1 a %2").arg(minimum).arg(maximum)),
                          error);
        r.*std::get<int Settings::*>(member) = static_cast<int>(*value);
        return true;
    }
    case Kind::Logical: {
        const std::optional<bool> value = parseLogical(typed);
        if (!value)
            return refuse(*this, because(typed, QStringLiteral("True ou False")), error);
        r.*std::get<bool Settings::*>(member) = *value;
        return true;
    }
    }
    return false;
}

void SettingsItem::reset(Settings &r) const
{
    if (kind == Kind::Text || kind == Kind::Year)
        r.*std::get<QString Settings::*>(member) = defaultText;
    else
        setText(r, defaultText);
}

QVariant SettingsItem::storeValue(const Settings &r) const
{
    switch (kind) {
    case Kind::Text:
        return r.*std::get<QString Settings::*>(member);
    case Kind::Year: {
        bool numeric = false;
        const int year = (r.*std::get<QString Settings::*>(member)).trimmed().toInt(&numeric);
        return numeric ? QVariant(year) : QVariant();
    }
    case Kind::Percent:
        // Two decimals, as the table has always kept the fine.
        return QString::number(r.*std::get<double Settings::*>(member), 'f', 2).toDouble();
    case Kind::Whole:
        return r.*std::get<int Settings::*>(member);
    case Kind::Logical:
        return r.*std::get<bool Settings::*>(member);
    }
    return QVariant();
}

void SettingsItem::load(const Dataset &row, Settings &r) const
{
    if (!row.hasField(column.name) || row.isBlank(column.name))
        return;
    switch (kind) {
    case Kind::Text:
        r.*std::get<QString Settings::*>(member) = row.asText(column.name).left(limit);
        break;
    case Kind::Year:
        r.*std::get<QString Settings::*>(member) = QString::number(row.asInteger(column.name)).left(limit);
        break;
    case Kind::Percent:
        r.*std::get<double Settings::*>(member) = row.asFloat(column.name);
        break;
    case Kind::Whole:
        // Some counts live in floating columns; they are whole numbers all the same.
        r.*std::get<int Settings::*>(member) = qRound(row.asFloat(column.name));
        break;
    case Kind::Logical:
        r.*std::get<bool Settings::*>(member) = row.asLogical(column.name);
        break;
    }
}

const QList<SettingsItem> &settingsItems()
{
    static const QList<SettingsItem> items = buildItems();
    return items;
}

const SettingsItem *findSettingsItem(const QString &name)
{
    for (const SettingsItem &item : settingsItems()) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

const SettingsItem &settingsItem(const QString &name)
{
    if (const SettingsItem *item = findSettingsItem(name))
        return *item;
    throw std::logic_error("unknown settings item " + name.toStdString());
}

bool setSettingsTexts(Settings &record, const QList<std::pair<const SettingsItem *, QString>> &texts,
                      QString *error)
{
    for (const auto &[item, text] : texts) {
        if (!item->setText(record, text, error))
            return false;
    }
    return true;
}

} // namespace data
