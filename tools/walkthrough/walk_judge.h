// How the walk judges what it saw: the corners setup stored against the raw values the
// simulated panel gives at the screen's edges, and a picture against a blank screen.
#ifndef VELMORA_WALK_JUDGE_H
#define VELMORA_WALK_JUDGE_H

#include <windows.h>

// How many raw units a stored corner may lie from the panel's value at its screen edge,
// on a screen size pixels long over which the panel spans span raw units, and whose every
// read jitters by up to noise raw units.
LONG CornerTolerance(LONG span, int size, LONG noise = 0);

// The corners are the first eight values of the settings record, in its order.
// The first corner farther from the panel's edge than its tolerance, with the value it
// should have and the tolerance; -1 when all eight are close enough.
int FirstWrongCorner(const LONG corners[8], const LONG panel[4], int width, int height,
                     LONG *expected, LONG *tolerance, LONG noise = 0);

// TRUE when every pixel of the area (screen coordinates, clipped to the picture) of a
// bottom-up 24-bit picture has the same colour: what a page drawn nowhere leaves.
BOOL AreaIsOneColour(const BYTE *bits, int width, int height, RECT area);

#endif
