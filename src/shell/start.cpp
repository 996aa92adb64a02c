// Process entry for programs that run on a bare Windows 95: no C runtime, so nothing but
// WinMain's own work happens between the loader and ExitProcess.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState);

extern "C" void WINAPI ProgramStart(void)
{
    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWDEFAULT));
}

// GCC may turn structure copies and clears into calls to these even at -Os, and there is
// no msvcrt.dll on Windows 95 to supply them.
extern "C" void *memset(void *target, int value, size_t count)
{
    unsigned char *p = (unsigned char *)target;
    while (count--)
        *p++ = (unsigned char)value;
    return target;
}

extern "C" void *memcpy(void *target, const void *source, size_t count)
{
    unsigned char *p = (unsigned char *)target;
    const unsigned char *q = (const unsigned char *)source;
    while (count--)
        *p++ = *q++;
    return target;
}
