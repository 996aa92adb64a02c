// Waiting for a window of a program that runs as a process of its own (SETUP.EXE as the
// user starts it): which of its windows takes the input, when a wait is over, and what the
// program shows instead when it ends without what it waited for.
#ifndef VELMORA_WAITING_H
#define VELMORA_WAITING_H

#include <windows.h>
#include <string>

// Starts program with directory as its current directory; FALSE when it could not start.
BOOL StartProgramIn(const char *program, const char *directory, PROCESS_INFORMATION *started);
BOOL ProgramRunning(const PROCESS_INFORMATION *program);

// The window of the process that takes the user's input: a modal page disables every page
// below it, so of the visible top-level windows only the topmost page or box is enabled.
HWND InputWindowOf(DWORD process);

// What a window is: one of setup's pages (its template, setup_pages.h) or one of these.
enum { NO_WINDOW = -1, MESSAGE_BOX = -2, UNKNOWN_WINDOW = -3 };
int KindOf(HWND window);
// "port page", "message box", "no window", "unknown window".
const char *KindName(int kind);
// What the window shows, as a line "setup shows ..." puts it: a message box "<caption>":
// "<text>", the <page>, a window "<caption>", or no window.
std::string DescribeWindow(HWND window);

// A wait is over when the program ends or settles on something else, never because a busy
// machine was slow. Its backstop only catches a hang: it stays below the silence after which
// the test runner stops a test program (scripts/test-case.sh), so that the wait, not the
// runner, says what was on the screen.
enum { WAIT_BACKSTOP_MS = 90000 };

// The program's input window once it is of that kind; NULL when the program ended, settled
// on another window than the one it showed when the wait began (a message box, another
// page), or the milliseconds ran out.
HWND WaitForKind(const PROCESS_INFORMATION *program, int kind, DWORD milliseconds);

// TRUE once holds(window, argument) does; FALSE when the program ended, the window closed,
// the program settled on another window, or the milliseconds ran out.
typedef BOOL (*WindowTest)(HWND window, int argument);
BOOL WaitUntil(const PROCESS_INFORMATION *program, HWND window, WindowTest holds, int argument,
               DWORD milliseconds);

#endif
