// Waiting for a program's windows, and naming what it shows instead.
#include "waiting.h"
#include "reading.h"
#include "setup_pages.h"

// Often enough that a step follows its page at once, seldom enough to leave the program
// the machine.
static const DWORD PollMs = 100;

BOOL StartProgramIn(const char *program, const char *directory, PROCESS_INFORMATION *started)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = std::string("\"") + program + "\"";
    return CreateProcessA(program, &commandLine[0], NULL, NULL, FALSE, 0, NULL, directory, &startup, started);
}

BOOL ProgramRunning(const PROCESS_INFORMATION *program)
{
    return WaitForSingleObject(program->hProcess, 0) == WAIT_TIMEOUT;
}

struct WindowSearch {
    DWORD process;
    HWND found;
};

static BOOL CALLBACK FindInputWindow(HWND window, LPARAM parameter)
{
    WindowSearch *search = (WindowSearch *)parameter;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && IsWindowEnabled(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND InputWindowOf(DWORD process)
{
    WindowSearch search = { process, NULL };
    EnumWindows(FindInputWindow, (LPARAM)&search);
    return search.found;
}

int KindOf(HWND window)
{
    int page;
    MessageBoxSeen seen;

    if (!window)
        return NO_WINDOW;
    if ((page = PageTemplateOf(window)) != 0)
        return page;
    return ReadMessageBox(window, &seen) ? MESSAGE_BOX : UNKNOWN_WINDOW;
}

const char *KindName(int kind)
{
    if (kind == NO_WINDOW)
        return "no window";
    if (kind == MESSAGE_BOX)
        return "message box";
    return kind == UNKNOWN_WINDOW || !PageName(kind) ? "unknown window" : PageName(kind);
}

std::string DescribeWindow(HWND window)
{
    MessageBoxSeen seen;
    int kind = KindOf(window);
    if (kind == MESSAGE_BOX && ReadMessageBox(window, &seen))
        return "a message box \"" + seen.caption + "\": \"" + seen.text + "\"";
    if (kind == NO_WINDOW)
        return KindName(kind);
    if (kind == UNKNOWN_WINDOW || !PageName(kind))
        return "a window \"" + WindowText(window) + "\"";
    return std::string("the ") + KindName(kind);
}

static BOOL BeforeDeadline(DWORD deadline)
{
    return (LONG)(deadline - GetTickCount()) > 0;
}

// TRUE when the program went back to its message loop with window still its input window.
// A page the chain passes through without waiting for the user (each page the unwinding
// after the calibration takes down) is never seen so: the program reads no message in
// between, so the reply comes only once that page is gone.
static BOOL Settled(const PROCESS_INFORMATION *program, HWND window)
{
    DWORD_PTR reply;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &reply) &&
           InputWindowOf(program->dwProcessId) == window;
}

// TRUE when the program settled on a window other than the one it showed when the wait
// began (which may still be at work on the last click) and other than the one awaited:
// nothing but the user moves it on from there.
static BOOL ShowsSomethingElse(const PROCESS_INFORMATION *program, HWND began, HWND shown, int kind)
{
    return shown && shown != began && KindOf(shown) != kind && Settled(program, shown);
}

HWND WaitForKind(const PROCESS_INFORMATION *program, int kind, DWORD milliseconds)
{
    DWORD deadline = GetTickCount() + milliseconds;
    HWND began = InputWindowOf(program->dwProcessId);
    while (ProgramRunning(program) && BeforeDeadline(deadline)) {
        HWND window = InputWindowOf(program->dwProcessId);
        if (KindOf(window) == kind)
            return window;
        if (ShowsSomethingElse(program, began, window, kind))
            return NULL;
        Sleep(PollMs);
    }
    return NULL;
}

BOOL WaitUntil(const PROCESS_INFORMATION *program, HWND window, WindowTest holds, int argument,
               DWORD milliseconds)
{
    DWORD deadline = GetTickCount() + milliseconds;
    while (ProgramRunning(program) && IsWindow(window) && BeforeDeadline(deadline)) {
        if (holds(window, argument))
            return TRUE;
        if (ShowsSomethingElse(program, window, InputWindowOf(program->dwProcessId), KindOf(window)))
            return FALSE;
        Sleep(PollMs);
    }
    return FALSE;
}
