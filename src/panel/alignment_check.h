// PADMON's check of the alignment without a window: where its nine targets lie, what each
// is called, what the touches on them add up to and show, and where the picture draws.
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

// Where a touch landed against its target's centre, in pixels. A landing that could not be
// mapped (x TOUCH_MISS_UNBOUNDED), or one more than a quarter of a million pixels off, which
// no screen is as large as, counts as unmapped: CHECK_UNMAPPED. So the offsets, their sums and
// the picture's arithmetic stay well within a LONG.
enum { CHECK_FARTHEST = 1 << 18, CHECK_UNMAPPED = CHECK_FARTHEST + 1 };
POINT CheckOffset(POINT landed, POINT target);

// What the nine touches show beyond their worst error.
enum {
    CHECK_AT_ONE_PLACE,    // neither of the two below: the place of the worst is named
    CHECK_SHIFTED,         // every touch off in about the same direction by about the same distance
    CHECK_SPAN_CHANGED,    // the touches off from the centre outward, or inward, more toward the edges
};

struct CheckSummary {
    LONG worst, mean;      // pixels, each touch's the larger of its two axes; TOUCH_MISS_UNBOUNDED when a touch could not be mapped
    int worstAt;           // the first target of the worst error
    int magnification;     // how much longer the second picture draws each line; below 2, none
    LONG goodWithin;       // the worst error that is still a good alignment, pixels
    BOOL aligned;          // FALSE while the stored corners are setup's defaults
    int pattern;
    // CHECK_SHIFTED: the offsets' mean. CHECK_SPAN_CHANGED: the outer targets' mean offset away
    // from the centre on each axis, negative inward.
    POINT patternOffset;
};

// The offsets of the nine touches on a width-pixel screen; aligned FALSE for a panel that was
// never aligned.
void SumUpCheck(const POINT offsets[CHECK_TARGET_COUNT], int width, BOOL aligned, CheckSummary *summary);

// The verdict: good, or off with the pattern and what to do; for a panel never aligned, that
// instead of a figure. At most 192 characters.
enum { CHECK_TEXT_SIZE = 192 };
void ComposeCheckVerdict(char *text, const CheckSummary *summary);
// The worst and mean errors and the limit; what the lines of the picture show. Empty where
// there is no figure or no line.
void ComposeCheckErrors(char *text, const CheckSummary *summary);
void ComposeCheckScale(char *text, const CheckSummary *summary);

// The line the picture draws from a target's centre, times as long as the offset, as the
// points of one polyline on a width by height screen: the centre and the end (2); or, for a
// line that would leave the screen, the centre, the point where it meets the edge and an arrow
// head there (5). None (0, the centre alone) for a touch on its target or unmapped. Returns
// the count. The offset times times lies within CHECK_FARTHEST.
enum { CHECK_LINE_POINTS = 5 };
int CheckLine(POINT centre, POINT offset, int times, int width, int height, POINT line[CHECK_LINE_POINTS]);

// The box of size pixels that holds the text and the buttons: centred across the screen, and
// down between the top row's targets and the centre one, clear of their crosses.
void CheckTextBox(int width, int height, SIZE size, RECT *box);

#endif
