// Steps and readings the calibration and complete-run tests share.
#ifndef VELMORA_CALIBRATION_STEPS_H
#define VELMORA_CALIBRATION_STEPS_H

#include "dialog_driver.h"

#include <string>
#include <vector>

// Waits until target k (0 top left to 3 bottom right) is shown, then touches its centre.
Scenario &TouchTarget(Scenario &s, int k);

// Touches the four targets in turn and waits until the screen offers OK.
Scenario &TouchAllTargets(Scenario &s);

// The cursor display count of this thread, read without changing it.
int CursorCount(void);

// The centre of target k as the screen shows it, in screen pixels.
POINT TargetCentre(HWND screen, int k);

// A control call as the simulated driver logs it: code in upper-case hex, words signed.
std::string IoctlLine(const char *code, LONG word0, LONG word1);

// The driver's log lines from index `from` on.
std::vector<std::string> LogFrom(size_t from);

#endif
