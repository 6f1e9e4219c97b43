// The transaction under every ZupriDLL call, driven through a scripted port: result codes,
// the order of the port steps, time-outs and the port being closed on every path.
#include "ticketprinter/FakeSerialPort.h"
#include "ticketprinter/ZupriDLL.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

const char kInit[] = "\x1B@";

struct FailureCase
{
    PortStep step;
    int error;
    int expected;
};

TEST(PrinterTransaction, EachFailingStepGivesItsResultCode)
{
    const FailureCase cases[] = {
        {PortStep::Open, ENOENT, ENOENT},
        {PortStep::OpenReport, zupri::kErrorAlreadyExists, 1002},
        {PortStep::OpenReport, zupri::kErrorAccessDenied, 1010},
        {PortStep::OpenReport, ENOTTY, 1030 + ENOTTY},
        {PortStep::ReadSettings, EIO, 1666},
        {PortStep::WriteSettings, EINVAL, EINVAL},
        {PortStep::PurgeOutput, EIO, 808},
        {PortStep::PurgeInput, EIO, 809},
        {PortStep::SetTimeouts, EIO, 810},
        {PortStep::Write, EIO, 6000 + EIO},
        {PortStep::Write, 40000, 6000 - 25536}, // the error taken as a signed 16-bit value
        {PortStep::Read, EIO, 8000 + EIO},
    };
    for (const FailureCase &failure : cases) {
        SCOPED_TRACE(testing::Message()
                     << "step " << static_cast<int>(failure.step) << " error " << failure.error);
        FakePortInstaller fake;
        fake.script().answer = "\x06";
        fake.script().failures[failure.step] = failure.error;
        EXPECT_EQ(ZupriTxBuffer(kInit, 2), failure.expected);
        EXPECT_FALSE(fake.script().open);
        if (failure.step != PortStep::Open) {
            EXPECT_EQ(fake.script().calls.back(), "close");
        }
        if (failure.step < PortStep::Write) {
            EXPECT_TRUE(fake.script().sent.empty());
        }
    }
}

TEST(PrinterTransaction, SuccessfulCallRunsEveryStepInOrderAndAnswersTheReplyByte)
{
    FakePortInstaller fake;
    fake.script().answer = "\xFF";
    EXPECT_EQ(ZupriOpenPort('0'), 0);
    EXPECT_EQ(ZupriTxBuffer(kInit, 2), 255);
    const std::vector<std::string> expected = {
        "open COM1", "read-settings", "write-settings", "purge-output", "purge-input", "timeouts",
        "cts",       "rts-dtr off",   "write",          "read",         "rts-dtr on",  "close"};
    EXPECT_EQ(fake.script().calls, expected);
    EXPECT_EQ(fake.script().sent, std::vector<std::string>{kInit});
    EXPECT_EQ(ZupriTxBuffer(kInit, 2), 0); // no byte came in time
}

TEST(PrinterTransaction, PrinterNotReadyStopsBeforeSendingAndRaisesTheLines)
{
    FakePortInstaller fake;
    fake.script().ctsOn = false;
    EXPECT_EQ(ZupriTxBuffer(kInit, 2), 4);
    EXPECT_TRUE(fake.script().sent.empty());
    const std::vector<std::string> tail(fake.script().calls.end() - 3, fake.script().calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"cts", "rts-dtr on", "close"}));
    // A status that cannot be read is no "ready" either.
    fake.script().ctsOn = true;
    fake.script().failures[PortStep::ReadCts] = EIO;
    EXPECT_EQ(ZupriTxBuffer(kInit, 2), 4);
    EXPECT_TRUE(fake.script().sent.empty());
}

TEST(PrinterTransaction, SpecialCallsGoThroughWhileNotReady)
{
    FakePortInstaller fake;
    fake.script().ctsOn = false;
    fake.script().answer = "\x06";
    EXPECT_EQ(ZupriSpecialTxBuffer(kInit, 2), 6);
    EXPECT_EQ(fake.script().sent, std::vector<std::string>{kInit});
    EXPECT_EQ(ZupriSendCmd(kInit, 2, nullptr, 0, 1), 0);
    EXPECT_EQ(fake.script().sent.size(), 2u);
}

TEST(PrinterTransaction, FailedReplyReadWritesTheLineSettingsBack)
{
    FakePortInstaller fake;
    fake.script().failures[PortStep::Read] = EIO;
    char reply[4] = {};
    EXPECT_EQ(ZupriSendCmd(kInit, 2, reply, 1, 0), 8000 + EIO);
    EXPECT_EQ(ZupriSendCmd(kInit, 2, reply, 4, 0), 8000 + EIO);
    const std::vector<std::string> tail(fake.script().calls.end() - 4, fake.script().calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"read", "write-settings", "rts-dtr on", "close"}));
}

TEST(PrinterTransaction, LongerReplyFillsTheCallersAreaAndAnswersZero)
{
    FakePortInstaller fake;
    fake.script().answer = "abc";
    char reply[6] = {'#', '#', '#', '#', '#', '#'};
    EXPECT_EQ(ZupriSendCmd(kInit, 2, reply, 5, 0), 0);
    EXPECT_EQ(std::string(reply, 6), "abc###");
    EXPECT_EQ(fake.script().readRequests, std::vector<std::size_t>{5});
}

TEST(PrinterTransaction, NoReplyExpectedReadsNothing)
{
    FakePortInstaller fake;
    fake.script().answer = "\x06";
    EXPECT_EQ(ZupriSendCmd(kInit, 2, nullptr, 0, 0), 0);
    // A longer reply with nowhere to put it is not waited for.
    EXPECT_EQ(ZupriSendCmd(kInit, 2, nullptr, 9, 0), 0);
    EXPECT_TRUE(fake.script().readRequests.empty());
    EXPECT_EQ(fake.script().calls.back(), "close");
}

TEST(PrinterTransaction, TimeoutsFollowTheExpectedReplyLength)
{
    FakePortInstaller fake;
    char reply[17];
    const auto timeoutsFor = [&](unsigned replyLength) {
        ZupriSendCmd(kInit, 2, reply, replyLength, 0);
        const zupri::SerialTimeouts &t = fake.script().timeouts;
        return std::vector<unsigned>{t.readInterval, t.readPerByte, t.readConstant, t.writePerByte,
                                     t.writeConstant};
    };
    EXPECT_EQ(timeoutsFor(0), (std::vector<unsigned>{1, 0, 10, 10, 100}));
    EXPECT_EQ(timeoutsFor(1), (std::vector<unsigned>{100, 10, 200, 10, 100}));
    EXPECT_EQ(timeoutsFor(17), (std::vector<unsigned>{200, 10, 500, 10, 100}));
}

TEST(PrinterTransaction, NegativeLengthOrMissingDataSendsNothing)
{
    FakePortInstaller fake;
    ZupriTxBuffer(kInit, -5);
    ZupriTxBuffer(nullptr, 10);
    EXPECT_EQ(fake.script().sent, (std::vector<std::string>{"", ""}));
}

} // namespace
