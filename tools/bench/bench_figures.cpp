// The benchmark's arithmetic: medians and spreads of paired runs, and the alignment grid.
#include "bench_figures.h"
#include "alignment_check.h"
#include "calibration_geometry.h"
#include "setup_pages.h"
#include "panel.h"
#include "touch_agreement.h"
#include "walk_judge.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

double Median(double *values, int count)
{
    std::sort(values, values + count);
    if (count % 2)
        return values[count / 2];
    return (values[count / 2 - 1] + values[count / 2]) / 2;
}

RatioSpread PairRatios(const double *program, const double *base, int count)
{
    double ratios[64];
    for (int i = 0; i < count; i++)
        ratios[i] = program[i] / base[i];
    RatioSpread spread;
    spread.low = *std::min_element(ratios, ratios + count);
    spread.high = *std::max_element(ratios, ratios + count);
    spread.median = Median(ratios, count);
    return spread;
}

void CalibratedCorners(const LONG panel[4], int width, int height, PanelCorners *corners)
{
    POINT centre[4];
    RawPoint touched[4];
    CalibrationTargetCentres(width, height, centre);
    for (int t = 0; t < 4; t++)
        PanelPointRaw(panel, width, height, centre[t].x, centre[t].y, &touched[t].X, &touched[t].Y);
    ExtrapolateCorners(touched, corners);
}

LONG MappedBound(LONG units, int size, LONG noise)
{
    double raw = CornerTolerance(units, size, noise) + 1.5 + noise;
    return (LONG)std::ceil(raw * size / units + 0.5);
}

LONG CheckWorstError(const PanelCorners *corners, int width, int height, const std::function<RawPoint(POINT)> &read)
{
    LONG worst = 0;
    for (int t = 0; t < CHECK_TARGET_COUNT; t++) {
        POINT centre = CheckTargetCentre(t, width, height);
        worst = std::max(worst, TouchErrorAt(corners, width, height, read(centre), centre));
    }
    return worst;
}

// One calibration on one panel: the corner error, then every pixel of both axes mapped back.
static BOOL AlignOnce(int width, int height, const LONG panel[4], AlignmentFigures *worst)
{
    PanelCorners c;
    CalibratedCorners(panel, width, height, &c);

    // X values first: each axis has a bound of its own.
    const LONG edgeOf[8][2] = {
        { c.LeftUpX, panel[0] }, { c.LeftDnX, panel[0] }, { c.RightUpX, panel[1] }, { c.RightDnX, panel[1] },
        { c.LeftUpY, panel[2] }, { c.RightUpY, panel[2] }, { c.LeftDnY, panel[3] }, { c.RightDnY, panel[3] },
    };
    for (int i = 0; i < 8; i++) {
        LONG *axis = i < 4 ? &worst->cornerErrorX : &worst->cornerErrorY;
        *axis = std::max(*axis, std::labs(edgeOf[i][0] - edgeOf[i][1]));
    }

    worst->checkError = std::max(worst->checkError, CheckWorstError(&c, width, height, [&](POINT at) {
        RawPoint raw;
        PanelPointRaw(panel, width, height, at.x, at.y, &raw.X, &raw.Y);
        return raw;
    }));

    // The driver maps each axis on its own, so the diagonal, held at the last row or column
    // of the shorter side, touches every pixel of both axes.
    for (int i = 0; i < std::max(width, height); i++) {
        int x = std::min(i, width - 1), y = std::min(i, height - 1);
        LONG rawX, rawY;
        POINT mapped;
        PanelPointRaw(panel, width, height, x, y, &rawX, &rawY);
        if (!CornersPointScreen(&c, width, height, rawX, rawY, &mapped))
            return FALSE;
        worst->mappingError = std::max(worst->mappingError, std::max(std::labs(mapped.x - x), std::labs(mapped.y - y)));
    }
    return TRUE;
}

void GridPanel(int variant, LONG unitsX, LONG unitsY, LONG panel[4])
{
    // Two offsets shift where the rounding of each touch falls.
    LONG offset = variant & 4 ? 37 : 0;
    panel[0] = panel[2] = offset;
    panel[1] = offset + unitsX;
    panel[3] = offset + unitsY;
    if (variant & 1)
        std::swap(panel[0], panel[1]);
    if (variant & 2)
        std::swap(panel[2], panel[3]);
}

BOOL MeasureAlignment(int width, int height, LONG units, AlignmentFigures *figures)
{
    figures->pixelsPerUnitX = (double)width / units;
    figures->pixelsPerUnitY = (double)height / units;
    figures->cornerErrorX = 0;
    figures->cornerErrorY = 0;
    figures->mappingError = 0;
    figures->checkError = 0;
    for (int variant = 0; variant < GRID_PANELS; variant++) {
        LONG panel[4];
        GridPanel(variant, units, units, panel);
        if (!AlignOnce(width, height, panel, figures))
            return FALSE;
    }
    return TRUE;
}
