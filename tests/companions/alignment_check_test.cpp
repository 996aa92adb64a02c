// PADMON's check of the alignment without a window: the targets' places, and what nine errors
// add up to in the verdict, the error line and the picture's key.
#include "alignment_check.h"
#include "touch_agreement.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Row by row from the top; the outer ones where the calibration screen's targets lie.
TEST(AlignmentCheck, TargetsRowByRowOnScreensOfSeveralSizes)
{
    const struct { int width, height; LONG x[3], y[3]; } screens[] = {
        { 800, 600, { 80, 400, 720 }, { 60, 300, 540 } },
        { 639, 479, { 64, 319, 575 }, { 48, 239, 431 } },
    };
    for (const auto &s : screens)
        for (int t = 0; t < CHECK_TARGET_COUNT; t++) {
            POINT c = CheckTargetCentre(t, s.width, s.height);
            EXPECT_EQ(s.x[t % 3], c.x) << "target " << t << " on " << s.width << " x " << s.height;
            EXPECT_EQ(s.y[t / 3], c.y) << "target " << t << " on " << s.width << " x " << s.height;
        }
}

// On an 800-pixel screen, where 16 pixels are 2 % of the width. The key names the red lines'
// factor, up to 10, while the worst of them stays within 40 pixels.
TEST(AlignmentCheck, VerdictErrorsAndKeyFromNineErrors)
{
    const std::string off = ". Run ALIGNER to align the panel again.", blue = "Blue lines: from each target to where its touch landed.";
    const struct { std::vector<LONG> errors; std::string verdict, line; int factor; } rows[] = {
        { { 4, 0, 0, 0, 0, 0, 0, 0, 0 }, "Alignment good: worst error 4 pixels", "Worst error 4 pixels, mean error 0 pixels", 10 },
        { { 0, 0, 0, 0, 5, 0, 0, 0, 0 }, "Alignment good: worst error 5 pixels", "Worst error 5 pixels, mean error 1 pixels", 8 },
        { { 16, 3, 3, 3, 3, 3, 3, 3, 16 }, "Alignment good: worst error 16 pixels", "Worst error 16 pixels, mean error 6 pixels", 2 },
        // Beyond the bound the first of the worst is named.
        { { 1, 2, 17, 0, 0, 0, 0, 0, 17 }, "Alignment off by 17 pixels at the top right" + off,
          "Worst error 17 pixels, mean error 4 pixels", 2 },
        { { 1, 2, 3, 4, 5, 6, 7, 41, 8 }, "Alignment off by 41 pixels at the bottom" + off, "Worst error 41 pixels, mean error 9 pixels", 0 },
        // Corners far off the panel: nine errors whose sum is beyond 32 bits.
        { std::vector<LONG>(9, 2000000000), "Alignment off by 2000000000 pixels at the top left" + off,
          "Worst error 2000000000 pixels, mean error 2000000000 pixels", 0 },
        // Corners without a span map no touch: no figures and no lines.
        { { 0, 0, 0, 0, TOUCH_MISS_UNBOUNDED, 0, 0, 0, 0 }, "The stored corners map no touch" + off, "", -1 },
    };
    for (const auto &row : rows) {
        CheckSummary summary;
        char text[128] = "poisoned";
        SumUpCheck(row.errors.data(), &summary);
        ComposeCheckVerdict(text, &summary, 800);
        EXPECT_EQ(row.verdict, text);
        ComposeCheckErrors(text, &summary);
        EXPECT_EQ(row.line, text) << row.verdict;
        ComposeCheckScale(text, &summary);
        EXPECT_EQ(row.factor < 0 ? "" : row.factor == 0 ? blue
                  : blue + " Red lines: the same, " + std::to_string(row.factor) + " times longer.", text) << row.verdict;
    }
    const char *const places[] = { "top left", "top", "top right", "left", "centre", "right", "bottom left", "bottom", "bottom right" };
    for (int t = 0; t < CHECK_TARGET_COUNT; t++) {
        std::vector<LONG> errors(CHECK_TARGET_COUNT, 1);
        errors[t] = 99;
        CheckSummary summary;
        char text[128];
        SumUpCheck(errors.data(), &summary);
        ComposeCheckVerdict(text, &summary, 640);
        EXPECT_EQ(std::string("Alignment off by 99 pixels at the ") + places[t] + off, text);
    }
}

} // namespace
