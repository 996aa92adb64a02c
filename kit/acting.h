// Acting on setup's windows as a user would: a button's click, a touch on the panel, and
// input that goes through the system's input queue.
//
// Clicks and touches are posted, not sent: one that opens the next page would otherwise
// keep the actor inside that page's modal loop, or block it on another process.
#ifndef VELMORA_ACTING_H
#define VELMORA_ACTING_H

#include <windows.h>

// The button id of the window clicks itself (BM_CLICK); a window without such a control
// gets the click itself, which does nothing. FALSE then.
BOOL ClickControl(HWND window, int id);

// A touch that ends at a screen point: the touch driver delivers it as a left-button
// release at the cursor, and reads the position from the message, so the cursor goes
// there first.
void TouchAt(HWND window, POINT at);
// The same on the centre of control id of the window; the point touched.
POINT TouchControlCentre(HWND window, int id);

// Moves the cursor to a point and waits, three seconds at most, until it holds still
// there; FALSE when it did not. Under Wine's X11 driver a cursor moved from another
// process can jump back for a moment while the X server's motion events come in.
BOOL HoldCursorAt(POINT at);

// Real input through SendInput: it goes through hit-testing, capture, focus and the
// dialog manager's keys, as a user's mouse and keyboard do; a posted message skips all of
// that. A move to a screen point and `clicks` left clicks there (two is a double click,
// four at most); a key pressed and released. FALSE when the system took not all of it.
BOOL RealClickAt(POINT at, int clicks);
BOOL RealKey(WORD key);

#endif
