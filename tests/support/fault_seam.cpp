// The fault seam: stand-ins in the test program's own import table, one failing call each.
#include "fault_seam.h"

#include <cstdio>
#include <cstring>

namespace {

struct Armed {
    const char *function;
    int nth;
    DWORD error;
    int calls;
    BOOL fired;
} Fault;

bool Tracing;
std::vector<std::string> Trace;

// TRUE when this call of function is the one to fail; the error is then the last error.
BOOL Fails(const char *function)
{
    if (Tracing)
        Trace.push_back(function);
    if (!Fault.function || std::strcmp(Fault.function, function) != 0)
        return FALSE;
    if (++Fault.calls != Fault.nth)
        return FALSE;
    Fault.fired = TRUE;
    SetLastError(Fault.error);
    return TRUE;
}

// One stand-in per function: the real one through the saved entry, or the failure.
#define STAND_IN(result, name, params, args, failure)            \
    result (WINAPI *Real##name) params;                          \
    result WINAPI Fake##name params                              \
    {                                                            \
        if (Fails(#name))                                        \
            return failure;                                      \
        return Real##name args;                                  \
    }

#define REGISTRY_FAILURE ((LONG)Fault.error)

STAND_IN(LONG, RegCreateKeyExA,
         (HKEY k, LPCSTR s, DWORD r, LPSTR c, DWORD o, REGSAM a, LPSECURITY_ATTRIBUTES sa, PHKEY out, LPDWORD d),
         (k, s, r, c, o, a, sa, out, d), REGISTRY_FAILURE)
STAND_IN(LONG, RegOpenKeyExA, (HKEY k, LPCSTR s, DWORD o, REGSAM a, PHKEY out), (k, s, o, a, out),
         REGISTRY_FAILURE)
STAND_IN(LONG, RegQueryValueExA, (HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s),
         (k, n, r, t, d, s), REGISTRY_FAILURE)
STAND_IN(LONG, RegSetValueExA, (HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE *d, DWORD s),
         (k, n, r, t, d, s), REGISTRY_FAILURE)
STAND_IN(LONG, RegDeleteValueA, (HKEY k, LPCSTR n), (k, n), REGISTRY_FAILURE)
STAND_IN(LONG, RegDeleteKeyA, (HKEY k, LPCSTR s), (k, s), REGISTRY_FAILURE)
STAND_IN(LONG, RegQueryInfoKeyA,
         (HKEY k, LPSTR c, LPDWORD cs, LPDWORD r, LPDWORD sk, LPDWORD msk, LPDWORD mc, LPDWORD v,
          LPDWORD mvn, LPDWORD mvl, LPDWORD sd, PFILETIME t),
         (k, c, cs, r, sk, msk, mc, v, mvn, mvl, sd, t), REGISTRY_FAILURE)
STAND_IN(BOOL, CopyFileA, (LPCSTR from, LPCSTR to, BOOL failIfExists), (from, to, failIfExists), FALSE)
STAND_IN(BOOL, CreateDirectoryA, (LPCSTR path, LPSECURITY_ATTRIBUTES sa), (path, sa), FALSE)
STAND_IN(BOOL, DeleteFileA, (LPCSTR path), (path), FALSE)
STAND_IN(BOOL, RemoveDirectoryA, (LPCSTR path), (path), FALSE)
STAND_IN(UINT, GetSystemDirectoryA, (LPSTR buffer, UINT size), (buffer, size), 0)
STAND_IN(UINT, GetWindowsDirectoryA, (LPSTR buffer, UINT size), (buffer, size), 0)
STAND_IN(UINT_PTR, SetTimer, (HWND w, UINT_PTR id, UINT ms, TIMERPROC p), (w, id, ms, p), 0)
STAND_IN(int, MessageBoxA, (HWND owner, LPCSTR text, LPCSTR caption, UINT style),
         (owner, text, caption, style), 0)
STAND_IN(INT_PTR, DialogBoxParamA, (HINSTANCE i, LPCSTR t, HWND owner, DLGPROC p, LPARAM l),
         (i, t, owner, p, l), -1)
STAND_IN(BOOL, WritePrivateProfileSectionA, (LPCSTR section, LPCSTR text, LPCSTR file),
         (section, text, file), FALSE)
// The driver's device layer, plain C++ functions of the shape of its CreateFileA,
// DeviceIoControl and CloseHandle in the production build. Its handles are counted here,
// where every open and close of the program passes.
int HandlesHeld, MostHandlesHeld;

HANDLE (*RealDeviceOpen)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
HANDLE FakeDeviceOpen(LPCSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t)
{
    if (Fails("DeviceOpen"))
        return INVALID_HANDLE_VALUE;
    HANDLE device = RealDeviceOpen(n, a, s, sa, d, f, t);
    if (device != INVALID_HANDLE_VALUE && ++HandlesHeld > MostHandlesHeld)
        MostHandlesHeld = HandlesHeld;
    return device;
}

BOOL (*RealDeviceControl)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
BOOL FakeDeviceControl(HANDLE h, DWORD c, LPVOID i, DWORD is, LPVOID o, DWORD os, LPDWORD r, LPOVERLAPPED ov)
{
    if (Fails("DeviceControl"))
        return FALSE;
    return RealDeviceControl(h, c, i, is, o, os, r, ov);
}

BOOL (*RealDeviceClose)(HANDLE);
BOOL FakeDeviceClose(HANDLE device)
{
    BOOL closed = RealDeviceClose(device);
    if (closed)
        HandlesHeld--;
    return closed;
}

struct Swap {
    const char *name;
    void *fake;
    void **real;
};

#define SWAP(name) { #name, (void *)Fake##name, (void **)&Real##name }

Swap Swaps[] = {
    SWAP(RegCreateKeyExA), SWAP(RegOpenKeyExA), SWAP(RegQueryValueExA), SWAP(RegSetValueExA),
    SWAP(RegDeleteValueA), SWAP(RegDeleteKeyA), SWAP(RegQueryInfoKeyA), SWAP(CopyFileA),
    SWAP(CreateDirectoryA), SWAP(DeleteFileA), SWAP(RemoveDirectoryA), SWAP(GetSystemDirectoryA),
    SWAP(GetWindowsDirectoryA), SWAP(SetTimer), SWAP(MessageBoxA), SWAP(DialogBoxParamA),
    SWAP(WritePrivateProfileSectionA), SWAP(DeviceOpen), SWAP(DeviceControl), SWAP(DeviceClose),
};

// A C++ function of a DLL is imported by its mangled name, _Z<length><name>...
bool ImportIs(const char *import, const char *name)
{
    if (std::strcmp(import, name) == 0)
        return true;
    char mangled[64];
    std::snprintf(mangled, sizeof mangled, "_Z%u%s", (unsigned)std::strlen(name), name);
    return std::strncmp(import, mangled, std::strlen(mangled)) == 0;
}

void Patch(void **slot, void *value)
{
    DWORD old;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

// Walks the import descriptors of the program's own image and swaps every entry by name.
void SwapImports(void)
{
    static bool swapped;
    if (swapped)
        return;
    swapped = true;
    BYTE *base = (BYTE *)GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR *dll = (IMAGE_IMPORT_DESCRIPTOR *)(base + imports.VirtualAddress);
         dll->Name; dll++) {
        IMAGE_THUNK_DATA *names = (IMAGE_THUNK_DATA *)(base + dll->OriginalFirstThunk);
        IMAGE_THUNK_DATA *entries = (IMAGE_THUNK_DATA *)(base + dll->FirstThunk);
        for (; names->u1.AddressOfData; names++, entries++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char *import = (const char *)((IMAGE_IMPORT_BY_NAME *)(base + names->u1.AddressOfData))->Name;
            for (Swap &swap : Swaps)
                if (ImportIs(import, swap.name)) {
                    *swap.real = (void *)entries->u1.Function;
                    Patch((void **)&entries->u1.Function, swap.fake);
                }
        }
    }
}

} // namespace

BOOL ArmFault(const char *function, int nth, DWORD error)
{
    SwapImports();
    for (Swap &swap : Swaps)
        if (std::strcmp(swap.name, function) == 0 && *swap.real) {
            Fault = Armed{ swap.name, nth, error, 0, FALSE };
            return TRUE;
        }
    return FALSE;
}

int DisarmFault(void)
{
    int calls = Fault.calls;
    Fault.function = NULL;
    return calls;
}

BOOL FaultFired(void)
{
    return Fault.fired;
}

void CountDriverHandles(void)
{
    SwapImports();
    HandlesHeld = MostHandlesHeld = 0;
}

int DriverHandlesHeld(void)
{
    return HandlesHeld;
}

int MostDriverHandlesHeld(void)
{
    return MostHandlesHeld;
}

void StartCallTrace(void)
{
    SwapImports();
    Trace.clear();
    Tracing = true;
}

std::vector<std::string> TakeCallTrace(void)
{
    Tracing = false;
    return Trace;
}
