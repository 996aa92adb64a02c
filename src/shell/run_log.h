// What a run started with switches reports: its log, a switch it did not understand, and
// its exit code with the reason.
#ifndef VELMORA_RUN_LOG_H
#define VELMORA_RUN_LOG_H

#include <windows.h>
#include "command_line.h"

// The exit codes of SETUP.EXE and REMOVER.EXE, in one list as the README gives them; the
// installation's phases end with setup's own, whose reasons the replay gives
// (ReplayExitReason).
enum {
    EXIT_DONE = 0,
    EXIT_COMMAND_LINE = 1,       // the remover also ends with 1 when something stays
    EXIT_ANSWERS = 2,
    EXIT_BUSY = 3,
    EXIT_DRIVER = 4,
    EXIT_CARD = 5,
    EXIT_NOT_STORED = 6,
    EXIT_RESTART_NEEDED = 3010,
};
#define BUSY_REASON "another setup or a companion that changes the installation is running"

// Reads the program's switches (ReadSwitches, which takes relative file names from the
// current directory), holds a quiet run's other files open against writing until EndRun,
// and opens the log: the value of the switch `log`, or for a quiet run
// (switch `quiet` given) whose log is not named, refused or cannot be made, defaultLog in the
// Windows directory when it is not NULL, with a line naming the log that could not be made.
// The first line says whose the log is: the program's name, the version, the computer and
// the local date and time; the command line comes next. FALSE when a switch is not
// understood: a quiet run has logged it with its exit line, any other has told it in a box
// with this caption; the program then ends with EXIT_COMMAND_LINE having touched nothing else.
BOOL TakeCommandLine(const char *commandLine, const SwitchRule *rules, int count, int quiet, int log,
                     const char *defaultLog, const char *caption, const char *program, CommandSwitches *switches);

// When the run began, "2026-12-08 10:42:17", as the log's first line says.
enum { RUN_TIME_SIZE = 20 };
extern char RunBegan[RUN_TIME_SIZE];
// What the run reports beyond its log, called by EndRun just before the log's last line
// (which can then tell a report that failed) with the exit code and its reason, then cleared;
// NULL for nothing. Logs gathered on a share and a management server's status file must tell
// the same reason.
extern void (*RunEndReport)(int code, const char *reason);

// One line, composed as wsprintfA does (at most 1,024 characters); nothing without a log.
void LogLine(const char *format, ...);
// A step and its outcome, "<step>: done" or "<step>: failed"; done is returned.
BOOL LogStep(BOOL done, const char *format, ...);
// RunEndReport called, then the last line, "Exit code <code>: <reason>"; the log is closed,
// the files a quiet run held let go and code returned.
int EndRun(int code, const char *reason);

#endif
