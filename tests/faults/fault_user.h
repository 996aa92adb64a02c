// A user who walks setup or a companion program to its end whatever a fault puts in the
// way: answers every message box, presses Next again when a page did not open, touches
// each target shown, and gives up with Cancel on a page that keeps coming back. What the
// user was shown is kept as a transcript.
#ifndef VELMORA_FAULT_USER_H
#define VELMORA_FAULT_USER_H

#include <windows.h>
#include <functional>
#include <string>

enum Walk {
    INSTALL,            // setup to Reboot
    CANCEL_ON_SUMMARY,  // setup to the summary page, then Cancel
    MONITOR,            // PADMON: a touch in the test area, then Close
    TUNER,              // TUNER: mode 3, OK
    ALIGNER,            // ALIGNER: four touches, OK
    REMOVER,            // REMOVER: Yes, then Yes to the restart
};

// Runs body (which opens the program's windows) with the user acting on them; the lines
// the user was shown ("box <caption>: <text>", "finish: <last line>", "monitor: <point
// line>"), and "gave up" where the user pressed Cancel on a page that kept coming back,
// joined by " | " in the order they came. The test fails when the walk hangs.
std::string WalkAsUser(Walk walk, std::function<void()> body);

#endif
