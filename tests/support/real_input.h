// Input as the user gives it: SendInput puts mouse and key events into the system's input
// queue, so they go through hit-testing, capture, focus and the dialog manager's keys, as a
// real mouse and keyboard do. A posted message skips all of that.
#ifndef VELMORA_REAL_INPUT_H
#define VELMORA_REAL_INPUT_H

#include "dialog_driver.h"

// Moves the mouse to a screen point and clicks the left button there `clicks` times, all
// in one go (two is a double click).
void RealClickAt(POINT at, int clicks = 1);
// Presses and releases a key.
void RealKey(WORD key);

// The centre of a control of a window, in screen pixels.
POINT ControlCentre(HWND window, int id);

// Steps: a real click on the centre of control id of the active window, once it is shown
// (its point is kept in `at` when one is given), or on a screen point. Scenario's Escape
// and Enter are real keys.
Scenario &RealClick(Scenario &s, int id, int clicks = 1, POINT *at = nullptr);
Scenario &RealClickPoint(Scenario &s, const POINT *at, int clicks = 1);

#endif
