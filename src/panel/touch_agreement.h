// How far a calibration touch lies from where it should, in pixels: each corner touch
// against the touches before it, and a touch on a target through the corners they gave.
#ifndef VELMORA_TOUCH_AGREEMENT_H
#define VELMORA_TOUCH_AGREEMENT_H

#include "calibration_geometry.h"

// Farther off than this, a corner touch was not on its target (ALIGNER refuses it). On panels
// of 1,000 raw units and finer on each axis, with 3 units of jitter, scripts/bench.sh sees
// touches on their targets miss by 10 pixels at most and touches 40 pixels off (28 on each
// axis, diagonally) by 20 at least: the bound sits between the two. On coarser panels the
// jitter alone is as large.
enum { TOUCH_AGREEMENT_PIXELS = 15 };

// A miss no pixel count can express: a touch that gives its axis no span.
#define TOUCH_MISS_UNBOUNDED 0x7FFFFFFFL

// How far touch k (0 to 3; touched[k] is the new one) lies from where touches 0 to k - 1
// put its target. Targets 0 and 2, 1 and 3 share an X; 0 and 1, 2 and 3 share a Y. Raw
// differences become pixels through the raw span of the first two targets on each axis
// (0 and 1 for X, 0 and 2 for Y), whichever way the raw values run. The larger of the two
// axes; 0 for the first touch. Touch 1's X makes the X span, and its Y has no span yet to be
// measured by: the axes of a panel may differ in range and direction, so the X span tells
// nothing of Y. RowMissPixels judges touch 1's Y once touch 2 is in.
LONG TouchMissPixels(const RawPoint touched[4], int k, int width, int height);

// How far touch 1 lies from touch 0's row, through the Y span that touch 2 gives (touched[0]
// to touched[2] taken).
LONG RowMissPixels(const RawPoint touched[3], int width, int height);

// What becomes of touch k (touched[k]), by its miss: it counts within the bound; beyond, it is
// refused, and the second refusal in a row starts the round again at target 0, since the
// earlier touch may be the one that slipped. Touch 2 also starts the round again when it
// shows that touches 0 and 1 do not share a row: nothing tells which of the two slipped.
// refusedInARow carries the count between touches (0 at the start of a round).
enum { TOUCH_COUNTS, TOUCH_REFUSED, TOUCH_STARTS_AGAIN, TOUCH_ROW_STARTS_AGAIN };
int JudgeTouch(const RawPoint touched[4], int k, int width, int height, int *refusedInARow);

// The largest error of a touch on its target that is still a good alignment: 2 % of the
// screen's width. Beyond it a user feels the cursor lag behind the finger, so ALIGNER asks for
// a new round and PADMON's check calls the alignment off.
static inline LONG GoodAlignmentPixels(int width)
{
    return width / 50;
}

// Where the driver puts a raw point when it maps by these corners; FALSE when an edge of
// them has no span to map by.
BOOL TouchOnScreen(const PanelCorners *corners, int width, int height, RawPoint raw, POINT *at);

// How far a touch meant for a target lands from it, in pixels (the larger of the two axes),
// when the driver maps it by these corners; TOUCH_MISS_UNBOUNDED when it cannot map.
LONG TouchErrorAt(const PanelCorners *corners, int width, int height, RawPoint raw, POINT target);

// The same for a touch on the screen's centre.
LONG CentreTouchError(const PanelCorners *corners, int width, int height, RawPoint raw);

#endif
