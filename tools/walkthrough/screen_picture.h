// The whole screen saved as a picture, for the walk's record of every page.
#ifndef VELMORA_SCREEN_PICTURE_H
#define VELMORA_SCREEN_PICTURE_H

#include <windows.h>

// Writes the screen as it is now to path, a 24-bit BMP; TRUE when written. With an area
// (screen coordinates), *oneColour tells whether all of it came out one flat colour.
BOOL SaveScreenPicture(const char *path, const RECT *area, BOOL *oneColour);

#endif
