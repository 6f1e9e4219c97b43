// The bytes each ZupriDLL export sends and what it makes of the printer's answer.
#include "ticketprinter/FakeSerialPort.h"
#include "ticketprinter/ZupriDLL.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <functional>

namespace {

class ZupriCommands : public testing::Test
{
protected:
    void SetUp() override { ZupriOpenPort('0'); }

    FakePortScript &script() { return m_fake.script(); }
    const std::vector<std::string> &sent() { return m_fake.script().sent; }

    FakePortInstaller m_fake;
};

struct CommandCase
{
    const char *name;
    std::function<int()> call;
    std::string bytes;
    bool special;
};

TEST(ZupriCommandBytes, EachCommandSendsItsBytesAndReadsOneReplyByte)
{
    const CommandCase cases[] = {
        {"drawer", [] { return ZupriAbreGaveta(0x19, 0xFA); }, std::string("\x1Bp\0\x19\xFA", 5),
         false},
        {"columns 2", [] { return ZupriCaracteresPorLinha('2'); }, "\x1BP2", false},
        {"columns 5", [] { return ZupriCaracteresPorLinha('5'); }, "\x1BP0", false},
        {"emphasized", [] { return ZupriImpressaoEnfatizada(); }, "\x1B\x45", false},
        {"normal", [] { return ZupriImpressaoNormal(); }, "\x1BM", false},
        {"initialize", [] { return ZupriInicializaImpressora(); }, "\x1B@", false},
        {"expanded 1", [] { return ZupriModoExpandido(1); }, "\x1BW1", false},
        {"expanded '1'", [] { return ZupriModoExpandido('1'); }, "\x1BW0", false},
        {"expanded -1", [] { return ZupriModoExpandido(-1); }, "\x1BW1", false},
        {"on-line status", [] { return ZupriRSTStatusEmLinha(); }, std::string("\x1B~\0", 3), true},
        {"paper status", [] { return ZupriRSTStatusSensorPapel(); }, "\x1B~\x01", true},
    };
    for (const CommandCase &command : cases) {
        SCOPED_TRACE(command.name);
        FakePortInstaller fake;
        fake.script().ctsOn = false; // only the special ones may get through
        fake.script().answer = "\x06";
        const int result = command.call();
        if (command.special) {
            EXPECT_EQ(result, 6);
            EXPECT_EQ(fake.script().sent, std::vector<std::string>{command.bytes});
            EXPECT_EQ(fake.script().readRequests, std::vector<std::size_t>{1});
        } else {
            EXPECT_EQ(result, 4);
            fake.script().ctsOn = true;
            EXPECT_EQ(command.call(), 6);
            EXPECT_EQ(fake.script().sent, std::vector<std::string>{command.bytes});
        }
    }
}

TEST_F(ZupriCommands, PageLengthIsSentAsLinesAndCutToForty)
{
    const std::pair<const char *, char> cases[] = {{"50", 40}, {"42", 40}, {"99", 40}, {"41", 41},
                                                   {"30", 30}, {"08", 8},  {" 8", 8},  {"", 0}};
    for (const auto &[text, lines] : cases) {
        SCOPED_TRACE(text);
        script().sent.clear();
        ZupriProgramaTamanhoPagina(text);
        EXPECT_EQ(sent(), std::vector<std::string>{std::string("\x1B\x43") + lines});
    }
}

TEST_F(ZupriCommands, OpenPortOnlySelectsThePort)
{
    EXPECT_EQ(ZupriOpenPort('7'), 2);
    EXPECT_TRUE(script().calls.empty());
    ZupriInicializaImpressora();
    EXPECT_EQ(script().calls.front(), "open COM3");
    const std::pair<int, const char *> choices[] = {{'0', "open COM1"}, {'1', "open COM2"},
                                                    {'2', "open COM3"}, {'3', "open COM4"},
                                                    {'4', "open COM3"}, {0, "open COM3"}};
    for (const auto &[character, opened] : choices) {
        script().calls.clear();
        ZupriOpenPort(character);
        ZupriStatusImpressora();
        EXPECT_EQ(script().calls.front(), opened);
    }
}

TEST(ZupriPortSelection, TransactionsGoToCom1BeforeAnyPortIsSelected)
{
    // A fresh process, since the selection is process-wide.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FakePortInstaller fake;
            ZupriInicializaImpressora();
            std::exit(fake.script().calls.front() == "open COM1" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(ZupriCommands, PrintLineCutsTheTextToTheWidthOfItsMode)
{
    const std::string text(100, 'x');
    script().answer = "\x06";
    EXPECT_EQ(ZupriImprimeLinha('1', text.c_str(), 100), 48);
    EXPECT_EQ(ZupriImprimeLinha('9', text.c_str(), 100), 40);
    EXPECT_EQ(ZupriImprimeLinha('2', text.c_str(), 100), 60);
    EXPECT_EQ(ZupriImprimeLinha('2', "abc", 3), 3);
    EXPECT_EQ(ZupriImprimeLinha('0', "abc", -3), 0);
    EXPECT_EQ(ZupriImprimeLinha('0', nullptr, 30), 0);
    const std::vector<std::string> expected = {"\x1BP1" + std::string(48, 'x') + "\r",
                                               "\x1BP0" + std::string(40, 'x') + "\r",
                                               "\x1BP2" + std::string(60, 'x') + "\r",
                                               "\x1BP2"
                                               "abc\r",
                                               "\x1BP0\r",
                                               "\x1BP0\r"};
    EXPECT_EQ(sent(), expected);
}

TEST_F(ZupriCommands, PrintSendsAtMostAThousandBytes)
{
    std::string data(1500, 'a');
    data[999] = 'z';
    EXPECT_EQ(ZupriImprime(data.data(), 1500), 1000);
    EXPECT_EQ(ZupriImprime(data.data(), -1), 0);
    EXPECT_EQ(ZupriImprime(std::string("\r\n\0\0", 4).data(), 4), 4);
    EXPECT_EQ(sent(),
              (std::vector<std::string>{data.substr(0, 1000), "", std::string("\r\n\0\0", 4)}));
}

TEST_F(ZupriCommands, PrinterStatusIsZeroOnlyWhenNotReady)
{
    EXPECT_EQ(ZupriStatusImpressora(), '1');
    EXPECT_EQ(sent(), std::vector<std::string>{""});
    EXPECT_TRUE(script().readRequests.empty());

    script().ctsOn = false;
    EXPECT_EQ(ZupriStatusImpressora(), '0');

    // Failures say nothing of the printer: only "not ready" answers '0'.
    script().ctsOn = true;
    for (const PortStep step : {PortStep::Open, PortStep::ReadSettings, PortStep::Write}) {
        script().failures = {{step, ENOENT}};
        EXPECT_EQ(ZupriStatusImpressora(), '1');
    }
}

TEST_F(ZupriCommands, AuthenticationSensorIsTheEighthReplyByteSignExtended)
{
    script().answer = std::string("\x06\0\0\0\0\0\0\xFE\0", 9);
    EXPECT_EQ(ZupriStatusSensorAutenticacao(), -2);
    EXPECT_EQ(sent(), std::vector<std::string>{"\x1Bv"});
    EXPECT_EQ(script().readRequests, std::vector<std::size_t>{9});

    script().answer = std::string("\x06\0\0\0\0\0\0\x01\0", 9);
    EXPECT_EQ(ZupriStatusSensorAutenticacao(), 1);
    script().answer = "\x06\x01"; // a short answer leaves the sensor byte at 0
    EXPECT_EQ(ZupriStatusSensorAutenticacao(), 0);
}

TEST_F(ZupriCommands, VersionCopiesSixteenBytesAfterTheFirstWithoutTerminator)
{
    script().answer = "\x06"
                      "ABCDEFGHIJKLMNOPQ";
    char version[18];
    std::fill(std::begin(version), std::end(version), '#');
    ZupriVersao(version, 5);
    EXPECT_EQ(std::string(version, 18), "ABCDEFGHIJKLMNOP##");
    EXPECT_EQ(sent(), std::vector<std::string>{"\x1BI\x05"});
    EXPECT_EQ(script().readRequests, std::vector<std::size_t>{17});

    script().answer = "\x06XY";
    ZupriVersao(version, 0);
    EXPECT_EQ(std::string(version, 16), std::string("XY") + std::string(14, '\0'));
    ZupriVersao(nullptr, 0);
}

TEST(ZupriAbout, WithoutWindowsTheTextGoesToStandardError)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(ZupriSobreDLL(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind(" ZupriDLL Rev. B \n", 0), 0u);
}

TEST(ZupriAbout, InAWidgetApplicationItIsAModalBoxTitledAbout)
{
    int argc = 1;
    char name[] = "test";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ZupriSobreDLL(), 1);
    EXPECT_EQ(title, QStringLiteral("About"));
    EXPECT_TRUE(text.startsWith(QStringLiteral(" ZupriDLL Rev. B \n")));
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

} // namespace
