// The simulated touch driver's own settings: the QUARLO_SIM_* variables, read at every
// open, so that tests and people can choose the card, the panel and the faults.
#ifndef VELMORA_SIM_SETTINGS_H
#define VELMORA_SIM_SETTINGS_H

#include <windows.h>

// What the QUARLO_SIM_* variables set, with the defaults where one is unset.
struct SimulationSettings {
    BOOL CardPresent;
    DWORD Card[3];             // port, base, interrupt line
    LONG Panel[4];             // raw X at the left, right edge; raw Y at the top, bottom edge
    BOOL FailOpen, FailProbe, FailRead;
    LONG Noise;                // raw units a read point may move on each axis, either way
    char LogPath[MAX_PATH];
};

// Reads the variables as the driver does at every open. FALSE when one is malformed; the
// first such is named in *malformed (the driver then refuses to load).
BOOL ReadSimulationSettings(SimulationSettings *settings, const char **malformed);

#endif
