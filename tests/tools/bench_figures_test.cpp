// The benchmark's arithmetic: a wrong median or a grid that skips an axis direction would
// print a plausible table that says nothing.
#include "bench_figures.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <vector>

namespace {

TEST(BenchFigures, RatiosArePairedBeforeTheMedianIsTaken)
{
    const struct {
        std::vector<double> program, base;
        double median, low, high;
    } cases[] = {
        { { 2, 3, 9 }, { 1, 2, 3 }, 2, 1.5, 3 },             // odd: the middle ratio
        { { 1, 4 }, { 2, 1 }, 2.25, 0.5, 4 },                // even: mean of the middle two, not 2.5 / 1.5
        { { 5, 1, 6, 2 }, { 5, 2, 2, 1 }, 1.5, 0.5, 3 },     // unsorted: 1, 0.5, 3, 2
        { { 7 }, { 7 }, 1, 1, 1 },
    };
    for (const auto &c : cases) {
        RatioSpread s = PairRatios(c.program.data(), c.base.data(), (int)c.program.size());
        EXPECT_DOUBLE_EQ(c.median, s.median) << c.program.size() << " pairs";
        EXPECT_DOUBLE_EQ(c.low, s.low) << c.program.size() << " pairs";
        EXPECT_DOUBLE_EQ(c.high, s.high) << c.program.size() << " pairs";
    }
}

// Worked out by hand from the target places, the panel's rounding and the driver's mapping.
TEST(BenchFigures, AlignmentTakesTheWorstOfEveryDirectionAndAxis)
{
    const struct {
        int width, height;
        LONG units;
        LONG cornerError, mappingError, checkError;
    } cases[] = {
        // A raw unit per pixel, targets at 80 and 720: rising, (640 - 1) / 8 = 79 puts the
        // corners at 1 and 799, and pixel 0 maps to -800 / 798, so -1; falling is exact.
        // The check's target at 80 maps to 79.2.
        { 800, 800, 800, 1, 1, 1 },
        // Y only: the tenth of 768 is 76, not 76.8; touches 405 and 3691 give a margin of
        // 410 and corners at -5 and 4101, on which pixel 767 (raw 4091) maps to 766, and the
        // check's target at 76 to 76.7.
        { 1024, 768, 4096, 5, 1, 1 },
        // Corners 1 and 255 on X; pixel 1597 reads 256 (255.52), which maps to 1606; the
        // check's target at 160 reads 26, which maps to 157.48.
        { 1600, 1200, 256, 1, 9, 3 },
    };
    for (const auto &c : cases) {
        AlignmentFigures f = { -1, -1, -1, -1, -1, -1 };
        ASSERT_TRUE(MeasureAlignment(c.width, c.height, c.units, &f));
        EXPECT_EQ(c.cornerError, std::max(f.cornerErrorX, f.cornerErrorY))
            << c.width << " x " << c.height << ", " << c.units << " units";
        EXPECT_EQ(c.mappingError, f.mappingError) << c.width << " x " << c.height << ", " << c.units << " units";
        EXPECT_EQ(c.checkError, f.checkError) << c.width << " x " << c.height << ", " << c.units << " units";
        EXPECT_DOUBLE_EQ((double)c.width / c.units, f.pixelsPerUnitX);
        EXPECT_DOUBLE_EQ((double)c.height / c.units, f.pixelsPerUnitY);
    }
}

} // namespace
