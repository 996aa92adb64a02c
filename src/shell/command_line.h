// The switches of SETUP.EXE and REMOVER.EXE, read from the whole command line without
// touching anything.
#ifndef VELMORA_COMMAND_LINE_H
#define VELMORA_COMMAND_LINE_H

#include <windows.h>

enum { SWITCH_LIMIT = 6, SWITCH_VALUE_SIZE = 256, SWITCH_REFUSAL_SIZE = 128, NO_SWITCH = -1 };

// What follows a switch's "=": nothing; a file, made a full path of the current directory;
// or a name of 1 to 8 letters, digits or _, for a file the program places itself, the status
// file <Windows directory>\<name>.MIF, whose full path the value becomes.
enum SwitchValue { NO_VALUE, FILE_VALUE, NAME_VALUE, NAME_VALUE_SIZE = 8 };
#define NAME_VALUE_EXTENSION ".MIF"

// A switch a program takes: its name without the leading / or -, its value, and the switch
// (an index into the same table) it is understood only with, or only without; NO_SWITCH for
// none.
struct SwitchRule {
    const char *name;
    int value;
    int needs;
    int excludes;
};

struct CommandSwitches {
    BOOL Given[SWITCH_LIMIT];                       // also for a switch given in a wrong form
    char Value[SWITCH_LIMIT][SWITCH_VALUE_SIZE];    // its value, quotes taken out
    char Refusal[SWITCH_REFUSAL_SIZE];              // the first switch not understood, in a sentence
};

enum SetupSwitch { SETUP_SILENT, SETUP_LOADINF, SETUP_SAVEINF, SETUP_NORESTART, SETUP_LOG, SETUP_MIF, SETUP_SWITCH_COUNT };
enum RemoverSwitch { REMOVER_QUIET, REMOVER_LOG, REMOVER_MIF, REMOVER_SWITCH_COUNT };
extern const SwitchRule SetupSwitchRules[SETUP_SWITCH_COUNT];
extern const SwitchRule RemoverSwitchRules[REMOVER_SWITCH_COUNT];
// SETUP.EXE's command line, read as it starts; the replay and the pages act on it.
extern CommandSwitches SetupSwitches;

// Reads commandLine, the program's own name first as GetCommandLineA gives it. Switches
// are case-insensitive and start with / or -; a value follows "=", in double quotes when
// it holds blanks. A file's relative name is made a full path of the current directory, in
// its plain form (PlainPath). TRUE when every switch is understood; otherwise Refusal names
// the first that is not and why, and the rest is still read; a file value refused (too long,
// a device, or the same file as another switch's) is left empty.
BOOL ReadSwitches(const char *commandLine, const SwitchRule *rules, int count, CommandSwitches *switches);

#endif
