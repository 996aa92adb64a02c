// PADMON's check of the alignment without a window: where its nine targets lie, what each
// is called, and what the errors of the touches on them add up to.
#ifndef VELMORA_ALIGNMENT_CHECK_H
#define VELMORA_ALIGNMENT_CHECK_H

#include <windows.h>

// Row by row from the top, left to right.
enum { CHECK_TARGET_COUNT = 9 };

// The centre of a target on a width by height screen: the first and last of each row and
// column where the calibration screen's targets lie, the middle ones on the screen's centre.
POINT CheckTargetCentre(int target, int width, int height);

// The target's place, as the verdict names it: "top left", "top", ... "bottom right".
const char *CheckPlaceName(int target);

struct CheckSummary {
    LONG worst, mean;      // pixels; TOUCH_MISS_UNBOUNDED when a touch could not be mapped
    int worstAt;           // the first target of the worst error
    int magnification;     // how much longer the second picture draws each line; below 2, none
};

// The errors of the nine touches, in pixels as ALIGNER's centre target measures them.
void SumUpCheck(const LONG errors[CHECK_TARGET_COUNT], CheckSummary *summary);

// The verdict on a width-pixel screen: good within 2 % of the width, as ALIGNER asks for a
// new round beyond it; otherwise off at the worst place. At most 128 characters.
void ComposeCheckVerdict(char *text, const CheckSummary *summary, int width);
// The worst and mean errors, and what the lines of the picture show; at most 128 characters.
void ComposeCheckErrors(char *text, const CheckSummary *summary);
void ComposeCheckScale(char *text, const CheckSummary *summary);

#endif
