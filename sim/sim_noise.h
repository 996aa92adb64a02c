// The simulated panel's jitter: every read point moves by a pseudo-random whole number of
// raw units on each axis, from a fixed seed so that a run repeats.
#ifndef VELMORA_SIM_NOISE_H
#define VELMORA_SIM_NOISE_H

#include <windows.h>

// Where the sequence starts; the driver starts it again at every open.
#define SIM_NOISE_SEED 0x2545F491UL

// The next offset of the sequence, from -amount to amount (0 to 999,999,999).
LONG PanelNoise(DWORD *state, LONG amount);

#endif
