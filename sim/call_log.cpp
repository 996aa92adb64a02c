// The simulated driver's call log.
#include "call_log.h"

void LogCall(const char *path, const char *line)
{
    if (!path[0])
        return;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    SetFilePointer(file, 0, NULL, FILE_END);
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}

void LogControlCall(const char *path, DWORD code, const PanelRequest *request)
{
    char line[64];
    wsprintfA(line, "ioctl 0x%06lX %ld %ld", code, request ? (LONG)request->Word[0] : 0L,
              request ? (LONG)request->Word[1] : 0L);
    LogCall(path, line);
}
