// SETUP.EXE /SILENT /LOADINF=<file>: the installation an accepted calibration leads to, with
// an answer file's values and no window, all of it or none of it.
#ifndef VELMORA_SILENT_SETUP_H
#define VELMORA_SILENT_SETUP_H

#include "run_log.h"

// Setup's own exit codes beside the shared ones of run_log.h.
enum {
    EXIT_ANSWERS = 2,        // answer file missing or invalid
    EXIT_DRIVER = 4,         // the driver cannot be copied or loaded
    EXIT_CARD = 5,           // the interface card does not answer on the file's port
    EXIT_NOT_STORED = 6,     // the installation could not be stored (registry or files)
};

// The log of a quiet run that names none, in the Windows directory.
#define SETUP_LOG_FILE "VELMORA.LOG"

// Runs the replay that SetupSwitches asks for and ends its log; the exit code is returned.
int RunSilentSetup(void);

#endif
