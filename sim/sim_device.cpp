// placeholder simulated device
#include "device.h"
HANDLE DeviceOpen(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) { return INVALID_HANDLE_VALUE; }
BOOL DeviceControl(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, LPOVERLAPPED) { return FALSE; }
BOOL DeviceClose(HANDLE) { return FALSE; }
