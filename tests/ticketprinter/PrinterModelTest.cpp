// The simulator's printer: how received bytes turn into readable lines and answers.
#include "ticketprinter/sim/PrinterModel.h"

#include <gtest/gtest.h>

namespace {

using zuprisim::PrinterModel;
using Lines = std::vector<std::string>;

std::string paper(const std::string &text, std::size_t width)
{
    return "|" + text + std::string(width - text.size(), ' ') + "|";
}

TEST(PrinterModel, CommandsBecomeTagsEvenWhenSplitAcrossBursts)
{
    PrinterModel printer({});
    const auto outcome = printer.receive(
        std::string("\x1B@\x1BM\x1B\x45\x1BW1\x1BW0\x1Bp\0\x19\xFA\x1B\x43(\x1BZ\x1B", 23));
    EXPECT_EQ(outcome.lines,
              (Lines{"[INIT]", "[NORMAL]", "[EMPHASIZED]", "[EXPANDED ON]", "[EXPANDED OFF]",
                     "[DRAWER pin 0 t1=25 t2=250]", "[PAGE LENGTH 40]", "[ESC 0x5A]"}));
    EXPECT_EQ(outcome.reply, "\x06");
    EXPECT_EQ(printer.receive("P2").lines, Lines{"[COLS 60]"});
}

TEST(PrinterModel, ExpandedPrintHalvesTheLineAndUnfinishedLineShowsAtTheEnd)
{
    PrinterModel printer({});
    EXPECT_EQ(printer.receive("\x1BW1" + std::string(25, 'a')).lines,
              (Lines{"[EXPANDED ON]", paper(std::string(20, 'a'), 20)}));
    EXPECT_EQ(printer.finish(), Lines{paper("aaaaa", 20)});
    EXPECT_TRUE(printer.finish().empty());
    // A full line prints before a wider mode could let it run on.
    EXPECT_EQ(printer.receive(std::string(20, 'b') + "\x1BW0").lines,
              (Lines{paper(std::string(20, 'b'), 20), "[EXPANDED OFF]"}));
}

TEST(PrinterModel, ControlAndUpperBytesAreShownReadably)
{
    PrinterModel printer({});
    EXPECT_EQ(printer.receive("a\x07\xE7\n").lines,
              (Lines{"[0x07]", "|a\xC3\xA7" + std::string(38, ' ') + "|"}));
}

TEST(PrinterModel, StatusLineBackOnLinePrintsAgain)
{
    PrinterModel printer({.online = true, .paperInSlot = false});
    printer.receive("\x1B~\x01");
    EXPECT_EQ(printer.receive("AUTH\r\n").reply, "\x15");
    EXPECT_EQ(printer.receive(std::string("\x1B~\0", 3)).lines,
              (Lines{"[STATUS-LINE ON-LINE]", "[READY ON]"}));
    EXPECT_EQ(printer.receive("OK\r").lines, Lines{paper("OK", 40)});
}

} // namespace
