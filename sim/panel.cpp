// The panel's arithmetic: a touch to raw units, and raw units to the screen by the corners.
#include "panel.h"

// In 64 bits: nine-digit raw values times a screen's pixels, or corners anywhere in the
// 32-bit range, would overflow 32.
static LONGLONG RoundedQuotient(LONGLONG numerator, LONGLONG denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (numerator >= 0)
        return (numerator + denominator / 2) / denominator;
    return -((-numerator + denominator / 2) / denominator);
}

static LONG Bounded(LONGLONG value)
{
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : value < -0x7FFFFFFF ? -0x7FFFFFFF : (LONG)value;
}

// A raw value lies between the panel's two edges, so it fits 32 bits whatever they are.
void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY)
{
    *rawX = Bounded(panel[0] + RoundedQuotient(((LONGLONG)panel[1] - panel[0]) * x, width));
    *rawY = Bounded(panel[2] + RoundedQuotient(((LONGLONG)panel[3] - panel[2]) * y, height));
}

BOOL CornersPointScreen(const PanelCorners *c, LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen)
{
    LONGLONG left = ((LONGLONG)c->LeftUpX + c->LeftDnX) / 2, right = ((LONGLONG)c->RightUpX + c->RightDnX) / 2;
    LONGLONG top = ((LONGLONG)c->LeftUpY + c->RightUpY) / 2, bottom = ((LONGLONG)c->RightDnY + c->LeftDnY) / 2;
    if (left == right || top == bottom)
        return FALSE;
    screen->x = Bounded(RoundedQuotient((rawX - left) * width, right - left));
    screen->y = Bounded(RoundedQuotient((rawY - top) * height, bottom - top));
    return TRUE;
}
