// The calibration screen's state while it is open: setup's own after the summary page, and
// the aligner's over the installed driver.
#ifndef VELMORA_CALIBRATION_SCREEN_H
#define VELMORA_CALIBRATION_SCREEN_H

#include "calibration_geometry.h"

extern int CaptureActive;     // 1 while target touches are collected
extern int PointIndex;        // the target being collected, 4 once all are in
extern RawPoint TouchedPoints[4];

#endif
