#include "billing/contracts/ContractGeneration.h"
#include "billing/contracts/ContractModel.h"
#include "billing/contracts/RtfPreview.h"
#include "billing/contracts/RtfText.h"

#include <gtest/gtest.h>

using namespace billing;

TEST(RtfText, EscapesMarkupAndWritesAccentsAsWindows1252)
{
    EXPECT_EQ(rtfEscaped(QStringLiteral("JOÃO D'ÁVILA")), QStringLiteral("JO\\'c3O D'\\'c1VILA"));
    EXPECT_EQ(rtfEscaped(QStringLiteral("{A} \\B")), QStringLiteral("\\{A\\} \\\\B"));
    EXPECT_EQ(rtfEscaped(QStringLiteral("ção ê º ª")), QStringLiteral("\\'e7\\'e3o \\'ea \\'ba \\'aa"));
    EXPECT_EQ(rtfEscaped(QStringLiteral("€5")), QStringLiteral("\\'805"));
    // Beyond the code page: the Unicode form with a "?" for old readers.
    EXPECT_EQ(rtfEscaped(QStringLiteral("Ω")), QStringLiteral("\\u937?"));
    EXPECT_EQ(rtfEscaped(QStringLiteral("a\tb\x01")), QStringLiteral("a b"));
}

TEST(ContractLine, FillsEachPlaceholderOnceInOrderAndDropsTheMarkers)
{
    const QList<Placeholder> values = {{QStringLiteral("#municipio1#"), QStringLiteral("Recife")},
                                       {QStringLiteral("#aluno#"), QStringLiteral("JOÃO {X}")},
                                       {QStringLiteral("#municipio#"), QStringLiteral("Olinda")}};
    EXPECT_EQ(fillContractLine(QStringLiteral("#aluno# e #aluno#, #municipio1#/#municipio#"), values),
              QStringLiteral("JO\\'c3O \\{X\\} e #aluno#, Recife/Olinda"));
    EXPECT_EQ(fillContractLine(QStringLiteral("\\pard ") + QString::fromUtf16(kStartMarker) + QStringLiteral("\\par"), values),
              QStringLiteral("\\pard \\par"));
    EXPECT_EQ(fillContractLine(QString::fromUtf16(kEndMarker) + QStringLiteral("x"), values), QStringLiteral("x"));
    EXPECT_EQ(fillContractLine(QStringLiteral("sem campos"), values), QStringLiteral("sem campos"));
}

TEST(ContractLine, AValueThatLooksLikeAPlaceholderIsWrittenAsItIs)
{
    const QList<Placeholder> values = {{QStringLiteral("#responsavel#"), QStringLiteral("#cpf# MARIA")},
                                       {QStringLiteral("#cpf#"), QStringLiteral("123")}};
    EXPECT_EQ(fillContractLine(QStringLiteral("#responsavel# (#cpf#)"), values),
              QStringLiteral("#cpf# MARIA (123)"));
}

TEST(ContractOutput, NamedAfterTheModelAndTheClass)
{
    EXPECT_EQ(contractOutputPath(QStringLiteral("/escola/Contrato.rtf"), QStringLiteral("5ª Série A/B")),
              QStringLiteral("/escola/Contrato_5ª_Série_A_B.rtf"));
    EXPECT_EQ(contractOutputPath(QStringLiteral("/escola/Contrato.rtf"), QStringLiteral("1.SÉRIE\\X")),
              QStringLiteral("/escola/Contrato_1_SÉRIE_X.rtf"));
    // A dot in a folder's name stays: only the file's extension goes.
    EXPECT_EQ(contractOutputPath(QStringLiteral("/home/ana/.escola/Modelo.2007.rtf"), QStringLiteral("JD1")),
              QStringLiteral("/home/ana/.escola/Modelo_JD1.rtf"));
}

TEST(SampleModel, HoldsEveryPlaceholderBothMarkersAndTheExpectedShape)
{
    const QStringList lines = QString::fromLatin1(sampleContractModel()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_TRUE(isUsableContractModel(lines));
    EXPECT_EQ(lines.last(), QStringLiteral("}"));
    EXPECT_TRUE(lines.at(1).contains(QString::fromUtf16(kStartMarker)));
    EXPECT_TRUE(lines.at(lines.size() - 2).contains(QString::fromUtf16(kEndMarker)));
    const QString text = lines.join(u'\n');
    for (const QString &name : placeholderNames())
        EXPECT_TRUE(text.contains(name)) << qPrintable(name);
    // Written as an ASCII file, so any code page reads it alike.
    for (const char c : sampleContractModel())
        ASSERT_LT(uchar(c), 128);
}

TEST(RtfPreview, ShowsTheTextWithAccentsAndLeavesTheTablesOut)
{
    const QString html = rtfToHtml(QString::fromLatin1(sampleContractModel()));
    EXPECT_TRUE(html.contains(QStringLiteral("CONTRATO DE PRESTAÇÃO DE SERVIÇOS EDUCACIONAIS")));
    EXPECT_TRUE(html.contains(QStringLiteral("#responsavel#")));
    EXPECT_TRUE(html.contains(QStringLiteral("CLÁUSULA PRIMEIRA")));
    EXPECT_FALSE(html.contains(QStringLiteral("Times New Roman")));
    EXPECT_FALSE(html.contains(QStringLiteral("\\par")));
    EXPECT_TRUE(html.contains(QStringLiteral("align=\"center\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight:bold")));

    const QString small = rtfToHtml(QStringLiteral(
        "{\\rtf1{\\*\\generator X;}{\\info{\\title T}}\\uc1 a\\u8364?b \\{c\\} d\\\\e\\line f\\page g &<}"));
    EXPECT_TRUE(small.contains(QStringLiteral("a€b {c} d\\e")));
    EXPECT_TRUE(small.contains(QStringLiteral("<br/>")));
    EXPECT_TRUE(small.contains(QStringLiteral("<hr/>")));
    EXPECT_TRUE(small.contains(QStringLiteral("g &amp;&lt;")));
    EXPECT_FALSE(small.contains(QStringLiteral("X;")));
    EXPECT_FALSE(small.contains(QStringLiteral(">T<")));
}
