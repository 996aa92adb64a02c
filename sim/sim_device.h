// The simulated touch driver's own view, for the programs and tests that need to know
// where the driver would put the cursor.
#ifndef VELMORA_SIM_DEVICE_H
#define VELMORA_SIM_DEVICE_H

#include <windows.h>

// Maps a raw panel point to the screen by the corners the driver holds, as the driver
// does with every touch out of calibration. FALSE while the corners give no width or height.
BOOL SimulatedTouchToScreen(LONG rawX, LONG rawY, POINT *screen);

// The raw point the simulated panel reports for a touch ending at a screen pixel.
void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY);

// The same two mappings for any panel, corners and screen size, touching no window: the
// panel as raw X at the left and right edges and raw Y at the top and bottom edges, the
// corners in the order the driver is sent them (left-up X, Y, right-up, right-down, left-down).
void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY);
BOOL CornersPointScreen(const LONG corner[8], LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen);

#endif
