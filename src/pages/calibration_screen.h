// The calibration screen, setup's own after the summary page and the aligner's over the
// installed driver: its state while it is open, and its outcome.
#ifndef VELMORA_CALIBRATION_SCREEN_H
#define VELMORA_CALIBRATION_SCREEN_H

#include "calibration_geometry.h"

INT_PTR CALLBACK CalibrationScreen(HWND screen, UINT message, WPARAM wParam, LPARAM lParam);

extern int CalibrationAccepted;   // 1: OK on the calibration screen; whoever opens it clears it
extern int CaptureActive;     // 1 while target touches are collected
extern int PointIndex;        // the target being collected, 4 once all are in
extern RawPoint TouchedPoints[4];

// What ALIGNER adds to the screen. Setup leaves both NULL: every touch counts, and the
// fourth enters testing.
// Given each point read while collecting, before it counts: TRUE when the program dealt
// with it itself (refused it, or took it for a target of its own).
extern BOOL (*CalibrationTouchTaken)(HWND screen, const RawPoint *point);
// Once the fourth touch's corners are with the driver: TRUE holds testing back until the
// program enters it.
extern BOOL (*CalibrationCornersSent)(HWND screen);

void EnterCalibrationTesting(HWND screen);

// What the screen does with its controls and clicks, as PADMON's check screen does too
// (screen_controls.cpp).
// Shows or hides each of the count controls ids names (SW_SHOW, SW_HIDE).
void ShowControls(HWND screen, const int *ids, int count, int how);
// The click of the message being handled: its time and where on the screen it was.
ClickRecord ClickOfMessage(void);
// TRUE when the message's click is the second half of a double click that began with earlier.
BOOL RepeatsClick(const ClickRecord *earlier);

#endif
