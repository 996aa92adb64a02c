// The calibration screen's state while it is open: setup's own after the summary page, and
// the aligner's over the installed driver.
#ifndef VELMORA_CALIBRATION_SCREEN_H
#define VELMORA_CALIBRATION_SCREEN_H

#include "calibration_geometry.h"

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

#endif
