// The simulated touch driver's own view, for the programs and tests that need to know
// where the driver would put the cursor.
#ifndef VELMORA_SIM_DEVICE_H
#define VELMORA_SIM_DEVICE_H

#include <windows.h>

// Maps a raw panel point to the screen by the corners the driver holds, as the driver
// does with every touch out of calibration. FALSE while the corners give no width or height.
BOOL SimulatedTouchToScreen(LONG rawX, LONG rawY, POINT *screen);

// The raw point the simulated panel reports for a touch ending at a pixel of this screen.
void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY);

#endif
