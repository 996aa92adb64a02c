// The figures scripts/bench.sh reports, worked out from measurements without a window.
#ifndef VELMORA_BENCH_FIGURES_H
#define VELMORA_BENCH_FIGURES_H

#include <windows.h>
#include <functional>
#include "calibration_geometry.h"
#include "driver.h"

// The middle value of count values (count > 0), the mean of the middle two for an even
// count. Sorts the values in place.
double Median(double *values, int count);

struct RatioSpread {
    double median, low, high;
};

// The ratios program[i] / base[i] of count runs taken in pairs (count > 0, at most 64).
RatioSpread PairRatios(const double *program, const double *base, int count);

// The corners the calibration screen extrapolates when its four target centres are touched
// on a panel (as PanelPointRaw takes it), on a width by height screen.
void CalibratedCorners(const LONG panel[4], int width, int height, PanelCorners *corners);

struct AlignmentFigures {
    double pixelsPerUnitX, pixelsPerUnitY;   // one raw unit in pixels: the panel's own limit
    LONG cornerErrorX, cornerErrorY;   // raw units between an extrapolated corner and the panel's edge
    LONG mappingError;   // pixels between a touched pixel and where the driver puts it
    LONG checkError;     // the worst error PADMON's check finds, pixels
};

// The largest error, in pixels, of a touch mapped through calibrated corners on an axis of
// units raw units over size pixels whose every read jitters by up to noise units: the corners
// within the walk's bound (CornerTolerance), an edge the mean of two corners (a unit of
// truncation), the touch's own rounding (half a unit) and jitter, and half a pixel of the
// mapping's rounding.
LONG MappedBound(LONG units, int size, LONG noise);

// The worst error PADMON's check finds on a width by height screen aligned by these corners,
// each of its nine touches read as `read` gives the raw point of a pixel.
LONG CheckWorstError(const PanelCorners *corners, int width, int height, const std::function<RawPoint(POINT)> &read);

// The panels of the grids, unitsX raw units across and unitsY down: rising or falling on
// each axis, at two offsets. Variant 0 to GRID_PANELS - 1.
enum { GRID_PANELS = 8 };
void GridPanel(int variant, LONG unitsX, LONG unitsY, LONG panel[4]);

// Aligns a width by height screen to panels of units raw units on each axis, rising and
// falling, through the calibration screen's targets and arithmetic and the simulated panel
// and driver, then touches every pixel of each axis and PADMON's nine check targets. The
// largest errors of all of them; FALSE when the driver could not map by the corners.
BOOL MeasureAlignment(int width, int height, LONG units, AlignmentFigures *figures);

#endif
