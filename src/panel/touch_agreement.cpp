// How far a calibration touch lies from where it should; see touch_agreement.h.
#include "touch_agreement.h"

// Taken unsigned: raw values may lie anywhere in 32 bits, and a distance beyond what a LONG
// holds comes out negative, which InPixels takes for unbounded.
static LONG Distance(LONG a, LONG b)
{
    return (LONG)(a > b ? (DWORD)a - (DWORD)b : (DWORD)b - (DWORD)a);
}

// A raw distance in pixels, where rawSpan raw units cover pixelSpan pixels.
static LONG InPixels(LONG rawDistance, LONG rawSpan, int pixelSpan)
{
    LONG pixels = MulDiv(rawDistance, pixelSpan, rawSpan);
    return rawSpan <= 0 || pixels < 0 ? TOUCH_MISS_UNBOUNDED : pixels;
}

// The raw distance between the first two targets on each axis covers this many pixels: their
// centres lie (size + 1) / 10 in from each edge.
static int TargetSpan(int size)
{
    return size - 2 * ((size + 1) / 10);
}

LONG TouchMissPixels(const RawPoint touched[4], int k, int width, int height)
{
    // Touch 1 has no partner on X yet and touch 2 none on Y: the span each gives is all
    // there is to judge on that axis, and touch 1's Y waits for a span (RowMissPixels).
    // Touch 3 shares its X with 1, its Y with 2.
    int partnerX = k == 3 ? 1 : 0;
    LONG missX, missY;

    if (k < 1 || k > 3)
        return 0;
    // A span of none (a touch on its partner's line) leaves the miss unbounded.
    missX = InPixels(k == 1 ? 0 : Distance(touched[k].X, touched[partnerX].X), Distance(touched[0].X, touched[1].X),
                     TargetSpan(width));
    missY = k == 1 ? 0
                   : InPixels(k == 2 ? 0 : Distance(touched[3].Y, touched[2].Y), Distance(touched[0].Y, touched[2].Y),
                              TargetSpan(height));
    return missX > missY ? missX : missY;
}

LONG RowMissPixels(const RawPoint touched[3], int width, int height)
{
    return InPixels(Distance(touched[1].Y, touched[0].Y), Distance(touched[0].Y, touched[2].Y), TargetSpan(height));
}

int JudgeTouch(const RawPoint touched[4], int k, int width, int height, int *refusedInARow)
{
    if (TouchMissPixels(touched, k, width, height) > TOUCH_AGREEMENT_PIXELS) {
        if (++*refusedInARow < 2)
            return TOUCH_REFUSED;
        *refusedInARow = 0;
        return TOUCH_STARTS_AGAIN;
    }
    *refusedInARow = 0;
    if (k == 2 && RowMissPixels(touched, width, height) > TOUCH_AGREEMENT_PIXELS)
        return TOUCH_ROW_STARTS_AGAIN;
    return TOUCH_COUNTS;
}

BOOL TouchOnScreen(const PanelCorners *corners, int width, int height, RawPoint raw, POINT *at)
{
    // As the driver maps: each edge the mean of its two corners, in between linear, rounded
    // to the nearest pixel with halves away from zero (as MulDiv rounds) whichever way an
    // axis runs.
    LONG left = (corners->LeftUpX + corners->LeftDnX) / 2, right = (corners->RightUpX + corners->RightDnX) / 2;
    LONG top = (corners->LeftUpY + corners->RightUpY) / 2, bottom = (corners->LeftDnY + corners->RightDnY) / 2;

    if (left == right || top == bottom)
        return FALSE;
    at->x = MulDiv(raw.X - left, width, right - left);
    at->y = MulDiv(raw.Y - top, height, bottom - top);
    return TRUE;
}

LONG TouchErrorAt(const PanelCorners *corners, int width, int height, RawPoint raw, POINT target)
{
    POINT at;
    LONG offX, offY;

    if (!TouchOnScreen(corners, width, height, raw, &at))
        return TOUCH_MISS_UNBOUNDED;
    offX = Distance(at.x, target.x);
    offY = Distance(at.y, target.y);
    // A distance beyond a LONG's room comes out negative.
    if (offX < 0 || offY < 0)
        return TOUCH_MISS_UNBOUNDED;
    return offX > offY ? offX : offY;
}

LONG CentreTouchError(const PanelCorners *corners, int width, int height, RawPoint raw)
{
    POINT centre = { width / 2, height / 2 };

    return TouchErrorAt(corners, width, height, raw, centre);
}
