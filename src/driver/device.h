// The thin device layer under the driver link: the production build reaches kernel32,
// the simulation build a model of the touch driver. Nothing else differs between them.
#ifndef VELMORA_DEVICE_H
#define VELMORA_DEVICE_H

#include <windows.h>

HANDLE DeviceOpen(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                  DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL DeviceControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                   DWORD outputSize, LPDWORD returned, LPOVERLAPPED overlapped);
BOOL DeviceClose(HANDLE device);

#endif
