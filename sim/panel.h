// The panel's arithmetic, touching no window: where the simulated panel reports a touch,
// and where the driver puts a raw point by the corners it holds.
#ifndef VELMORA_PANEL_H
#define VELMORA_PANEL_H

#include <windows.h>
#include "driver.h"

// The raw point a panel reports for a touch ending at pixel (x, y) of a width by height
// screen: the panel as raw X at the left and right edges and raw Y at the top and bottom
// edges, linear in between, rounded to nearest.
void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY);

// The screen point the driver maps a raw point to by the corners; FALSE while the corners give no
// width or height.
BOOL CornersPointScreen(const PanelCorners *corners, LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen);

#endif
