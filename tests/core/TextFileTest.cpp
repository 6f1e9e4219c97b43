#include "core/SemicolonExport.h"
#include "core/Shell.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace core;

TEST(Windows1252, AccentedTextRoundTrips)
{
    const QString text = QStringLiteral("Geração Automática – São João “Ç” € ÿ");
    const QByteArray bytes = toWindows1252(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes.at(4)), 0xE7); // ç
    EXPECT_EQ(fromWindows1252(bytes), text);
    EXPECT_EQ(toWindows1252(QStringLiteral("日")), QByteArray("?"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

TEST(TextLines, WritesCrLfWithoutBom)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("a.txt"));
    ASSERT_TRUE(writeTextLines(path, {QStringLiteral("!Geração Automática "), QString(), QStringLiteral("x")}));
    EXPECT_EQ(dir.read(QStringLiteral("a.txt")), QByteArray("!Gera\xe7\xe3o Autom\xe1tica \r\n\r\nx\r\n"));
    const auto lines = readTextLines(path);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, QStringList({QStringLiteral("!Geração Automática "), QString(), QStringLiteral("x")}));
}

TEST(TextLines, ReadsLfCrAndUtf8Bom)
{
    TempDir dir;
    dir.write(QStringLiteral("lf.txt"), "a\nb\n\nc");
    EXPECT_EQ(*readTextLines(dir.file(QStringLiteral("lf.txt"))),
              QStringList({QStringLiteral("a"), QStringLiteral("b"), QString(), QStringLiteral("c")}));
    dir.write(QStringLiteral("bom.txt"), "\xEF\xBB\xBF" "Jo\xC3\xA3o\r\n");
    EXPECT_EQ(*readTextLines(dir.file(QStringLiteral("bom.txt"))), QStringList({QStringLiteral("João")}));
    dir.write(QStringLiteral("empty.txt"), "");
    EXPECT_TRUE(readTextLines(dir.file(QStringLiteral("empty.txt")))->isEmpty());
    EXPECT_FALSE(readTextLines(dir.file(QStringLiteral("missing.txt"))).has_value());
}

TEST(TextLines, FailedWriteReportsAndKeepsNothing)
{
    QString error;
    EXPECT_FALSE(writeTextLines(QStringLiteral("/nonexistent-dir/x.txt"), {QStringLiteral("a")}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SemicolonExport, TitleNamesRowsThenShellOpen)
{
    TempDir dir;
    auto previous = setShell(std::make_unique<RecordingShell>());
    auto *recorder = static_cast<RecordingShell *>(&shell());
    SemicolonTable table{QStringLiteral("Alunos em atraso"),
                         {QStringLiteral("Matricula"), QStringLiteral("nome")},
                         {{QStringLiteral("12"), QStringLiteral("ANA D'ÁVILA")},
                          {QStringLiteral("13"), QStringLiteral("a;b")}}};
    const QString path = dir.file(QStringLiteral("export.txt"));
    ASSERT_TRUE(exportSemicolon(path, table));
    EXPECT_EQ(dir.read(QStringLiteral("export.txt")),
              QByteArray("Alunos em atraso\r\nMATRICULA;NOME\r\n12;ANA D'\xc1VILA\r\n13;a;b\r\n"));
    EXPECT_EQ(recorder->opened(), QStringList({path}));

    table.title.clear();
    EXPECT_EQ(semicolonLines(table).first(), QStringLiteral("MATRICULA;NOME"));
    EXPECT_FALSE(exportSemicolon(QStringLiteral("/nonexistent-dir/x.txt"), table));
    EXPECT_EQ(recorder->opened().size(), 1);
    setShell(std::move(previous));
}
