// The walk's judgement without a window: the corners a correct calibration stores pass on
// every desktop the run command offers, a corner one unit beyond the bound fails, and a
// page drawn nowhere is told from one drawn.
#include "calibration.h"
#include "resource.h"
#include "sim_device.h"
#include "walk_judge.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

// The corners setup stores when the four target centres are touched on a panel.
void CalibratedCorners(const LONG panel[4], int width, int height, LONG corners[8])
{
    const int targets[4] = { IDC_TARGET_LEFT_UP, IDC_TARGET_RIGHT_UP, IDC_TARGET_LEFT_DN, IDC_TARGET_RIGHT_DN };
    ControlPlace places[CALIBRATION_CONTROL_COUNT];
    RawPoint touched[4];
    LayOutCalibrationScreen(width, height, places);
    for (int t = 0; t < 4; t++)
        for (const ControlPlace &p : places)
            if (p.id == targets[t])
                PanelPointRaw(panel, width, height, p.x + 16, p.y + 16, &touched[t].X, &touched[t].Y);
    PanelCorners c;
    ExtrapolateCorners(touched, &c);
    const LONG stored[8] = { c.LeftUpX, c.LeftUpY, c.RightUpX, c.RightUpY, c.RightDnX, c.RightDnY, c.LeftDnX, c.LeftDnY };
    for (int i = 0; i < 8; i++)
        corners[i] = stored[i];
}

TEST(WalkJudge, CorrectCornersPassAndOneUnitBeyondTheBoundFails)
{
    const int screens[][2] = { { 640, 480 }, { 800, 600 }, { 1024, 768 }, { 1152, 864 }, { 1280, 1024 },
                               { 1600, 1200 }, { 1023, 767 } };
    const LONG panels[][4] = { { 150, 3950, 3900, 180 }, { 4000, 100, 200, 3800 }, { 0, 255, 255, 0 },
                               { -500, 1548, 37, 293 }, { 0, 65535, 65535, 0 } };
    for (const auto &screen : screens) {
        int width = screen[0], height = screen[1];
        for (const auto &panel : panels) {
            LONG corners[8], expected, tolerance;
            CalibratedCorners(panel, width, height, corners);
            int wrong = FirstWrongCorner(corners, panel, width, height, &expected, &tolerance);
            EXPECT_EQ(-1, wrong) << width << " x " << height << ", panel " << panel[0] << "," << panel[1] << ","
                                 << panel[2] << "," << panel[3] << ": " << (wrong >= 0 ? CornerNames[wrong] : "")
                                 << "=" << (wrong >= 0 ? corners[wrong] : 0) << ", edge " << expected;
            for (int i = 0; i < 8; i++) {
                LONG moved[8];
                std::copy(corners, corners + 8, moved);
                LONG bound = (i % 2 == 0) ? CornerTolerance(panel[1] - panel[0], width)
                                          : CornerTolerance(panel[3] - panel[2], height);
                const LONG edge[8] = { panel[0], panel[2], panel[1], panel[2], panel[1], panel[3], panel[0], panel[3] };
                for (LONG step : { bound + 1, -bound - 1 }) {
                    moved[i] = edge[i] + step;
                    EXPECT_EQ(i, FirstWrongCorner(moved, panel, width, height, &expected, &tolerance))
                        << CornerNames[i] << " " << step << " off on " << width << " x " << height;
                    EXPECT_EQ(edge[i], expected);
                }
            }
        }
    }
}

TEST(WalkJudge, ToleranceIsOneRawUnitWhereTheTargetsLieATenthIn)
{
    const int tenths[] = { 640, 480, 800, 600, 1280, 1600, 1200 };
    for (int size : tenths)
        EXPECT_EQ(1, CornerTolerance(-65535, size)) << size << " pixels";
    // 1024 puts the targets 102 pixels in, 0.4 short of a tenth, which moves the corners by
    // 3800 * 4 / 8192 raw units: 2 more.
    EXPECT_EQ(3, CornerTolerance(3800, 1024));
}

TEST(WalkJudge, BlankOnlyWhenTheWholeAreaIsOneColour)
{
    const int width = 5, height = 4, stride = 16;
    std::vector<BYTE> bits(stride * height, 0x80);
    struct Row {
        int x, y;          // the one pixel of another colour, or -1
        RECT area;
        BOOL blank;
    };
    const Row rows[] = {
        { -1, -1, { 0, 0, 5, 4 }, TRUE },
        { 4, 3, { 0, 0, 5, 4 }, FALSE },   // the last pixel, at the start of the bottom-up rows
        { 0, 0, { 0, 0, 5, 4 }, FALSE },
        { 0, 0, { 1, 1, 5, 4 }, TRUE },    // outside the area
        { 4, 0, { -10, -10, 50, 1 }, FALSE },  // an area reaching off the picture is clipped
    };
    for (const Row &row : rows) {
        std::vector<BYTE> picture = bits;
        if (row.x >= 0)
            picture[(height - 1 - row.y) * stride + 3 * row.x + 1] = 0x81;
        EXPECT_EQ(row.blank, AreaIsOneColour(picture.data(), width, height, row.area))
            << "pixel (" << row.x << ", " << row.y << ") against area " << row.area.left << "," << row.area.top
            << "-" << row.area.right << "," << row.area.bottom;
    }
}

} // namespace
