// ALIGNER's checks measured without a window; see aligner_figures.h.
#include "aligner_figures.h"
#include "bench_figures.h"
#include "panel.h"
#include "setup_pages.h"
#include "sim_noise.h"
#include "touch_agreement.h"
#include "walk_judge.h"

#include <algorithm>
#include <cmath>

namespace {

// Enough clean rounds for the jitter to show its extremes on every axis.
const int CleanRounds = 25;
const POINT Slips[8] = { { 40, 0 }, { -40, 0 }, { 0, 40 }, { 0, -40 },
                         { 28, 28 }, { 28, -28 }, { -28, 28 }, { -28, -28 } };

struct Panel {
    LONG edges[4];
    int width, height;
    LONG noise;
    DWORD state;
    POINT centre[4];
};

// A touch ending at a pixel, as the jittering panel reads it.
RawPoint Read(Panel &p, POINT at)
{
    RawPoint raw;
    PanelPointRaw(p.edges, p.width, p.height, at.x, at.y, &raw.X, &raw.Y);
    raw.X += PanelNoise(&p.state, p.noise);
    raw.Y += PanelNoise(&p.state, p.noise);
    return raw;
}

struct Outcome {
    bool complete, slipKept;
    int touches, refused;
    LONG missMost;
};

// One round as ALIGNER takes it: the user touches the target the screen shows; the first
// touch on target `slipped` (none for -1) lands `off` pixels away. A user gives up after
// 40 touches.
Outcome Collect(Panel &p, int slipped, POINT off, RawPoint touched[4])
{
    Outcome o = { false, false, 0, 0, 0 };
    bool fromSlip[4] = {}, slipPending = slipped >= 0;
    int k = 0, inARow = 0;
    for (; k < 4 && o.touches < 40; o.touches++) {
        POINT at = p.centre[k];
        bool slip = slipPending && k == slipped;
        if (slip) {
            at.x += off.x;
            at.y += off.y;
            slipPending = false;
        }
        touched[k] = Read(p, at);
        o.missMost = std::max(o.missMost, TouchMissPixels(touched, k, p.width, p.height));
        if (k == 2)
            o.missMost = std::max(o.missMost, RowMissPixels(touched, p.width, p.height));
        int verdict = JudgeTouch(touched, k, p.width, p.height, &inARow);
        if (verdict == TOUCH_COUNTS) {
            fromSlip[k++] = slip;
        } else {
            o.refused++;
            k = verdict == TOUCH_REFUSED ? k : 0;
        }
    }
    o.complete = k == 4;
    o.slipKept = fromSlip[0] || fromSlip[1] || fromSlip[2] || fromSlip[3];
    return o;
}

} // namespace

void MeasureAlignerChecks(int width, int height, LONG unitsX, LONG unitsY, LONG noise, AlignerFigures *f)
{
    *f = AlignerFigures{ 0, 0, 0, 0, 0, TOUCH_MISS_UNBOUNDED, 0,
                         std::max(MappedBound(unitsX, width, noise), MappedBound(unitsY, height, noise)), 0,
                         (LONG)std::ceil((2 * noise + 1) * std::max((double)width / unitsX, (double)height / unitsY)) };
    for (int variant = 0; variant < GRID_PANELS; variant++) {
        Panel p;
        GridPanel(variant, unitsX, unitsY, p.edges);
        p.width = width;
        p.height = height;
        p.noise = noise;
        p.state = SIM_NOISE_SEED;
        CalibrationTargetCentres(width, height, p.centre);
        RawPoint touched[4];
        for (int round = 0; round < CleanRounds; round++) {
            Outcome o = Collect(p, -1, POINT{ 0, 0 }, touched);
            f->cleanTouches += o.touches;
            f->cleanRefused += o.refused;
            f->cleanMissMost = std::max(f->cleanMissMost, o.missMost);
            PanelCorners corners;
            ExtrapolateCorners(touched, &corners);
            LONG error = o.complete ? CentreTouchError(&corners, width, height, Read(p, POINT{ width / 2, height / 2 }))
                                    : TOUCH_MISS_UNBOUNDED;
            f->centreError = std::max(f->centreError, error);
            error = o.complete ? CheckWorstError(&corners, width, height, [&p](POINT at) { return Read(p, at); })
                               : TOUCH_MISS_UNBOUNDED;
            f->checkError = std::max(f->checkError, error);
        }
        for (int target = 0; target < 4; target++)
            for (const POINT &off : Slips) {
                Outcome o = Collect(p, target, off, touched);
                f->slips++;
                f->slipsKept += o.slipKept || !o.complete;
                f->slipMissLeast = std::min(f->slipMissLeast, o.missMost);
            }
    }
}
