// The calibration screen's pure geometry: where each control goes on a screen of a given
// size, the raw screen corners extrapolated from four touches, whether the driver can map
// by them, and which clicks are the second half of a double click.
#ifndef VELMORA_CALIBRATION_GEOMETRY_H
#define VELMORA_CALIBRATION_GEOMETRY_H

#include <windows.h>
#include "driver.h"

struct RawPoint {
    LONG X;
    LONG Y;
};

struct ControlPlace {
    int id;
    int x;
    int y;
};

enum { CALIBRATION_CONTROL_COUNT = 17 };

// The four targets in the order the screen collects them: top left, top right, bottom
// left, bottom right.
extern const int CalibrationTargetIds[4];

// The place of every control of the screen, in the order they are moved, on a screen of
// width by height pixels.
void LayOutCalibrationScreen(int width, int height, ControlPlace places[CALIBRATION_CONTROL_COUNT]);

// The raw positions of the screen's corners, from the touches on the four targets (top
// left, top right, bottom left, bottom right), which lie a tenth of the screen in from
// each edge.
void ExtrapolateCorners(const RawPoint touched[4], PanelCorners *corners);

// TRUE when each edge of the corners spans some raw distance, whichever way: the driver
// divides by these spans. A falling axis (a negative span) is a real panel's.
BOOL CornersSpanThePanel(const PanelCorners *corners);

// A click as its message gives it: the message time and the screen point.
struct ClickRecord {
    DWORD time;
    POINT at;
};

// TRUE when `later` comes within the double-click time and area (width by height pixels,
// centred on `earlier`) of `earlier`, as the system tells a double click.
BOOL SecondHalfOfDoubleClick(const ClickRecord *earlier, const ClickRecord *later, UINT doubleClickTime,
                             int areaWidth, int areaHeight);

#endif
