// The simulated driver's log of the calls it gets, one line each, for the tests and the walk
// to see what setup asked of it: "open", "close", "ioctl 0x22000B 123 -45" (control code,
// request words 0 and 1).
#ifndef VELMORA_CALL_LOG_H
#define VELMORA_CALL_LOG_H

#include <windows.h>
#include "driver.h"

// Appends a line to the log file at path; nothing without a path.
void LogCall(const char *path, const char *line);
// The line of a control call; request may be NULL.
void LogControlCall(const char *path, DWORD code, const PanelRequest *request);

#endif
