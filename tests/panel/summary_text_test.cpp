// The port and right-button lines, for the values a page can choose and for stored values
// that no page offers.
#include "summary_text.h"
#include "program.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// A line composed into a poisoned buffer, so a line that leaves part of it as it was shows
// the leftover.
template <typename... Fields, typename... Values>
std::string Composed(void (*compose)(char *, Fields...), Values... values)
{
    char text[MESSAGE_TEXT_SIZE];
    FillMemory(text, sizeof text - 1, 'x');
    text[sizeof text - 1] = 0;
    compose(text, values...);
    return text;
}

TEST(SummaryText, PortLineNamesThePortAndOnlyTheLinesAPortCanUse)
{
    const struct { DWORD port, irq; const char *line; } cases[] = {
        { 2, 3, "COM Port Setting : COM 2, IRQ 3" },
        { 3, 7, "COM Port Setting : COM 3, IRQ 7" },
        { 1, 4, "COM Port Setting : COM 1, IRQ 4" },
        { 4, 5, "COM Port Setting : COM 4, IRQ 5" },
        { 1, 6, "COM Port Setting : COM 1" },
        { 2, 0, "COM Port Setting : COM 2" },
        { 3, 0xFFFFFFFF, "COM Port Setting : COM 3" },
        // Ports the port page offers no button for: never the text a page composed before.
        { 9, 7, "COM Port Setting : none, IRQ 7" },
        { 0, 4, "COM Port Setting : none, IRQ 4" },
        { 0xFFFFFFFF, 6, "COM Port Setting : none" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.line, Composed(ComposePortLine, c.port, c.irq)) << "port " << c.port << ", line " << c.irq;
}

TEST(SummaryText, ButtonLineIsOnOnlyForOne)
{
    EXPECT_EQ("Right Button Setting :  ON", Composed(ComposeButtonLine, 1));
    for (DWORD value : { 0u, 2u, 0xFFFFFFFFu })
        EXPECT_EQ("Right Button Setting : OFF", Composed(ComposeButtonLine, value)) << value;
}

// The page's static is sized for the longest line a page can choose; no stored value may
// make a longer one.
TEST(SummaryText, NoStoredValueMakesALineLongerThanTheLongestChoice)
{
    const DWORD values[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 99, 1000, 0x7FFFFFFF, 0xFFFFFFFF };
    for (DWORD port : values) {
        for (DWORD irq : values) {
            std::string line = Composed(ComposePortLine, port, irq);
            EXPECT_LE(line.size(), (size_t)SUMMARY_LINE_MAX) << line;
        }
        EXPECT_LE(Composed(ComposeButtonLine, port).size(), (size_t)SUMMARY_LINE_MAX);
    }
}

} // namespace
