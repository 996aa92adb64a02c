// ALIGNER's checks measured without a window: slipped and clean touches against the
// agreement rule, and the centre target's error, on a jittering simulated panel.
#ifndef VELMORA_ALIGNER_FIGURES_H
#define VELMORA_ALIGNER_FIGURES_H

#include <windows.h>

// How far off a slipped touch lands, in pixels.
enum { SLIP_PIXELS = 40 };

struct AlignerFigures {
    int slips, slipsKept;          // slipped touches, and those that reached the corners
    int cleanTouches, cleanRefused;
    LONG cleanMissMost;            // the largest miss of a touch on its target, pixels
    LONG slipMissLeast;            // the smallest miss by which a slip showed, pixels
    LONG centreError, centreBound; // the largest error of the centre target, and its bound
    LONG checkError;               // the worst error PADMON's check finds after a clean round
    LONG jitterSpread;             // pixels two reads of one point may lie apart, rounding included
};

// Rounds of ALIGNER's touches on a width by height screen over panels of unitsX raw units
// across and unitsY down, rising and falling on each, whose every read moves by up to noise
// units: clean rounds, each followed by the centre target and PADMON's check of the alignment
// it gave (both held to one bound), and rounds in which one touch lands SLIP_PIXELS off its
// target in one of eight directions and the user then touches what the screen asks.
void MeasureAlignerChecks(int width, int height, LONG unitsX, LONG unitsY, LONG noise, AlignerFigures *figures);

#endif
