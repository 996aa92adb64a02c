// The panel's arithmetic: a touch to raw units, and raw units to the screen by the corners.
#include "panel.h"

static LONG RoundedQuotient(LONG numerator, LONG denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (numerator >= 0)
        return (numerator + denominator / 2) / denominator;
    return -((-numerator + denominator / 2) / denominator);
}

void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY)
{
    *rawX = panel[0] + RoundedQuotient((panel[1] - panel[0]) * x, width);
    *rawY = panel[2] + RoundedQuotient((panel[3] - panel[2]) * y, height);
}

BOOL CornersPointScreen(const LONG corner[8], LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen)
{
    LONG left = (corner[0] + corner[6]) / 2, right = (corner[2] + corner[4]) / 2;
    LONG top = (corner[1] + corner[3]) / 2, bottom = (corner[5] + corner[7]) / 2;
    if (left == right || top == bottom)
        return FALSE;
    screen->x = RoundedQuotient((rawX - left) * width, right - left);
    screen->y = RoundedQuotient((rawY - top) * height, bottom - top);
    return TRUE;
}
