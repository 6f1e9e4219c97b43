#include "data/settings/SettingsItems.h"
#include "support/QStringPrinting.h"

#include <QSet>
#include <gtest/gtest.h>

using data::Settings;
using data::SettingsItem;
using data::settingsItem;

namespace {

// A text for every item that differs from its default and fits it.
QString otherText(const SettingsItem &item)
{
    switch (item.kind) {
    case SettingsItem::Kind::Text:
        return QString(item.limit, u'Ç');
    case SettingsItem::Kind::Year:
        return QStringLiteral("2011");
    case SettingsItem::Kind::Percent:
        return QStringLiteral("1.234,56");
    case SettingsItem::Kind::Whole:
        return QString::number(item.defaultText.toInt() == item.maximum ? item.minimum : item.maximum);
    case SettingsItem::Kind::Logical:
        return data::settingsLogicalText(item.defaultText != data::settingsLogicalText(true));
    }
    return QString();
}

bool accepts(const char *name, const QString &text, QString *error = nullptr)
{
    Settings record;
    return settingsItem(QString::fromLatin1(name)).setText(record, text, error);
}

} // namespace

TEST(SettingsItems, EveryItemHasItsOwnNameColumnAndPlaceInTheRecord)
{
    QSet<QString> names, columns;
    QList<SettingsItem::Member> members;
    for (const SettingsItem &item : data::settingsItems()) {
        EXPECT_FALSE(names.contains(item.name.toUpper())) << item.name.toStdString();
        EXPECT_FALSE(columns.contains(item.column.name.toUpper())) << item.name.toStdString();
        EXPECT_FALSE(members.contains(item.member)) << item.name.toStdString();
        names += item.name.toUpper();
        columns += item.column.name.toUpper();
        members += item.member;
    }
    EXPECT_EQ(names.size(), 30);
}

TEST(SettingsItems, ARecordStartsAtTheDefaults)
{
    const Settings s = Settings::defaults(QStringLiteral("2009"));
    EXPECT_EQ(s.Ano_Ref, QStringLiteral("2009"));
    EXPECT_DOUBLE_EQ(s.Juros, 0.03);
    EXPECT_EQ(s.Data_Venc, 10);
    EXPECT_EQ(s.Uni_Media, 7);
    EXPECT_EQ(s.Ger_Media, 6);
    EXPECT_EQ(s.Unid_Aval, 4);
    EXPECT_EQ(s.Limite_Dep, 2);
    EXPECT_EQ(s.pesoUnd(4), 1);
    EXPECT_EQ(s.Arredondamento, 0);
    EXPECT_FALSE(s.Recup_Media);
    EXPECT_FALSE(s.Usa_Rede);
    EXPECT_TRUE(s.Turma_Disc);
    EXPECT_EQ(s.Termo_Func, QStringLiteral("Funcionários"));
    EXPECT_EQ(s.Termo_Unidade, QStringLiteral("Unid"));
    EXPECT_EQ(s.Termo_Recup, QStringLiteral("Recup"));
    EXPECT_TRUE(s.Estabel.isEmpty());
    EXPECT_EQ(s.unitPassMark, 7.0);
    EXPECT_TRUE(s.reportFooter.contains(QStringLiteral("Lumesco")));
}

TEST(SettingsItems, WhatIsShownReadsBackUnchanged)
{
    Settings changed;
    for (const SettingsItem &item : data::settingsItems()) {
        QString error;
        ASSERT_TRUE(item.setText(changed, otherText(item), &error)) << error.toStdString();
        EXPECT_NE(item.text(changed), item.text(Settings())) << item.name.toStdString();
    }
    Settings copy;
    for (const SettingsItem &item : data::settingsItems())
        ASSERT_TRUE(item.setText(copy, item.text(changed))) << item.name.toStdString();
    for (const SettingsItem &item : data::settingsItems())
        EXPECT_EQ(item.text(copy), item.text(changed)) << item.name.toStdString();
    EXPECT_DOUBLE_EQ(copy.Juros, 1234.56);
}

TEST(SettingsItems, NumbersFollowTheProgramsRules)
{
    Settings record;
    const SettingsItem &fine = settingsItem(QStringLiteral("juros"));
    ASSERT_TRUE(fine.setText(record, QStringLiteral("0,05")));
    EXPECT_DOUBLE_EQ(record.Juros, 0.05);
    EXPECT_EQ(fine.text(record), QStringLiteral("0,05"));
    ASSERT_TRUE(fine.setText(record, QStringLiteral("1.500,25")));
    EXPECT_DOUBLE_EQ(record.Juros, 1500.25);
    record.Juros = 0.033;
    EXPECT_EQ(fine.text(record), QStringLiteral("0,03")); // shown with two decimals

    ASSERT_TRUE(fine.setText(record, QStringLiteral("1.500")));
    EXPECT_DOUBLE_EQ(record.Juros, 1500);

    // A point used as a decimal point is refused, never read as thousands.
    QString error;
    EXPECT_FALSE(accepts("Juros", QStringLiteral("0.050"), &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Juros: \"0.050\" não é um número válido. Use a "
                                    "vírgula para os decimais (0,05) e o ponto só para os milhares (1.500,00)."));
    EXPECT_FALSE(accepts("Juros", QStringLiteral("0.05")));
    EXPECT_FALSE(accepts("Juros", QStringLiteral("1.5")));
    EXPECT_FALSE(accepts("Data_Venc", QStringLiteral("0.010")));
    EXPECT_FALSE(accepts("Juros", QStringLiteral("-1"), &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Juros: -1 (não pode ser negativo)"));
    EXPECT_FALSE(accepts("Juros", QStringLiteral("abc")));

    EXPECT_FALSE(accepts("Unid_Aval", QStringLiteral("5"), &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Unid_Aval: 5 (de 1 a 4)"));
    EXPECT_FALSE(accepts("Unid_Aval", QStringLiteral("0")));
    EXPECT_TRUE(accepts("Unid_Aval", QStringLiteral(" 3 ")));
    EXPECT_FALSE(accepts("Uni_Media", QStringLiteral("sete"), &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Uni_Media: sete (um número inteiro)"));
    EXPECT_FALSE(accepts("Uni_Media", QStringLiteral("7,5")));
    EXPECT_FALSE(accepts("Data_Venc", QStringLiteral("0"))); // no such day: charges without a due date
    EXPECT_FALSE(accepts("Data_Venc", QStringLiteral("32")));
    EXPECT_FALSE(accepts("Arredondamento", QStringLiteral("3")));
    EXPECT_FALSE(accepts("PesoUND4", QString()));
    EXPECT_TRUE(accepts("Limite_Dep", QStringLiteral("0")));

    EXPECT_FALSE(accepts("Ano_Ref", QStringLiteral("20a9")));
    EXPECT_FALSE(accepts("Ano_Ref", QString()));
    ASSERT_TRUE(settingsItem(QStringLiteral("Ano_Ref")).setText(record, QStringLiteral(" 2010 ")));
    EXPECT_EQ(record.Ano_Ref, QStringLiteral("2010"));
}

TEST(SettingsItems, LogicalsAndTexts)
{
    Settings record;
    const SettingsItem &network = settingsItem(QStringLiteral("Usa_Rede"));
    for (const char *yes : {"True", "sim", "1", "-1"}) {
        record.Usa_Rede = false;
        ASSERT_TRUE(network.setText(record, QString::fromUtf8(yes))) << yes;
        EXPECT_TRUE(record.Usa_Rede) << yes;
    }
    for (const char *no : {"False", "não", "NAO", "0"}) {
        record.Usa_Rede = true;
        ASSERT_TRUE(network.setText(record, QString::fromUtf8(no))) << no;
        EXPECT_FALSE(record.Usa_Rede) << no;
    }
    EXPECT_FALSE(network.setText(record, QStringLiteral("talvez")));
    EXPECT_EQ(network.text(record), QStringLiteral("False"));

    ASSERT_TRUE(settingsItem(QStringLiteral("Municipio")).setText(record, QString(40, u'M')));
    EXPECT_EQ(record.Municipio.size(), 30);
    ASSERT_TRUE(settingsItem(QStringLiteral("Termo_Recup")).setText(record, QStringLiteral("RECUPERAÇÃO")));
    EXPECT_EQ(record.Termo_Recup, QStringLiteral("RECUP"));
}

TEST(SettingsItems, ASeriesStopsAtTheFirstTextThatDoesNotFit)
{
    Settings record;
    const QList<std::pair<const SettingsItem *, QString>> texts = {
        {&settingsItem(QStringLiteral("Fone")), QStringLiteral("3245-6789")},
        {&settingsItem(QStringLiteral("Uni_Media")), QStringLiteral("8")},
        {&settingsItem(QStringLiteral("Peso_1")), QStringLiteral("x")},
        {&settingsItem(QStringLiteral("Peso_2")), QStringLiteral("3")}};
    QString error;
    EXPECT_FALSE(data::setSettingsTexts(record, texts, &error));
    EXPECT_EQ(error, QStringLiteral("valor inválido para Peso_1: x (um número inteiro)"));
    EXPECT_EQ(record.Fone, QStringLiteral("3245-6789"));
    EXPECT_EQ(record.Uni_Media, 8);
    EXPECT_EQ(record.Peso_1, 1);
    EXPECT_EQ(record.Peso_2, 1); // never reached
}

TEST(SettingsItems, FoundByNameInAnyCase)
{
    ASSERT_TRUE(data::findSettingsItem(QStringLiteral("termo_unidade")));
    EXPECT_EQ(data::findSettingsItem(QStringLiteral("termo_unidade"))->iniKey, QStringLiteral("Termo_Unid"));
    EXPECT_FALSE(data::findSettingsItem(QStringLiteral("Cor")));
    EXPECT_FALSE(data::findSettingsItem(QStringLiteral("Version_Info")));
    EXPECT_THROW(settingsItem(QStringLiteral("Cor")), std::logic_error);
}
