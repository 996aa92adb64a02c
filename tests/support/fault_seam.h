// Makes one Win32 call of the code under test fail on its Nth use. The test program swaps
// entries of its own import table for stand-ins that pass every call through, except the
// one chosen; the programs' code itself is the code that ships.
#ifndef VELMORA_FAULT_SEAM_H
#define VELMORA_FAULT_SEAM_H

#include <windows.h>
#include <string>
#include <vector>

// From now on the nth call (counted from 1) of the function named by its import name fails
// with error; every other call goes through. The driver's device layer is reached through
// DeviceOpen and DeviceControl, the shape of its CreateFileA and DeviceIoControl. FALSE
// when the program imports no such function.
BOOL ArmFault(const char *function, int nth, DWORD error);
// Back to plain calls; the count of the armed function's calls so far is returned.
int DisarmFault(void);
// TRUE once the armed call has failed.
BOOL FaultFired(void);

// Driver handles the program holds, counted from here on: now, and the most at any time.
void CountDriverHandles(void);
int DriverHandlesHeld(void);
int MostDriverHandlesHeld(void);

// Every call of a swappable function from now on is noted by name, until the trace is
// taken; for finding the Nth use a case aims at.
void StartCallTrace(void);
std::vector<std::string> TakeCallTrace(void);

#endif
