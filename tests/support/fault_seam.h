// Makes one Win32 call of the code under test fail, named by what it does. The test program
// swaps entries of its own import table for stand-ins that pass every call through, except
// the one chosen; the programs' code itself is the code that ships.
#ifndef VELMORA_FAULT_SEAM_H
#define VELMORA_FAULT_SEAM_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// Every call of a swappable function is named by the function, what it works on, and the
// page (the innermost dialog DialogBoxParamA runs) it is made on:
//   "RegSetValueExA LeftUpX in software\orrimac\velmora on the summary page"
//   "DeviceControl 0x220007 on the calibration screen", "CopyFileA REMOVER.EXE on the
//   finish page", "MessageBoxA Cannot Find Interface Card on the summary page",
//   "DialogBoxParamA the port page on the welcome page", "GetSystemDirectoryA", and on a
//   dialog that is none of setup's pages "... on template 202"
// Keys are named by their path below HKEY_LOCAL_MACHINE (HKCU\ for the current user's),
// files and folders by their last part, a message box by its text's first line, a driver
// call by its control code. The driver's device layer is reached through DeviceOpen and
// DeviceControl, the shape of its CreateFileA and DeviceIoControl.

// From now on the first call whose name begins with `call` fails with error (with `after`,
// the first such call after one whose name begins with that), and the trace starts; every
// other call goes through. FALSE when the program imports no function of that name.
BOOL ArmFault(const std::string &call, const std::string &after, DWORD error);
// Back to plain calls.
void DisarmFault(void);
// TRUE once the armed call has failed.
BOOL FaultFired(void);

// Driver handles the program holds, counted from here on: now, and the most at any time.
void CountDriverHandles(void);
int DriverHandlesHeld(void);
int MostDriverHandlesHeld(void);

// Every call of a swappable function since the fault was armed, by its name; the trace ends
// here.
std::vector<std::string> TakeCallTrace(void);

// A call that may change the machine, about to be made: its name as above, and where it
// writes a file (a copy, a write), that file and what it would hold were the call cut off
// half-way, as a stop inside it leaves it.
struct Change {
    std::string call;
    std::string path;
    std::string torn;
};
// From now on watch sees every such call before it is made: a registry value or key written
// or deleted, a file made, copied, written, renamed, deleted or its attributes set, a folder
// made or removed, a profile section written. The calls watch makes itself pass unseen.
// nullptr stops the watching.
void WatchChanges(std::function<void(const Change &change)> watch);

#endif
