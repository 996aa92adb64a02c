// PADMON's check of the alignment without a window: the targets' places and the box between
// them, what nine offsets add up to in the verdict, the error line and the picture's key, and
// the lines the picture draws.
#include "alignment_check.h"
#include "touch_agreement.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Row by row from the top; the outer ones where the calibration screen's targets lie. The box
// of the text and the buttons (as large as the check's template under Wine) keeps clear of
// every target's cross, on the smallest screen too.
TEST(AlignmentCheck, TargetsRowByRowOnScreensOfSeveralSizes)
{
    const struct { int width, height; LONG x[3], y[3]; } screens[] = {
        { 800, 600, { 80, 400, 720 }, { 60, 300, 540 } },
        { 639, 479, { 64, 319, 575 }, { 48, 239, 431 } },
        { 640, 480, { 64, 320, 576 }, { 48, 240, 432 } },
    };
    for (const auto &s : screens) {
        RECT box, cross, both;
        CheckTextBox(s.width, s.height, SIZE{ 580, 137 }, &box);
        for (int t = 0; t < CHECK_TARGET_COUNT; t++) {
            POINT c = CheckTargetCentre(t, s.width, s.height);
            EXPECT_EQ(s.x[t % 3], c.x) << "target " << t << " on " << s.width << " x " << s.height;
            EXPECT_EQ(s.y[t / 3], c.y) << "target " << t << " on " << s.width << " x " << s.height;
            SetRect(&cross, c.x - 18, c.y - 18, c.x + 20, c.y + 20);
            EXPECT_FALSE(IntersectRect(&both, &cross, &box)) << "the box meets target " << t << " on " << s.width;
        }
        EXPECT_TRUE(box.left >= 0 && box.right <= s.width) << s.width;
    }
}

// Nine offsets: the same everywhere, or in proportion to the target's column and row out from
// the centre (-1, 0, 1), with one of them moved.
std::vector<POINT> Shifted(POINT by, int moved = -1, POINT to = {})
{
    std::vector<POINT> offsets(CHECK_TARGET_COUNT, by);
    if (moved >= 0)
        offsets[moved] = to;
    return offsets;
}

std::vector<POINT> Spread(LONG x, LONG y, int moved = -1, POINT to = {})
{
    std::vector<POINT> offsets;
    for (int t = 0; t < CHECK_TARGET_COUNT; t++)
        offsets.push_back(t == moved ? to : POINT{ x * (t % 3 - 1), y * (t / 3 - 1) });
    return offsets;
}

std::vector<POINT> Errors(std::vector<LONG> x)
{
    std::vector<POINT> offsets;
    for (LONG e : x)
        offsets.push_back(POINT{ e, 0 });
    return offsets;
}

// On an 800-pixel screen, where 16 pixels are 2 % of the width. The key names the red lines'
// factor, up to 10, while the worst of them stays within 40 pixels, and nothing where no line
// is drawn. A pattern accounts for every touch within a quarter of its size (edge rows).
TEST(AlignmentCheck, VerdictErrorsAndKeyFromNineOffsets)
{
    const std::string off = ". Run ALIGNER to align the panel again.", blue = "Blue lines: from each target to where its touch landed.";
    auto line = [](int worst, int mean) {
        return "Worst error " + std::to_string(worst) + " pixels, mean error " + std::to_string(mean) + " pixels; good within 16 pixels";
    };
    const struct { std::vector<POINT> offsets; bool aligned; std::string verdict, line; int factor; } rows[] = {
        { Errors({ 4, 0, 0, 0, 0, 0, 0, 0, 0 }), true, "Alignment good.", line(4, 0), 10 },
        { Shifted({ 0, 0 }, 4, { 0, -5 }), true, "Alignment good.", line(5, 1), 8 },
        { Errors({ 16, 3, 3, 3, 3, 3, 3, 3, 16 }), true, "Alignment good.", line(16, 6), 2 },
        { Shifted({ 0, 0 }), true, "Alignment good.", line(0, 0), -1 },
        // One place: the first of the worst is named.
        { Errors({ 1, 2, 17, 0, 0, 0, 0, 0, 17 }), true, "Alignment off by 17 pixels at the top right" + off, line(17, 4), 2 },
        { Errors({ 1, 2, 3, 4, 5, 6, 7, 41, 8 }), true, "Alignment off by 41 pixels at the bottom" + off, line(41, 9), 0 },
        // A shift, named by the axes that carry at least half of it.
        { Shifted({ -24, 0 }), true, "Alignment off by 24 pixels: every touch lands about 24 pixels to the left of its target" + off,
          line(24, 24), 0 },
        { Shifted({ -24, 0 }, 4, { -30, 0 }), true,
          "Alignment off by 30 pixels: every touch lands about 24 pixels to the left of its target" + off, line(30, 25), 0 },
        { Shifted({ -24, 0 }, 4, { -31, 0 }), true, "Alignment off by 31 pixels at the centre" + off, line(31, 25), 0 },
        { Shifted({ -20, 10 }), true,
          "Alignment off by 20 pixels: every touch lands about 20 pixels below and to the left of its target" + off, line(20, 20), 2 },
        { Shifted({ -20, 9 }), true, "Alignment off by 20 pixels: every touch lands about 20 pixels to the left of its target" + off,
          line(20, 20), 2 },
        { Shifted({ CHECK_FARTHEST, 0 }), true, "Alignment off by 262144 pixels: every touch lands about 262144 pixels to the right of its target" + off,
          line(CHECK_FARTHEST, CHECK_FARTHEST), 0 },
        // A span that grew (a panel 6 % wider and higher than its corners say) or shrank.
        { Spread(19, 14), true, "Alignment off by 19 pixels: the touches land farther from the centre than their targets" + off,
          line(19, 16), 2 },
        { Spread(-19, -14), true, "Alignment off by 19 pixels: the touches land nearer to the centre than their targets" + off,
          line(19, 16), 2 },
        { Spread(20, 0, 4, { 0, 5 }), true, "Alignment off by 20 pixels: the touches land farther from the centre than their targets" + off,
          line(20, 14), 2 },
        { Spread(20, 0, 4, { 0, 6 }), true, "Alignment off by 20 pixels at the top left" + off, line(20, 14), 2 },
        { Spread(20, -20), true, "Alignment off by 20 pixels at the top left" + off, line(20, 18), 2 },
        // Corners that map no touch, and a panel never aligned: no figures and no lines.
        { Shifted({ 0, 0 }, 4, { CHECK_UNMAPPED, 0 }), true, "The stored corners map no touch" + off, "", -1 },
        { Shifted({ -24, 0 }), false, "The panel has not been aligned. Run ALIGNER to align it.", "", -1 },
    };
    for (const auto &row : rows) {
        CheckSummary summary;
        char text[CHECK_TEXT_SIZE] = "poisoned";
        SumUpCheck(row.offsets.data(), 800, row.aligned, &summary);
        ComposeCheckVerdict(text, &summary);
        EXPECT_EQ(row.verdict, text);
        ComposeCheckErrors(text, &summary);
        EXPECT_EQ(row.line, text) << row.verdict;
        ComposeCheckScale(text, &summary);
        EXPECT_EQ(row.factor < 0 ? "" : row.factor == 0 ? blue
                  : blue + " Red lines: the same, " + std::to_string(row.factor) + " times longer.", text) << row.verdict;
    }
    const char *const places[] = { "top left", "top", "top right", "left", "centre", "right", "bottom left", "bottom", "bottom right" };
    const char *const directions[] = { "above and to the left", "above", "above and to the right", "to the left", "",
                                       "to the right", "below and to the left", "below", "below and to the right" };
    for (int t = 0; t < CHECK_TARGET_COUNT; t++) {
        std::vector<POINT> offsets(CHECK_TARGET_COUNT, POINT{ 1, 0 });
        offsets[t] = POINT{ 99, 0 };
        CheckSummary summary;
        char text[CHECK_TEXT_SIZE];
        SumUpCheck(offsets.data(), 640, TRUE, &summary);
        ComposeCheckVerdict(text, &summary);
        EXPECT_EQ(std::string("Alignment off by 99 pixels at the ") + places[t] + off, text);
        if (t == 4)
            continue;
        SumUpCheck(Shifted({ 30 * (t % 3 - 1), 30 * (t / 3 - 1) }).data(), 640, TRUE, &summary);
        ComposeCheckVerdict(text, &summary);
        EXPECT_EQ(std::string("Alignment off by 30 pixels: every touch lands about 30 pixels ") + directions[t] + " of its target" + off, text);
    }
}

// Where a touch landed against its target: beyond a quarter of a million pixels, or not
// mapped at all, it counts as unmapped.
TEST(AlignmentCheck, OffsetsAndTheLinesThePictureDraws)
{
    const struct { POINT landed; LONG x, y; } offsets[] = {
        { { 56, 60 }, -24, 0 }, { { CHECK_FARTHEST + 80, 60 }, CHECK_FARTHEST, 0 },
        { { CHECK_FARTHEST + 81, 60 }, CHECK_UNMAPPED, 0 }, { { TOUCH_MISS_UNBOUNDED, 0 }, CHECK_UNMAPPED, 0 },
    };
    for (const auto &o : offsets) {
        POINT offset = CheckOffset(o.landed, POINT{ 80, 60 });
        EXPECT_EQ(o.x, offset.x) << o.landed.x;
        EXPECT_EQ(o.y, offset.y) << o.landed.x;
    }
    // On 800 x 600: inside the screen the line ends where the touch landed (times as far); one
    // that would leave it meets the edge, cut on one axis and then the other, with an arrow
    // head whose strokes go 10 pixels back and 5 aside; none for a touch on its target.
    const struct { POINT centre, offset; int times; std::vector<POINT> line; } rows[] = {
        { { 80, 60 }, { -24, 0 }, 1, { { 80, 60 }, { 56, 60 } } },
        { { 80, 60 }, { -80, 0 }, 1, { { 80, 60 }, { 0, 60 } } },
        { { 80, 60 }, { -5, -3 }, 10, { { 80, 60 }, { 30, 30 } } },
        { { 80, 60 }, { -200, 0 }, 1, { { 80, 60 }, { 0, 60 }, { 10, 55 }, { 0, 60 }, { 10, 65 } } },
        { { 720, 540 }, { 100, 100 }, 1, { { 720, 540 }, { 779, 599 }, { 764, 594 }, { 779, 599 }, { 774, 584 } } },
        { { 400, 300 }, { 1000, 500 }, 1, { { 400, 300 }, { 799, 499 }, { 787, 499 }, { 799, 499 }, { 791, 489 } } },
        { { 80, 60 }, { 0, 0 }, 10, {} },
        { { 80, 60 }, { CHECK_UNMAPPED, 0 }, 1, {} },
    };
    for (const auto &row : rows) {
        POINT line[CHECK_LINE_POINTS];
        int count = CheckLine(row.centre, row.offset, row.times, 800, 600, line);
        ASSERT_EQ(row.line.size(), (size_t)count) << row.offset.x << "," << row.offset.y;
        for (int i = 0; i < count; i++)
            EXPECT_TRUE(line[i].x == row.line[i].x && line[i].y == row.line[i].y)
                << row.offset.x << "," << row.offset.y << ": point " << i << " is " << line[i].x << "," << line[i].y;
    }
}

} // namespace
