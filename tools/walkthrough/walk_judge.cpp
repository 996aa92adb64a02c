// How the walk judges what it saw; see walk_judge.h.
#include "walk_judge.h"

// Setup extrapolates a corner as an eighth of the raw distance between two targets beyond
// each, which is the screen's edge when the target centres lie exactly a tenth in. Rounding
// of the panel and of the eighth keeps the corner within one raw unit of it then. The
// targets lie (size + 1) / 10 pixels in, which on other sizes misses the tenth by up to
// 0.8 pixel and shifts the corner by span * (10 * inset - size) / (8 * size) raw units.
// A corner is 9/8 of one touch less 1/8 of another, so jitter moves it by 10/8 of its own.
LONG CornerTolerance(LONG span, int size, LONG noise)
{
    LONGLONG inset = (size + 1) / 10, miss = 10 * inset - size, eighths = 8LL * size;
    LONGLONG shift = (span < 0 ? -(LONGLONG)span : span) * (miss < 0 ? -miss : miss);
    return (LONG)(1 + (shift + eighths - 1) / eighths + (10 * (LONGLONG)noise + 7) / 8);
}

int FirstWrongCorner(const LONG corners[8], const LONG panel[4], int width, int height,
                     LONG *expected, LONG *tolerance, LONG noise)
{
    // Which panel edge each corner value is: X at the left or right, Y at the top or bottom.
    static const int edges[8] = { 0, 2, 1, 2, 1, 3, 0, 3 };
    for (int i = 0; i < 8; i++) {
        BOOL x = edges[i] < 2;
        *expected = panel[edges[i]];
        *tolerance = x ? CornerTolerance(panel[1] - panel[0], width, noise)
                       : CornerTolerance(panel[3] - panel[2], height, noise);
        LONGLONG off = (LONGLONG)corners[i] - *expected;
        if (off > *tolerance || -off > *tolerance)
            return i;
    }
    return -1;
}

BOOL AreaIsOneColour(const BYTE *bits, int width, int height, RECT area)
{
    DWORD stride = (width * 3 + 3) & ~3u;
    const BYTE *first = NULL;
    for (int y = area.top < 0 ? 0 : area.top; y < area.bottom && y < height; y++) {
        const BYTE *row = bits + (DWORD)(height - 1 - y) * stride;
        for (int x = area.left < 0 ? 0 : area.left; x < area.right && x < width; x++) {
            const BYTE *pixel = row + 3 * x;
            if (!first)
                first = pixel;
            else if (pixel[0] != first[0] || pixel[1] != first[1] || pixel[2] != first[2])
                return FALSE;
        }
    }
    return TRUE;
}
