// Start-up time and peak working set of a program set against a bare dialog program: both
// started in turn from one process in one Wine prefix, each until its first window shows.
// Usage: start_timer PAIRS BARE.EXE PROGRAM.EXE [SWITCHES RESET]
// Prints one "run" line per pair (milliseconds to the window of the program and of the bare
// dialog, then their peak KiB), then "startup" (milliseconds) and "memory" (KiB) lines:
// median ratio, lowest and highest ratio, the program's median, the bare dialog's median.
// With SWITCHES the program runs quietly (a silent replay shows no window): it is timed to
// its end, which must be exit code 0 or 3010, then the command line RESET runs untimed and
// must end, so that every run meets the same machine; no memory figures then.
#include "bench_figures.h"

#include <windows.h>
#include <psapi.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

struct Start {
    double milliseconds;
    double peakKiB;
};

// The program that runs quietly, with its switches and the reset after it; NULL for none.
static const char *QuietProgram, *Switches, *Reset;

static BOOL RunToEnd(char *commandLine, const char *folder, DWORD *code)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", commandLine, GetLastError());
        return FALSE;
    }
    BOOL ended = WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
    if (!ended || !GetExitCodeProcess(process.hProcess, code)) {
        std::fprintf(stderr, "%s did not end\n", commandLine);
        TerminateProcess(process.hProcess, 1);
        ended = FALSE;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ended;
}

// A quiet run of the program from its own folder, timed to its end; then the reset.
static BOOL RunQuietly(const char *path, const char *folder, Start *start)
{
    char commandLine[1024], reset[1024];
    LARGE_INTEGER frequency, begun, ended;
    DWORD code = 1, resetCode = 1;
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" %s", path, Switches);
    std::snprintf(reset, sizeof reset, "%s", Reset);
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begun);
    if (!RunToEnd(commandLine, folder, &code))
        return FALSE;
    QueryPerformanceCounter(&ended);
    start->milliseconds = (ended.QuadPart - begun.QuadPart) * 1000.0 / frequency.QuadPart;
    start->peakKiB = 0;
    if (code != 0 && code != 3010) {
        std::fprintf(stderr, "%s ended with %lu\n", commandLine, code);
        return FALSE;
    }
    return RunToEnd(reset, folder, &resetCode);
}

static BOOL CALLBACK FindShownWindow(HWND window, LPARAM lParam)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == *(DWORD *)lParam && IsWindowVisible(window)) {
        *(DWORD *)lParam = 0;
        return FALSE;
    }
    return TRUE;
}

static BOOL WindowShown(DWORD process)
{
    EnumWindows(FindShownWindow, (LPARAM)&process);
    return process == 0;
}

// Starts the program from its own folder, as a user starts it from the diskette, and ends
// it once measured. The peak working set is read when the program has gone idle after
// showing its window, so the first page's painting is in it.
static BOOL StartOnce(const char *path, Start *start)
{
    char commandLine[MAX_PATH + 2], folder[MAX_PATH];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", path);
    std::snprintf(folder, sizeof folder, "%s", path);
    char *slash = std::strrchr(folder, '\\');
    if (slash)
        *slash = 0;
    if (path == QuietProgram)
        return RunQuietly(path, slash ? folder : NULL, start);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    LARGE_INTEGER frequency, begun, shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begun);
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, slash ? folder : NULL, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", path, GetLastError());
        return FALSE;
    }
    BOOL ok = FALSE;
    for (DWORD waited = 0; waited < 30000; waited++) {
        if (WindowShown(process.dwProcessId)) {
            QueryPerformanceCounter(&shown);
            ok = TRUE;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (ok) {
        start->milliseconds = (shown.QuadPart - begun.QuadPart) * 1000.0 / frequency.QuadPart;
        WaitForInputIdle(process.hProcess, 5000);
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        ok = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory) && memory.PeakWorkingSetSize > 0;
        start->peakKiB = memory.PeakWorkingSetSize / 1024.0;
        if (!ok)
            std::fprintf(stderr, "no working set for %s: error %lu\n", path, GetLastError());
    } else {
        std::fprintf(stderr, "%s showed no window\n", path);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The ended program's windows are still being torn down in Wine and the X server; the
    // next start should not be timed while that runs.
    Sleep(250);
    return ok;
}

static void PrintFigure(const char *name, const double *program, const double *base, int pairs)
{
    double sorted[64];
    RatioSpread spread = PairRatios(program, base, pairs);
    std::copy(program, program + pairs, sorted);
    double programMedian = Median(sorted, pairs);
    std::copy(base, base + pairs, sorted);
    double baseMedian = Median(sorted, pairs);
    std::printf("%s\t%.3f\t%.3f\t%.3f\t%.1f\t%.1f\n", name, spread.median, spread.low, spread.high,
                programMedian, baseMedian);
}

int main(int argc, char **argv)
{
    int pairs = argc == 4 || argc == 6 ? std::atoi(argv[1]) : 0;
    if (pairs < 1 || pairs > 64) {
        std::fprintf(stderr, "usage: start_timer PAIRS(1-64) BARE.EXE PROGRAM.EXE [SWITCHES RESET]\n");
        return 2;
    }
    const char *bare = argv[2], *program = argv[3];
    if (argc == 6)
        QuietProgram = program, Switches = argv[4], Reset = argv[5];

    // One start of each first, untimed, so that both meet warm file caches.
    Start warm, programStarts[64], bareStarts[64];
    if (!StartOnce(bare, &warm) || !StartOnce(program, &warm))
        return 1;
    // The order turns each pair, so neither program always runs right after the other.
    for (int i = 0; i < pairs; i++) {
        BOOL ok = i % 2 ? StartOnce(program, &programStarts[i]) && StartOnce(bare, &bareStarts[i])
                        : StartOnce(bare, &bareStarts[i]) && StartOnce(program, &programStarts[i]);
        if (!ok)
            return 1;
        std::printf("run\t%d\t%.1f\t%.1f\t%.1f\t%.1f\n", i + 1, programStarts[i].milliseconds,
                    bareStarts[i].milliseconds, programStarts[i].peakKiB, bareStarts[i].peakKiB);
        // At once: scripts/bench.sh tells from these lines how far the pairs are.
        std::fflush(stdout);
    }

    double measured[64], base[64];
    for (int i = 0; i < pairs; i++)
        measured[i] = programStarts[i].milliseconds, base[i] = bareStarts[i].milliseconds;
    PrintFigure("startup", measured, base, pairs);
    if (Switches)
        return 0;
    for (int i = 0; i < pairs; i++)
        measured[i] = programStarts[i].peakKiB, base[i] = bareStarts[i].peakKiB;
    PrintFigure("memory", measured, base, pairs);
    return 0;
}
