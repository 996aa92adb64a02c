// The simulated touch driver's own view, for the programs and tests that need to know
// where the driver would put the cursor.
#ifndef VELMORA_SIM_DEVICE_H
#define VELMORA_SIM_DEVICE_H

#include <windows.h>

// What the QUARLO_SIM_* variables set, with the defaults where one is unset.
struct SimulationSettings {
    BOOL CardPresent;
    DWORD Card[3];             // port, base, interrupt line
    LONG Panel[4];             // raw X at the left, right edge; raw Y at the top, bottom edge
    BOOL FailOpen, FailProbe, FailRead;
    LONG Noise;                // raw units a read point may move on each axis, either way
    char LogPath[MAX_PATH];
};

// Reads the variables as the driver does at every open. FALSE when one is malformed; the
// first such is named in *malformed (the driver then refuses to load).
BOOL ReadSimulationSettings(SimulationSettings *settings, const char **malformed);

// Maps a raw panel point to the screen by the corners the driver holds, as the driver
// does with every touch out of calibration. FALSE while the corners give no width or height.
BOOL SimulatedTouchToScreen(LONG rawX, LONG rawY, POINT *screen);

// The raw point the simulated panel reports for a touch ending at a pixel of this screen.
void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY);

// The same two mappings for any panel, corners and screen size, touching no window: the
// panel as raw X at the left and right edges and raw Y at the top and bottom edges, the
// corners in the order the driver is sent them (left-up X, Y, right-up, right-down, left-down).
void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY);
BOOL CornersPointScreen(const LONG corner[8], LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen);

#endif
