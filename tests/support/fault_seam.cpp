// The fault seam: stand-ins in the test program's own import table, one failing call each.
#include "fault_seam.h"
#include "setup_pages.h"
#include "test_machine.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace {

struct Armed {
    std::string call;
    std::string after;   // until a call of this name is made, the fault waits
    DWORD error;
    BOOL fired;
} Fault;

bool Tracing;
std::vector<std::string> Trace;
// The dialogs DialogBoxParamA is running, innermost last, and the paths of the keys opened
// (below HKEY_LOCAL_MACHINE, whose own path is empty).
std::vector<int> Dialogs;
std::map<HKEY, std::string> KeyPaths = { { HKEY_LOCAL_MACHINE, "" }, { HKEY_CURRENT_USER, "HKCU" } };

std::string DialogName(LPCSTR templateName)
{
    int id = IS_INTRESOURCE(templateName) ? (int)(ULONG_PTR)templateName : 0;
    return PageName(id) ? std::string("the ") + PageName(id) : "template " + std::to_string(id);
}

// The path of subkey below key, or of key itself.
std::string KeyPath(HKEY key, LPCSTR subkey = NULL)
{
    std::string base = KeyPaths.count(key) ? KeyPaths[key] : "?";
    if (!subkey || !*subkey)
        return base;
    return base.empty() ? subkey : base + "\\" + subkey;
}

std::string ValueIn(HKEY key, LPCSTR name)
{
    return std::string(name ? name : "(default)") + " in " + KeyPath(key);
}

std::string LastPart(LPCSTR path)
{
    if (!path)
        return "";
    const char *slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

std::string FirstLine(LPCSTR text)
{
    return text ? std::string(text, std::strcspn(text, "\r\n")) : "";
}

std::function<void(const Change &)> Watch;
bool Watching;
// Set by a stand-in that writes a file, for the watch of its call.
Change Writing;

bool Changes(const std::string &function)
{
    static const char *const changing[] = { "RegCreateKeyExA", "RegSetValueExA", "RegDeleteValueA", "RegDeleteKeyA",
                                            "CopyFileA", "CreateDirectoryA", "DeleteFileA", "MoveFileA",
                                            "RemoveDirectoryA", "WritePrivateProfileSectionA", "WriteFile",
                                            "CreateFileA", "SetFileAttributesA" };
    for (const char *name : changing)
        if (function == name)
            return true;
    return false;
}

// TRUE when this call is the one to fail; the error is then the last error.
BOOL Fails(const char *function, const std::string &what)
{
    std::string call = function;
    if (!what.empty())
        call += " " + what;
    if (!Dialogs.empty())
        call += " on " + DialogName(MAKEINTRESOURCEA(Dialogs.back()));
    if (Watch && !Watching && Changes(function)) {
        Watching = true;
        Writing.call = call;
        Watch(Writing);
        Writing = Change();
        Watching = false;
    }
    if (Tracing)
        Trace.push_back(call);
    if (Fault.call.empty() || Fault.fired)
        return FALSE;
    if (!Fault.after.empty()) {
        if (call.compare(0, Fault.after.size(), Fault.after) == 0)
            Fault.after.clear();
        return FALSE;
    }
    if (call.compare(0, Fault.call.size(), Fault.call) != 0)
        return FALSE;
    Fault.fired = TRUE;
    SetLastError(Fault.error);
    return TRUE;
}

// One stand-in per function of calling convention cc: the real one through the saved entry,
// or the failure; what the real one returns passes through passed (a function of result).
#define STAND_IN_CALL(cc, type, name, params, args, what, failure, passed) \
    type (cc *Real##name) params;                                          \
    type cc Fake##name params                                              \
    {                                                                      \
        if (Fails(#name, what))                                            \
            return failure;                                                \
        type result = Real##name args;                                     \
        return passed;                                                     \
    }
#define STAND_IN(type, name, params, args, what, failure) \
    STAND_IN_CALL(WINAPI, type, name, params, args, what, failure, result)

#define REGISTRY_FAILURE ((LONG)Fault.error)

// An opened key is remembered by its path, so that what is done in it can be named.
LONG Opened(LONG status, HKEY key, LPCSTR subkey, PHKEY out)
{
    if (status == ERROR_SUCCESS)
        KeyPaths[*out] = KeyPath(key, subkey);
    return status;
}

STAND_IN_CALL(WINAPI, LONG, RegCreateKeyExA,
              (HKEY k, LPCSTR s, DWORD r, LPSTR c, DWORD o, REGSAM a, LPSECURITY_ATTRIBUTES sa, PHKEY out, LPDWORD d),
              (k, s, r, c, o, a, sa, out, d), KeyPath(k, s), REGISTRY_FAILURE, Opened(result, k, s, out))
STAND_IN_CALL(WINAPI, LONG, RegOpenKeyExA, (HKEY k, LPCSTR s, DWORD o, REGSAM a, PHKEY out), (k, s, o, a, out),
              KeyPath(k, s), REGISTRY_FAILURE, Opened(result, k, s, out))
STAND_IN(LONG, RegQueryValueExA, (HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s),
         (k, n, r, t, d, s), ValueIn(k, n), REGISTRY_FAILURE)
STAND_IN(LONG, RegSetValueExA, (HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE *d, DWORD s),
         (k, n, r, t, d, s), ValueIn(k, n), REGISTRY_FAILURE)
STAND_IN(LONG, RegDeleteValueA, (HKEY k, LPCSTR n), (k, n), ValueIn(k, n), REGISTRY_FAILURE)
STAND_IN(LONG, RegDeleteKeyA, (HKEY k, LPCSTR s), (k, s), KeyPath(k, s), REGISTRY_FAILURE)
STAND_IN(LONG, RegQueryInfoKeyA,
         (HKEY k, LPSTR c, LPDWORD cs, LPDWORD r, LPDWORD sk, LPDWORD msk, LPDWORD mc, LPDWORD v,
          LPDWORD mvn, LPDWORD mvl, LPDWORD sd, PFILETIME t),
         (k, c, cs, r, sk, msk, mc, v, mvn, mvl, sd, t), KeyPath(k), REGISTRY_FAILURE)
// Copies are named by the file copied, a write by the file written.
std::string CopyOf(LPCSTR from, LPCSTR to)
{
    if (Watch && !Watching) {
        std::string bytes = ReadFileText(from);
        Writing.path = to;
        Writing.torn = bytes.substr(0, bytes.size() / 2);
    }
    return LastPart(from);
}

std::map<HANDLE, std::string> FilePaths;

HANDLE OpenedFile(HANDLE file, LPCSTR path)
{
    if (file != INVALID_HANDLE_VALUE)
        FilePaths[file] = path;
    return file;
}

std::string WriteTo(HANDLE file, LPCVOID data, DWORD size)
{
    std::string path = FilePaths.count(file) ? FilePaths[file] : "?";
    if (Watch && !Watching && path != "?") {
        Writing.path = path;
        Writing.torn = ReadFileText(path) + std::string((const char *)data, size / 2);
    }
    return LastPart(path.c_str());
}

STAND_IN(BOOL, CopyFileA, (LPCSTR from, LPCSTR to, BOOL failIfExists), (from, to, failIfExists), CopyOf(from, to), FALSE)
STAND_IN(BOOL, WriteFile, (HANDLE f, LPCVOID d, DWORD s, LPDWORD w, LPOVERLAPPED o), (f, d, s, w, o),
         WriteTo(f, d, s), FALSE)
STAND_IN(BOOL, SetFileAttributesA, (LPCSTR path, DWORD attributes), (path, attributes), LastPart(path), FALSE)
// Only a file opened to be written may change anything; the others pass unnamed.
HANDLE (WINAPI *RealCreateFileA)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
HANDLE WINAPI FakeCreateFileA(LPCSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t)
{
    if ((a & GENERIC_WRITE) && Fails("CreateFileA", LastPart(n)))
        return INVALID_HANDLE_VALUE;
    return OpenedFile(RealCreateFileA(n, a, s, sa, d, f, t), n);
}
STAND_IN(BOOL, CreateDirectoryA, (LPCSTR path, LPSECURITY_ATTRIBUTES sa), (path, sa), LastPart(path), FALSE)
STAND_IN(BOOL, DeleteFileA, (LPCSTR path), (path), LastPart(path), FALSE)
STAND_IN(BOOL, MoveFileA, (LPCSTR from, LPCSTR to), (from, to), LastPart(from), FALSE)
STAND_IN(BOOL, RemoveDirectoryA, (LPCSTR path), (path), LastPart(path), FALSE)
STAND_IN(UINT, GetSystemDirectoryA, (LPSTR buffer, UINT size), (buffer, size), "", 0)
STAND_IN(UINT, GetWindowsDirectoryA, (LPSTR buffer, UINT size), (buffer, size), "", 0)
STAND_IN(UINT_PTR, SetTimer, (HWND w, UINT_PTR id, UINT ms, TIMERPROC p), (w, id, ms, p), "", 0)
STAND_IN(int, MessageBoxA, (HWND owner, LPCSTR text, LPCSTR caption, UINT style),
         (owner, text, caption, style), FirstLine(text), 0)
STAND_IN(BOOL, WritePrivateProfileSectionA, (LPCSTR section, LPCSTR text, LPCSTR file),
         (section, text, file), LastPart(section), FALSE)

// A dialog's calls are made on it while it runs.
INT_PTR (WINAPI *RealDialogBoxParamA)(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM);
INT_PTR WINAPI FakeDialogBoxParamA(HINSTANCE i, LPCSTR t, HWND owner, DLGPROC p, LPARAM l)
{
    if (Fails("DialogBoxParamA", DialogName(t)))
        return -1;
    Dialogs.push_back((int)(ULONG_PTR)t);
    INT_PTR result = RealDialogBoxParamA(i, t, owner, p, l);
    Dialogs.pop_back();
    return result;
}

// The driver's device layer, plain C++ functions of the shape of its CreateFileA,
// DeviceIoControl and CloseHandle in the production build. Its handles are counted here,
// where every open and close of the program passes.
int HandlesHeld, MostHandlesHeld;

HANDLE Counted(HANDLE device)
{
    if (device != INVALID_HANDLE_VALUE && ++HandlesHeld > MostHandlesHeld)
        MostHandlesHeld = HandlesHeld;
    return device;
}

std::string ControlCode(DWORD code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", code);
    return text;
}

STAND_IN_CALL(, HANDLE, DeviceOpen, (LPCSTR n, DWORD a, DWORD s, LPSECURITY_ATTRIBUTES sa, DWORD d, DWORD f, HANDLE t),
              (n, a, s, sa, d, f, t), "", INVALID_HANDLE_VALUE, Counted(result))
STAND_IN_CALL(, BOOL, DeviceControl,
              (HANDLE h, DWORD c, LPVOID i, DWORD is, LPVOID o, DWORD os, LPDWORD r, LPOVERLAPPED ov),
              (h, c, i, is, o, os, r, ov), ControlCode(c), FALSE, result)

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
    SWAP(CreateDirectoryA), SWAP(DeleteFileA), SWAP(MoveFileA), SWAP(RemoveDirectoryA), SWAP(GetSystemDirectoryA),
    SWAP(GetWindowsDirectoryA), SWAP(SetTimer), SWAP(MessageBoxA), SWAP(DialogBoxParamA),
    SWAP(WritePrivateProfileSectionA), SWAP(DeviceOpen), SWAP(DeviceControl), SWAP(DeviceClose),
    SWAP(WriteFile), SWAP(SetFileAttributesA), SWAP(CreateFileA),
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

// Walks the import descriptors of the program's own image and swaps every entry by name;
// an entry swapped stays writable for the rest of the run.
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
                    DWORD old;
                    VirtualProtect(&entries->u1.Function, sizeof entries->u1.Function, PAGE_READWRITE, &old);
                    *swap.real = (void *)entries->u1.Function;
                    entries->u1.Function = (ULONG_PTR)swap.fake;
                }
        }
    }
}

} // namespace

BOOL ArmFault(const std::string &call, const std::string &after, DWORD error)
{
    SwapImports();
    std::string function = call.substr(0, call.find(' '));
    for (Swap &swap : Swaps)
        if (function == swap.name && *swap.real) {
            Fault = Armed{ call, after, error, FALSE };
            Trace.clear();
            Tracing = true;
            return TRUE;
        }
    return FALSE;
}

void DisarmFault(void)
{
    Fault.call.clear();
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

std::vector<std::string> TakeCallTrace(void)
{
    Tracing = false;
    return Trace;
}

void WatchChanges(std::function<void(const Change &change)> watch)
{
    SwapImports();
    Watch = watch;
}
