// The calibration geometry without a window: control places on real screen sizes, the
// corner arithmetic by its worked examples, a round trip through emulated panels, corners
// the driver cannot divide by, the double-click rule, and how far a touch lies from the others.
#include "calibration_geometry.h"
#include "touch_agreement.h"
#include "resource.h"
#include "setup_pages.h"
#include "panel.h"

#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <algorithm>

namespace {

// The places of some controls on one screen, checked against the layout, which must also
// move every control exactly once.
void ExpectPlaces(int width, int height, const std::vector<ControlPlace> &expected)
{
    ControlPlace places[CALIBRATION_CONTROL_COUNT];
    std::fill(places, places + CALIBRATION_CONTROL_COUNT, ControlPlace{ -1, -9999, -9999 });
    LayOutCalibrationScreen(width, height, places);

    for (const ControlPlace &want : expected) {
        std::vector<std::pair<int, int>> found;   // x and y, once for each time it is placed
        for (const ControlPlace &p : places)
            if (p.id == want.id)
                found.push_back(std::make_pair(p.x, p.y));
        EXPECT_EQ((std::vector<std::pair<int, int>>{ { want.x, want.y } }), found)
            << "places of control " << want.id << " on " << width << " x " << height;
    }
}

TEST(CalibrationLayout, PlacesOnScreensOfSeveralSizes)
{
    ExpectPlaces(800, 600, {
        { IDC_TARGET_LEFT_UP, 64, 44 }, { IDC_TARGET_RIGHT_UP, 704, 44 },
        { IDC_TARGET_LEFT_DN, 64, 524 }, { IDC_TARGET_RIGHT_DN, 704, 524 },
        { IDC_ALIGN_WORDMARK, 300, 60 },
        { IDC_ALIGN_TITLE, 150, 200 }, { IDC_HOW_1, 150, 220 }, { IDC_HOW_2, 150, 240 },
        { IDC_HOW_3, 150, 260 }, { IDC_HOW_4, 150, 280 }, { IDC_HOW_5, 150, 300 },
        { IDC_TRY_1, 150, 220 }, { IDC_TRY_2, 150, 300 }, { IDC_DISPLAY_SIZE, 150, 150 },
        { IDC_OK, 145, 400 }, { IDC_CANCEL, 345, 400 }, { IDC_RETRY, 545, 400 },
    });
    ExpectPlaces(1024, 768, {
        { IDC_TARGET_LEFT_UP, 86, 60 }, { IDC_TARGET_RIGHT_UP, 906, 60 },
        { IDC_TARGET_LEFT_DN, 86, 676 }, { IDC_TARGET_RIGHT_DN, 906, 676 },
        { IDC_ALIGN_WORDMARK, 412, 76 }, { IDC_HOW_1, 262, 304 }, { IDC_OK, 257, 484 }, { IDC_CANCEL, 457, 484 },
    });
    // Odd sizes show where the + 1 goes: the tenths round the screen size up, the halves do not.
    ExpectPlaces(639, 479, {
        { IDC_TARGET_LEFT_UP, 48, 32 }, { IDC_TARGET_RIGHT_UP, 559, 32 },
        { IDC_TARGET_LEFT_DN, 48, 415 }, { IDC_TARGET_RIGHT_DN, 559, 415 },
        { IDC_ALIGN_WORDMARK, 220, 48 }, { IDC_HOW_1, 69, 159 }, { IDC_RETRY, 464, 339 },
    });
}

// One line of two targets and the two corners extrapolated beyond them.
struct Line {
    const char *name;
    int targetA, targetB;
    LONG PanelCorners::*cornerA;
    LONG PanelCorners::*cornerB;
    bool horizontal;
};

const Line Lines[4] = {
    { "top", 0, 1, &PanelCorners::LeftUpX, &PanelCorners::RightUpX, true },
    { "bottom", 2, 3, &PanelCorners::LeftDnX, &PanelCorners::RightDnX, true },
    { "left", 0, 2, &PanelCorners::LeftUpY, &PanelCorners::LeftDnY, false },
    { "right", 1, 3, &PanelCorners::RightUpY, &PanelCorners::RightDnY, false },
};

// The corners from touches that are `spread` but for one line's two targets, which get the
// raw values first and second on that line's axis.
PanelCorners CornersWith(const RawPoint spread[4], const Line &line, LONG first, LONG second)
{
    RawPoint touched[4] = { spread[0], spread[1], spread[2], spread[3] };
    LONG RawPoint::*axis = line.horizontal ? &RawPoint::X : &RawPoint::Y;
    touched[line.targetA].*axis = first;
    touched[line.targetB].*axis = second;
    PanelCorners corners;
    ExtrapolateCorners(touched, &corners);
    return corners;
}

TEST(CornerArithmetic, WorkedExamplesForEveryMargin)
{
    // Raw values on the two targets of one line, and the corners beyond the first and the second.
    const struct { LONG first, second, outerFirst, outerSecond; } cases[] = {
        { 100, 900, 1, 999 },      // rising: margin (800 - 1) / 8 = 99
        { 900, 100, 1000, 0 },     // falling: (-801) / 8 truncates to -100
        { 500, 494, 500, 494 },    // -6: (-7) / 8 = 0
        { 500, 508, 500, 508 },    // 8: 7 / 8 = 0
        { 500, 509, 499, 510 },    // 9: the first difference with a margin of 1
        { 500, 493, 501, 492 },    // -7: (-8) / 8 = -1
        { 0, 0, 0, 0 },            // equal: (-1) / 8 truncates to 0
        { -300, -100, -324, -76 }, // negative raw values: 199 / 8 = 24
        { 40, 1, 45, -4 },         // corners beyond the raw range stay unclamped
    };
    const RawPoint nowhere[4] = {};
    for (const Line &line : Lines) {
        for (const auto &c : cases) {
            PanelCorners got = CornersWith(nowhere, line, c.first, c.second);
            EXPECT_EQ(c.outerFirst, got.*line.cornerA) << line.name << " line, raw " << c.first << " to " << c.second;
            EXPECT_EQ(c.outerSecond, got.*line.cornerB) << line.name << " line, raw " << c.first << " to " << c.second;
        }
    }
}

// Corners from touches spread over the panel, with one line's two targets given the raw
// values of a row: only equal corners (no span) are refused, a falling line is a panel's.
TEST(CornerSpans, OnlyAnEdgeWithoutSpanIsRefused)
{
    const struct { LONG first, second; BOOL spans; } rows[] = {
        { 100, 900, TRUE }, { 900, 100, TRUE }, { 500, 500, FALSE },
        { 500, 501, TRUE }, { 500, 499, TRUE }, { -20, -20, FALSE },
    };
    const RawPoint spread[4] = { { 100, 100 }, { 900, 120 }, { 110, 700 }, { 880, 690 } };
    for (const Line &line : Lines) {
        for (const auto &row : rows) {
            PanelCorners corners = CornersWith(spread, line, row.first, row.second);
            EXPECT_EQ(row.spans, CornersSpanThePanel(&corners)) << line.name << " line, raw " << row.first
                                                               << " to " << row.second;
        }
    }
}

// The system's rule for a double click: 500 ms, and an area 4 pixels square around the first.
TEST(DoubleClick, SecondHalfWithinTimeAndArea)
{
    const struct { const char *what; DWORD earlierTime, laterTime; POINT later; BOOL second; } rows[] = {
        { "same place at once", 1000, 1000, { 50, 60 }, TRUE },
        { "just in time", 1000, 1499, { 50, 60 }, TRUE },
        { "at the time", 1000, 1500, { 50, 60 }, FALSE },
        { "a pixel off each way", 1000, 1100, { 49, 61 }, TRUE },
        { "two pixels right", 1000, 1100, { 52, 60 }, FALSE },
        { "two pixels up", 1000, 1100, { 50, 58 }, FALSE },
        { "across the tick count's wrap", 0xFFFFFF00, 0x40, { 50, 60 }, TRUE },
        { "earlier than the first", 1000, 999, { 50, 60 }, FALSE },
    };
    for (const auto &row : rows) {
        ClickRecord earlier = { row.earlierTime, { 50, 60 } };
        ClickRecord later = { row.laterTime, row.later };
        EXPECT_EQ(row.second, SecondHalfOfDoubleClick(&earlier, &later, 500, 4, 4)) << row.what;
    }
}

// On 800 x 600 the targets lie at x 80 and 720, y 60 and 540; the panel spans 0 to 4000 raw
// units both ways, 5 a pixel on X and 20/3 on Y, Y falling. Each row moves touch k off the
// clean round; the miss is in pixels, the larger axis.
TEST(TouchAgreement, MissInPixelsAgainstTheEarlierTouches)
{
    const RawPoint clean[4] = { { 400, 3600 }, { 3600, 3600 }, { 400, 400 }, { 3600, 400 } };
    const struct { const char *what; int k; LONG dx, dy; LONG miss; } rows[] = {
        { "first touch, anywhere", 0, 999, -999, 0 },
        { "touch 1 on its row", 1, 0, 0, 0 },
        { "touch 1 off its row: no Y span to judge it by yet", 1, 0, -999, 0 },
        { "touch 1 on target 0's column: no X span", 1, -3200, 0, TOUCH_MISS_UNBOUNDED },
        { "touch 1 anywhere along its row", 1, 700, 0, 0 },
        { "touch 2, 16 px right", 2, 80, 0, 16 },
        { "touch 2 on target 0's row: no Y span", 2, 0, 3200, TOUCH_MISS_UNBOUNDED },
        { "touch 3, 15 px left and 16 px low: the larger", 3, -75, -107, 16 },
    };
    for (bool mirrored : { false, true }) {
        for (const auto &row : rows) {
            RawPoint touched[4] = { clean[0], clean[1], clean[2], clean[3] };
            touched[row.k].X += row.dx;
            touched[row.k].Y += row.dy;
            for (int later = row.k + 1; later < 4; later++)
                touched[later] = RawPoint{ -1, -1 };   // not touched yet in this round
            // A panel mounted the other way round: X falls to the right, every offset turns.
            for (RawPoint &p : touched)
                p.X = mirrored ? 4000 - p.X : p.X;
            EXPECT_EQ(row.miss, TouchMissPixels(touched, row.k, 800, 600)) << row.what << (mirrored ? ", mirrored" : "");
        }
    }
    // Nine-digit raw values: 2,500,000 units a pixel on X; 40,000,000 is 16 pixels.
    const RawPoint wide[4] = { { -800000000, 0 }, { 800000000, 0 }, { -800000000, 480 }, { 840000000, 480 } };
    EXPECT_EQ(16, TouchMissPixels(wide, 3, 800, 600));
}

// Rounds of touches on the target centres of a panel (as the simulated one reports them),
// one target touched off its centre by pixels and then by raw units, judged in order: the
// first touch that does not count, and what became of it (-1: all four count). Touch 1's Y
// is judged through the Y span once touch 2 gives it, whatever the X axis's range.
TEST(TouchAgreement, JudgedRoundsOnPanelsWhoseAxesDiffer)
{
    const struct {
        const char *what;
        LONG panel[4];
        int width, height, target;
        POINT pixels, raw;
        int firstOut, verdict;
    } rows[] = {
        { "X 4,000 and Y 1,000 units, touch 1 40 px low", { 0, 4000, 0, 1000 }, 800, 600, 1, { 0, 40 }, { 0, 0 },
          2, TOUCH_ROW_STARTS_AGAIN },
        { "the same, both axes falling", { 4000, 0, 1000, 0 }, 800, 600, 1, { 0, 40 }, { 0, 0 }, 2, TOUCH_ROW_STARTS_AGAIN },
        { "X 1,000 and Y 4,000, touch 1 40 px high", { 0, 1000, 0, 4000 }, 800, 600, 1, { 0, -40 }, { 0, 0 },
          2, TOUCH_ROW_STARTS_AGAIN },
        { "default panel, touch 2 40 px right", { 150, 3950, 3900, 180 }, 800, 600, 2, { 40, 0 }, { 0, 0 },
          2, TOUCH_REFUSED },
        { "Y falling 3,200 units over 480 px: touch 1 15 px off its row", { 0, 4000, 4000, 0 }, 800, 600, 1, { 0, 0 },
          { 0, 100 }, -1, TOUCH_COUNTS },
        { "the same, 16 px off", { 0, 4000, 4000, 0 }, 800, 600, 1, { 0, 0 }, { 0, 107 }, 2, TOUCH_ROW_STARTS_AGAIN },
        // 24 units are 7 pixels of Y, but would be 112 through the X axis's coarse units.
        { "X 256 and Y 4,096 units, touch 1 jittered 24 units", { 0, 256, 0, 4096 }, 1600, 1200, 1, { 0, 0 },
          { 0, 24 }, -1, TOUCH_COUNTS },
    };
    for (const auto &row : rows) {
        POINT centre[4];
        RawPoint touched[4];
        CalibrationTargetCentres(row.width, row.height, centre);
        int firstOut = -1, verdict = TOUCH_COUNTS, inARow = 0;
        for (int k = 0; k < 4 && firstOut < 0; k++) {
            POINT at = centre[k];
            if (k == row.target)
                at = POINT{ at.x + row.pixels.x, at.y + row.pixels.y };
            PanelPointRaw(row.panel, row.width, row.height, at.x, at.y, &touched[k].X, &touched[k].Y);
            if (k == row.target)
                touched[k] = RawPoint{ touched[k].X + row.raw.x, touched[k].Y + row.raw.y };
            verdict = JudgeTouch(touched, k, row.width, row.height, &inARow);
            firstOut = verdict == TOUCH_COUNTS ? -1 : k;
        }
        EXPECT_EQ(row.firstOut, firstOut) << row.what;
        EXPECT_EQ(row.verdict, verdict) << row.what;
    }
}

// A linear panel, as the simulated one: raw value at the screen's left (top) edge and at its
// right (bottom) edge, rounded to the nearest raw unit; fine when it is finer than the screen.
struct Axis {
    LONG atStart, atEnd;
    bool fine;
};

LONG RawAt(const Axis &axis, int pixel, int size)
{
    return (LONG)std::floor(axis.atStart + (double)(axis.atEnd - axis.atStart) * pixel / size + 0.5);
}

// Touches the four target centres of one screen on one panel and extrapolates. The corners
// must be the panel's edges and each target must map back onto its centre, within what whole
// pixels and whole raw units allow: the targets sit on whole pixels, so a corner can be off
// by the raw size of a pixel (plus a unit of rounding); on a panel coarser than the screen
// a raw unit spans more than a pixel. Where the targets lie exactly a tenth in and the panel
// is finer than the screen (exact), the corners are the panel's edges to within a raw unit
// and the targets map to within a pixel.
void RoundTrip(int width, int height, Axis x, Axis y, bool exact)
{
    POINT centre[4] = {};
    RawPoint touched[4];
    CalibrationTargetCentres(width, height, centre);
    for (int t = 0; t < 4; t++)
        touched[t] = RawPoint{ RawAt(x, centre[t].x, width), RawAt(y, centre[t].y, height) };
    PanelCorners corners;
    ExtrapolateCorners(touched, &corners);

    SCOPED_TRACE(testing::Message() << width << " x " << height << ", panel X " << x.atStart << ".." << x.atEnd
                                    << ", Y " << y.atStart << ".." << y.atEnd << (exact ? ", exact" : ""));
    for (const Line &line : Lines) {
        const Axis &axis = line.horizontal ? x : y;
        int size = line.horizontal ? width : height;
        double rawPerPixel = std::abs(axis.atEnd - axis.atStart) / (double)size;
        LONG a = corners.*line.cornerA, b = corners.*line.cornerB;

        double cornerError = std::max(std::abs((double)a - axis.atStart), std::abs((double)b - axis.atEnd));
        EXPECT_LE(cornerError, exact ? 1 : 1 + rawPerPixel) << line.name << " corners " << a << ", " << b;
        double pixelAllowed = exact ? 1 : 1 + (rawPerPixel < 1 ? 1 / rawPerPixel : 0);
        for (int t : { line.targetA, line.targetB }) {
            LONG raw = line.horizontal ? touched[t].X : touched[t].Y;
            int want = line.horizontal ? centre[t].x : centre[t].y;
            double mapped = (double)(raw - a) * size / (b - a);
            EXPECT_LE(std::abs(mapped - want), pixelAllowed)
                << "target " << t << " maps to " << mapped << " on the " << line.name << " line, not " << want;
        }
    }
}

TEST(CornerRoundTrip, TargetCentresOnEmulatedPanelsGiveThePanelsEdges)
{
    // The targets lie exactly a tenth in on the screens marked exact.
    const struct { int width, height; bool exact; } screens[] = {
        { 640, 480, true }, { 800, 600, true }, { 1024, 768, false }, { 1152, 864, false },
        { 1280, 960, false }, { 1280, 1024, false }, { 1600, 1200, true },
    };
    // Ranges from 256 to 4096 raw units, with offsets, rising and falling, and the Y axis
    // of the simulated panel's default (bottom to top).
    const Axis axes[] = {
        { 0, 256, false }, { 256, 0, false }, { 37, 293, false }, { 0, 4096, true }, { 4095, 0, true },
        { 150, 3950, true }, { 3900, 180, true }, { 1000, 2023, false }, { -500, 1548, true }, { 3000, 1100, false },
    };
    for (const auto &screen : screens)
        for (const Axis &x : axes)
            for (const Axis &y : axes)
                RoundTrip(screen.width, screen.height, x, y, screen.exact && x.fine && y.fine);
}

} // namespace
