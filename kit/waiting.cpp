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
    if (KindOf(window) == MESSAGE_BOX && ReadMessageBox(window, &seen))
        return "a message box \"" + seen.caption + "\": \"" + seen.text + "\"";
    return std::string("the ") + KindName(KindOf(window));
}

static BOOL BeforeDeadline(DWORD deadline)
{
    return (LONG)(deadline - GetTickCount()) > 0;
}

HWND WaitForKind(const PROCESS_INFORMATION *program, int kind, DWORD milliseconds)
{
    DWORD deadline = GetTickCount() + milliseconds;
    while (ProgramRunning(program) && BeforeDeadline(deadline)) {
        HWND window = InputWindowOf(program->dwProcessId);
        int seen = KindOf(window);
        if (seen == kind)
            return window;
        if (seen == MESSAGE_BOX)
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
        Sleep(PollMs);
    }
    return FALSE;
}
