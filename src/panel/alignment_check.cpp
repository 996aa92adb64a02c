// PADMON's check of the alignment without a window; see alignment_check.h.
#include "alignment_check.h"
#include "texts.h"
#include "touch_agreement.h"

POINT CheckTargetCentre(int target, int width, int height)
{
    int column = target % 3, row = target / 3;
    POINT centre;

    centre.x = column == 0 ? (width + 1) / 10 : column == 1 ? width / 2 : width - (width + 1) / 10;
    centre.y = row == 0 ? (height + 1) / 10 : row == 1 ? height / 2 : height - (height + 1) / 10;
    return centre;
}

const char *CheckPlaceName(int target)
{
    static const char *const names[CHECK_TARGET_COUNT] = { CHECK_PLACE_NAMES };

    return names[target];
}

static LONG Magnitude(LONG value)
{
    return value < 0 ? -value : value;
}

// The larger of the two axes, as every error of the check is measured.
static LONG Size(POINT offset)
{
    LONG x = Magnitude(offset.x), y = Magnitude(offset.y);

    return x > y ? x : y;
}

// Within CHECK_FARTHEST either way, by unsigned arithmetic: no value overflows on the way.
static BOOL Near(LONG value)
{
    return (DWORD)value + CHECK_FARTHEST <= 2 * CHECK_FARTHEST;
}

POINT CheckOffset(POINT landed, POINT target)
{
    POINT offset = { (LONG)((DWORD)landed.x - (DWORD)target.x), (LONG)((DWORD)landed.y - (DWORD)target.y) };

    if (!Near(offset.x) || !Near(offset.y)) {
        offset.x = CHECK_UNMAPPED;
        offset.y = 0;
    }
    return offset;
}

// The longest line the magnified picture draws, in pixels: long enough to see its direction,
// short enough to stay clear of the lines of text between the targets.
enum { MAGNIFIED_LENGTH = 40, MOST_MAGNIFIED = 10 };

// A shift or a changed span names the pattern only when it accounts for every touch to within a
// quarter of its own size; a touch farther from it than that has a fault of its own place. A
// pixel of rounding on each touch stays well within a quarter of the smallest error that is off.
enum { PATTERN_SHARE = 4 };

// How far the farthest touch lies from a pattern that puts each at base plus scale times its
// target's column and row out from the centre (-1, 0 or 1).
static __attribute__((noinline)) LONG Misfit(const POINT offsets[CHECK_TARGET_COUNT], POINT base, POINT scale)
{
    LONG worst = 0;

    for (int i = 0; i < CHECK_TARGET_COUNT; i++) {
        POINT off = { offsets[i].x - base.x - scale.x * (i % 3 - 1), offsets[i].y - base.y - scale.y * (i / 3 - 1) };
        worst = Size(off) > worst ? Size(off) : worst;
    }
    return worst;
}

void SumUpCheck(const POINT offsets[CHECK_TARGET_COUNT], int width, BOOL aligned, CheckSummary *summary)
{
    LONG sum = 0;
    POINT shift = { 0, 0 }, span = { 0, 0 }, none = { 0, 0 };

    summary->worst = 0;
    summary->worstAt = 0;
    for (int i = 0; i < CHECK_TARGET_COUNT; i++) {
        LONG error = Size(offsets[i]);
        sum += error;
        if (error > summary->worst) {
            summary->worst = error;
            summary->worstAt = i;
        }
        shift.x += offsets[i].x;
        shift.y += offsets[i].y;
        span.x += offsets[i].x * (i % 3 - 1);
        span.y += offsets[i].y * (i / 3 - 1);
    }
    summary->mean = (sum + CHECK_TARGET_COUNT / 2) / CHECK_TARGET_COUNT;
    if (summary->worst > CHECK_FARTHEST)
        summary->worst = summary->mean = TOUCH_MISS_UNBOUNDED;
    summary->magnification = summary->worst <= MAGNIFIED_LENGTH / MOST_MAGNIFIED ? (LONG)MOST_MAGNIFIED
                                                                                : MAGNIFIED_LENGTH / summary->worst;
    summary->goodWithin = GoodAlignmentPixels(width);
    summary->aligned = aligned;

    // The same offset everywhere: the nine's mean. An offset in proportion to the target's
    // distance from the centre: the mean of the six targets a column (a row) out either way.
    shift.x /= CHECK_TARGET_COUNT;
    shift.y /= CHECK_TARGET_COUNT;
    span.x /= 6;
    span.y /= 6;
    summary->pattern = CHECK_AT_ONE_PLACE;
    summary->patternOffset = shift;
    if (PATTERN_SHARE * Misfit(offsets, shift, none) <= Size(shift)) {
        summary->pattern = CHECK_SHIFTED;
    } else if (PATTERN_SHARE * Misfit(offsets, none, span) <= Size(span) && Magnitude(span.x + span.y) >= Size(span)) {
        // The second test leaves out one axis outward and the other inward: no span that grew
        // or shrank does that.
        summary->pattern = CHECK_SPAN_CHANGED;
        summary->patternOffset = span;
    }
}

void ComposeCheckVerdict(char *text, const CheckSummary *summary)
{
    POINT offset = summary->patternOffset;
    LONG size = Size(offset);
    // The shift's direction: an axis is named when it carries at least half of the shift, so
    // that a shift more than about 27 degrees off an axis names both.
    const char *vertical = 2 * Magnitude(offset.y) < size ? "" : offset.y < 0 ? CHECK_ABOVE_TEXT : CHECK_BELOW_TEXT;
    const char *horizontal = 2 * Magnitude(offset.x) < size ? "" : offset.x < 0 ? CHECK_LEFT_TEXT : CHECK_RIGHT_TEXT;

    if (!summary->aligned) {
        lstrcpyA(text, NOT_ALIGNED_TEXT);
        return;
    }
    if (summary->worst == TOUCH_MISS_UNBOUNDED) {
        lstrcpyA(text, CHECK_UNMAPPED_TEXT);
    } else if (summary->worst <= summary->goodWithin) {
        lstrcpyA(text, CHECK_GOOD_TEXT);
        return;
    } else {
        text += wsprintfA(text, CHECK_OFF_FORMAT, summary->worst);
        if (summary->pattern == CHECK_SHIFTED)
            wsprintfA(text, CHECK_SHIFT_FORMAT, size, vertical, *vertical && *horizontal ? CHECK_AND_TEXT : "",
                      horizontal);
        else if (summary->pattern == CHECK_SPAN_CHANGED)
            wsprintfA(text, CHECK_SPAN_FORMAT, offset.x + offset.y > 0 ? CHECK_FARTHER_TEXT : CHECK_NEARER_TEXT);
        else
            wsprintfA(text, CHECK_PLACE_FORMAT, CheckPlaceName(summary->worstAt));
    }
    lstrcatA(text, CHECK_AGAIN_TEXT);
}

// Neither a figure nor a line for a panel never aligned or corners that map no touch.
static BOOL Measured(const CheckSummary *summary)
{
    return summary->aligned && summary->worst != TOUCH_MISS_UNBOUNDED;
}

void ComposeCheckErrors(char *text, const CheckSummary *summary)
{
    *text = 0;
    if (Measured(summary))
        wsprintfA(text, CHECK_ERRORS_FORMAT, summary->worst, summary->mean, summary->goodWithin);
}

void ComposeCheckScale(char *text, const CheckSummary *summary)
{
    *text = 0;
    // Touches that all landed on their targets draw no line.
    if (!Measured(summary) || summary->worst == 0)
        return;
    lstrcpyA(text, CHECK_SCALE_TEXT);
    if (summary->magnification >= 2)
        wsprintfA(text + lstrlenA(text), CHECK_MAGNIFIED_FORMAT, summary->magnification);
}

// The arrow head's strokes go this many pixels back along the line, and half as far aside.
enum { ARROW_LENGTH = 10 };

int CheckLine(POINT centre, POINT offset, int times, int width, int height, POINT line[CHECK_LINE_POINTS])
{
    POINT move = { offset.x * times, offset.y * times };
    POINT edge = { centre.x + move.x, centre.y + move.y };
    // Each axis as the pair of its values, X then Y.
    LONG *from = &centre.x, *by = &move.x, *end = &edge.x, last[2] = { width - 1, height - 1 };
    LONG size = Size(move), backX, backY;
    BOOL cut = FALSE;

    line[0] = centre;
    if (size == 0 || Size(offset) > CHECK_FARTHEST)
        return 0;
    // Cut where it leaves the screen across one axis, then the other: the point of the first
    // cut lies on the line, so the second keeps to it. Windows 95 draws in 16-bit coordinates:
    // a line is drawn only as far as the screen.
    for (int axis = 0; axis < 2; axis++) {
        if (end[axis] < 0 || end[axis] > last[axis]) {
            LONG at = end[axis] < 0 ? 0 : last[axis];
            end[1 - axis] = from[1 - axis] + by[1 - axis] * (at - from[axis]) / by[axis];
            end[axis] = at;
            cut = TRUE;
        }
    }
    line[1] = edge;
    if (!cut)
        return 2;
    backX = move.x * ARROW_LENGTH / size;
    backY = move.y * ARROW_LENGTH / size;
    line[2].x = edge.x - backX - backY / 2;
    line[2].y = edge.y - backY + backX / 2;
    line[3] = edge;
    line[4].x = edge.x - backX + backY / 2;
    line[4].y = edge.y - backY - backX / 2;
    return CHECK_LINE_POINTS;
}

// A target's cross reaches this far from its centre, and the box keeps this much more apart.
enum { CROSS_REACH = 19, BOX_CLEARANCE = 6 };

void CheckTextBox(int width, int height, SIZE size, RECT *box)
{
    LONG top = CheckTargetCentre(0, width, height).y + CROSS_REACH + BOX_CLEARANCE;
    LONG bottom = height / 2 - CROSS_REACH - BOX_CLEARANCE;

    box->left = (width - size.cx) / 2;
    box->right = box->left + size.cx;
    box->top = bottom - top > size.cy ? top + (bottom - top - size.cy) / 2 : top;
    box->bottom = box->top + size.cy;
}
