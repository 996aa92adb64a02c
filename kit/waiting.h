// Waiting for a window of a program that runs as a process of its own (SETUP.EXE as the
// user starts it): which of its windows takes the input, a deadline for each wait, and
// what the program shows instead when the wait ends without what it waited for.
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
// What the window shows, as a log line puts it: a message box "<caption>": "<text>", or
// the <name of its kind>.
std::string DescribeWindow(HWND window);

// The program's input window once it is of that kind; NULL when the program ended, showed
// a message box instead, or the milliseconds ran out.
HWND WaitForKind(const PROCESS_INFORMATION *program, int kind, DWORD milliseconds);

// TRUE once holds(window, argument) does; FALSE when the program ended, the window closed
// or the milliseconds ran out.
typedef BOOL (*WindowTest)(HWND window, int argument);
BOOL WaitUntil(const PROCESS_INFORMATION *program, HWND window, WindowTest holds, int argument,
               DWORD milliseconds);

#endif
