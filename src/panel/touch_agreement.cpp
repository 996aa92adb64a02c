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

LONG TouchMissPixels(const RawPoint touched[4], int k, int width, int height)
{
    // The target centres lie (size + 1) / 10 in from each edge.
    int spanX = width - 2 * ((width + 1) / 10), spanY = height - 2 * ((height + 1) / 10);
    // Touch 1 has no partner on X yet and touch 2 none on Y: the span each gives is all
    // there is to judge on that axis. Touch 3 shares its X with 1, its Y with 2.
    int partnerX = k == 3 ? 1 : 0, partnerY = k == 3 ? 2 : 0;
    LONG rawX, rawY, missX, missY;

    if (k < 1 || k > 3)
        return 0;
    rawX = Distance(touched[0].X, touched[1].X);
    rawY = k >= 2 ? Distance(touched[0].Y, touched[2].Y) : rawX;
    // A span of none (a touch on its partner's line) leaves the miss unbounded.
    missX = InPixels(k == 1 ? 0 : Distance(touched[k].X, touched[partnerX].X), rawX, spanX);
    missY = InPixels(k == 2 ? 0 : Distance(touched[k].Y, touched[partnerY].Y), rawY, spanY);
    return missX > missY ? missX : missY;
}

int JudgeTouch(const RawPoint touched[4], int k, int width, int height, int *refusedInARow)
{
    if (TouchMissPixels(touched, k, width, height) <= TOUCH_AGREEMENT_PIXELS) {
        *refusedInARow = 0;
        return TOUCH_COUNTS;
    }
    if (++*refusedInARow < 2)
        return TOUCH_REFUSED;
    *refusedInARow = 0;
    return TOUCH_STARTS_AGAIN;
}

LONG CentreTouchError(const PanelCorners *corners, int width, int height, RawPoint raw)
{
    // As the driver maps: each edge the mean of its two corners, in between linear, rounded
    // to the nearest pixel with halves away from zero (as MulDiv rounds) whichever way an
    // axis runs.
    LONG left = (corners->LeftUpX + corners->LeftDnX) / 2, right = (corners->RightUpX + corners->RightDnX) / 2;
    LONG top = (corners->LeftUpY + corners->RightUpY) / 2, bottom = (corners->LeftDnY + corners->RightDnY) / 2;
    LONG offX, offY;

    if (left == right || top == bottom)
        return TOUCH_MISS_UNBOUNDED;
    offX = Distance(MulDiv(raw.X - left, width, right - left), width / 2);
    offY = Distance(MulDiv(raw.Y - top, height, bottom - top), height / 2);
    return offX > offY ? offX : offY;
}
