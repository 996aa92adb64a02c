// Device layer of the production build: the touch driver itself, through kernel32.
#include "device.h"

HANDLE DeviceOpen(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                  DWORD disposition, DWORD flags, HANDLE templateFile)
{
    return CreateFileA(name, access, share, security, disposition, flags, templateFile);
}

BOOL DeviceControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                   DWORD outputSize, LPDWORD returned, LPOVERLAPPED overlapped)
{
    return DeviceIoControl(device, code, input, inputSize, output, outputSize, returned, overlapped);
}

BOOL DeviceClose(HANDLE device)
{
    return CloseHandle(device);
}
