// What a run started with switches reports: its log, a switch it did not understand, and
// its exit code with the reason.
#include "run_log.h"
#include "paths.h"
#include "texts.h"
#include "version.h"

#include <stdarg.h>

// NULL while no log is kept.
static HANDLE RunLog;
// The other files a quiet run's switches name, held while it runs; NULL or INVALID_HANDLE_VALUE
// for none.
static HANDLE HeldFiles[SWITCH_LIMIT];
char RunBegan[RUN_TIME_SIZE];
void (*RunEndReport)(int code, const char *reason);

// wvsprintfA writes at most 1,024 characters; then comes the outcome of a step.
enum { LOG_LINE_SIZE = 1024 + 16 };

static void WriteLogLine(const char *format, va_list arguments, const char *outcome)
{
    char line[LOG_LINE_SIZE];
    DWORD written;

    wvsprintfA(line, format, arguments);
    lstrcatA(line, outcome);
    lstrcatA(line, "\r\n");
    WriteFile(RunLog, line, (DWORD)lstrlenA(line), &written, NULL);
}

void LogLine(const char *format, ...)
{
    va_list arguments;

    if (RunLog == NULL)
        return;
    va_start(arguments, format);
    WriteLogLine(format, arguments, "");
    va_end(arguments);
}

BOOL LogStep(BOOL done, const char *format, ...)
{
    va_list arguments;

    if (RunLog == NULL)
        return done;
    va_start(arguments, format);
    WriteLogLine(format, arguments, done ? ": done" : ": failed");
    va_end(arguments);
    return done;
}

int EndRun(int code, const char *reason)
{
    void (*report)(int code, const char *reason) = RunEndReport;

    RunEndReport = NULL;
    if (report)
        report(code, reason);
    LogLine("Exit code %d: %s", code, reason);
    if (RunLog != NULL)
        CloseHandle(RunLog);
    RunLog = NULL;
    for (int i = 0; i < SWITCH_LIMIT; i++) {
        if (HeldFiles[i] != NULL && HeldFiles[i] != INVALID_HANDLE_VALUE)
            CloseHandle(HeldFiles[i]);
        HeldFiles[i] = NULL;
    }
    return code;
}

// Logs of many machines end up side by side on one share.
static void LogWhoseRun(const char *program)
{
    SYSTEMTIME now;
    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof computer;

    GetLocalTime(&now);
    wsprintfA(RunBegan, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
              now.wSecond);
    if (!GetComputerNameA(computer, &size))
        lstrcpyA(computer, "?");
    LogLine("%s " VELMORA_VERSION " on %s, %s", program, computer, RunBegan);
}

// Written afresh by each run. A log that cannot be made costs the run nothing but its log.
static void OpenRunLog(const char *path)
{
    RunLog = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (RunLog == INVALID_HANDLE_VALUE)
        RunLog = NULL;
}

BOOL TakeCommandLine(const char *commandLine, const SwitchRule *rules, int count, int quiet, int log,
                     const char *defaultLog, const char *caption, const char *program, CommandSwitches *switches)
{
    char path[PATH_BUFFER_SIZE];
    BOOL understood = ReadSwitches(commandLine, rules, count, switches);
    const char *wanted = switches->Value[log];
    BOOL made;

    // A quiet run holds the other files it names open for reading, shared for reading only,
    // until it ends: neither its log nor its status file can then be made over the answers by
    // another name of theirs, a second drive letter for their folder, a share or Wine's Z:
    // drive, which no comparison of names can see. Such a log fails, and the run logs here.
    for (int i = 0; i < count; i++)
        if (switches->Given[quiet] && i != log && switches->Value[i][0] && rules[i].value == FILE_VALUE)
            HeldFiles[i] = CreateFileA(switches->Value[i], GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, NULL);
    // Only a name known to be no other file of the run's: the answers are never written over.
    if (wanted[0])
        OpenRunLog(wanted);
    made = RunLog != NULL;
    // A quiet run is never left without a log while it has a place for one.
    if (!made && switches->Given[quiet] && defaultLog && WindowsFilePath(path, defaultLog))
        OpenRunLog(path);
    LogWhoseRun(program);
    LogLine("Command line: %s", commandLine);
    if (wanted[0] && !made)
        LogLine(LOG_NOT_MADE_FORMAT, wanted);
    if (understood)
        return TRUE;
    if (!switches->Given[quiet])
        MessageBoxA(NULL, switches->Refusal, caption, MB_OK | MB_ICONEXCLAMATION);
    LogLine("%s", switches->Refusal);
    EndRun(EXIT_COMMAND_LINE, "command line not understood");
    return FALSE;
}
