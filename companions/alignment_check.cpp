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

// The longest line the magnified picture draws, in pixels: long enough to see its direction,
// short enough to stay clear of the lines of text between the targets.
enum { MAGNIFIED_LENGTH = 40, MOST_MAGNIFIED = 10 };

void SumUpCheck(const LONG errors[CHECK_TARGET_COUNT], CheckSummary *summary)
{
    // The sum in ninths and the ninths' remainders, so that nine errors near the top of a
    // LONG (corners far off the panel) cannot overflow it: the sum is 9 * whole + rest.
    DWORD whole = 0, rest = 0;

    summary->worst = 0;
    summary->worstAt = 0;
    for (int i = 0; i < CHECK_TARGET_COUNT; i++) {
        whole += (DWORD)errors[i] / CHECK_TARGET_COUNT;
        rest += (DWORD)errors[i] % CHECK_TARGET_COUNT;
        if (errors[i] > summary->worst) {
            summary->worst = errors[i];
            summary->worstAt = i;
        }
    }
    summary->mean = summary->worst == TOUCH_MISS_UNBOUNDED
                        ? TOUCH_MISS_UNBOUNDED
                        : (LONG)(whole + (rest + CHECK_TARGET_COUNT / 2) / CHECK_TARGET_COUNT);
    summary->magnification = summary->worst == TOUCH_MISS_UNBOUNDED ? 0
                             : summary->worst <= MAGNIFIED_LENGTH / MOST_MAGNIFIED ? (LONG)MOST_MAGNIFIED
                                                                                   : MAGNIFIED_LENGTH / summary->worst;
}

void ComposeCheckVerdict(char *text, const CheckSummary *summary, int width)
{
    if (summary->worst == TOUCH_MISS_UNBOUNDED)
        lstrcpyA(text, CHECK_UNMAPPED_TEXT);
    else if (summary->worst <= width / 50)
        wsprintfA(text, CHECK_GOOD_FORMAT, summary->worst);
    else
        wsprintfA(text, CHECK_OFF_FORMAT, summary->worst, CheckPlaceName(summary->worstAt));
}

void ComposeCheckErrors(char *text, const CheckSummary *summary)
{
    if (summary->worst == TOUCH_MISS_UNBOUNDED)
        *text = 0;
    else
        wsprintfA(text, CHECK_ERRORS_FORMAT, summary->worst, summary->mean);
}

void ComposeCheckScale(char *text, const CheckSummary *summary)
{
    // An unmappable touch has no line.
    lstrcpyA(text, summary->worst == TOUCH_MISS_UNBOUNDED ? "" : CHECK_SCALE_TEXT);
    if (summary->magnification >= 2)
        wsprintfA(text + lstrlenA(text), CHECK_MAGNIFIED_FORMAT, summary->magnification);
}
