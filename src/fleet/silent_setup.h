// SETUP.EXE /SILENT /LOADINF=<file>: the installation an accepted calibration leads to, with
// an answer file's values and no window, all of it or none of it.
#ifndef VELMORA_SILENT_SETUP_H
#define VELMORA_SILENT_SETUP_H

#include "run_log.h"

// The log of a quiet run that names none, in the Windows directory.
#define SETUP_LOG_FILE "VELMORA.LOG"

// Runs the replay that SetupSwitches asks for and ends its log; the exit code is returned.
int RunSilentSetup(void);
// The reason the log's exit line and the status file give for a replay that ended with code
// (not 1), inPlace when it found the installation in place and changed nothing.
const char *ReplayExitReason(int code, BOOL inPlace);

#endif
