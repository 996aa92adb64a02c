// The walk's judgement without a window: the corners a correct calibration stores pass on
// every desktop the run command offers, a corner one unit beyond the bound fails, and a
// page drawn nowhere is told from one drawn.
#include "bench_figures.h"
#include "settings.h"
#include "walk_judge.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

// The bound is one raw unit where the targets lie exactly a tenth in (sizes that are
// multiples of 10), and no looser than the calibration needs elsewhere.
TEST(WalkJudge, CorrectCornersPassAndOneUnitBeyondTheBoundFails)
{
    const int screens[][2] = { { 640, 480 }, { 800, 600 }, { 1600, 1200 }, { 1024, 768 }, { 1023, 767 } };
    const LONG panels[][4] = { { 150, 3950, 3900, 180 }, { 4000, 100, 200, 3800 }, { 0, 255, 255, 0 },
                               { -500, 1548, 37, 293 }, { 0, 65535, 65535, 0 } };
    for (const auto &screen : screens) {
        for (const auto &panel : panels) {
            int width = screen[0], height = screen[1];
            LONG expected, tolerance;
            const LONG edge[8] = { panel[0], panel[2], panel[1], panel[2], panel[1], panel[3], panel[0], panel[3] };
            PanelCorners c;
            CalibratedCorners(panel, width, height, &c);
            // In the order the settings record keeps them.
            const LONG corners[8] = { c.LeftUpX, c.LeftUpY, c.RightUpX, c.RightUpY, c.RightDnX, c.RightDnY, c.LeftDnX, c.LeftDnY };
            int wrong = FirstWrongCorner(corners, panel, width, height, &expected, &tolerance);
            EXPECT_EQ(-1, wrong) << width << " x " << height << ", panel " << panel[0] << "," << panel[1] << ","
                                 << panel[2] << "," << panel[3] << ": " << corners[wrong < 0 ? 0 : wrong];
            for (int i = 0; i < 8; i++) {
                LONG moved[8], bound = CornerTolerance(i % 2 ? panel[3] - panel[2] : panel[1] - panel[0],
                                                       i % 2 ? height : width);
                if (width % 10 == 0)
                    EXPECT_EQ(1, bound) << width << " x " << height;
                std::copy(corners, corners + 8, moved);
                for (LONG step : { bound + 1, -bound - 1 }) {
                    moved[i] = edge[i] + step;
                    EXPECT_EQ(i, FirstWrongCorner(moved, panel, width, height, &expected, &tolerance))
                        << PanelSettingFields[i].Name << " " << step << " off on " << width << " x " << height;
                    EXPECT_EQ(edge[i], expected);
                }
            }
        }
    }
    // 1024 puts the targets 102 pixels in, 0.4 short of a tenth, which moves the corners by
    // 3800 * 4 / 8192 raw units: 2 more.
    EXPECT_EQ(3, CornerTolerance(3800, 1024));
    // Three units of jitter on each touch move a corner by up to 10/8 of them: 4 more.
    EXPECT_EQ(7, CornerTolerance(3800, 1024, 3));
}

TEST(WalkJudge, BlankOnlyWhenTheWholeAreaIsOneColour)
{
    const int width = 5, height = 4, stride = 16;
    struct Row {
        int x, y;          // the one pixel of another colour, or -1
        RECT area;
        BOOL blank;
    } rows[] = {
        { -1, -1, { 0, 0, 5, 4 }, TRUE },
        { 4, 3, { 0, 0, 5, 4 }, FALSE },       // the last pixel, at the start of the bottom-up rows
        { 0, 0, { 1, 1, 5, 4 }, TRUE },        // outside the area
        { 4, 0, { -10, -10, 50, 1 }, FALSE },  // an area reaching off the picture is clipped
    };
    for (const Row &row : rows) {
        std::vector<BYTE> picture(stride * height, 0x80);
        if (row.x >= 0)
            picture[(height - 1 - row.y) * stride + 3 * row.x + 1] = 0x81;
        EXPECT_EQ(row.blank, AreaIsOneColour(picture.data(), width, height, row.area)) << "pixel " << row.x << "," << row.y;
    }
}

} // namespace
