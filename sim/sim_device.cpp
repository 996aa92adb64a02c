// The simulated touch driver: the device layer of the simulation build. It keeps every
// promise setup relies on from the real driver: it loads from the system directory, takes
// the port from the settings stored just before the open, answers through addresses into
// its own storage, and maps touches by the corners it is sent.
#include "device.h"
#include "driver.h"
#include "settings.h"
#include "sim_device.h"

// The panel a machine without configuration gets: a 12-bit panel whose Y axis runs
// bottom to top and whose edges are well inside the raw range, so the first-run corners
// (0 to 1024 both ways) put the cursor nowhere near the finger until calibrated.
static const LONG DefaultPanel[4] = { 150, 3950, 3900, 180 };
static const DWORD DefaultCard[3] = { 1, 1016, 4 };

static char DeviceObject;   // its address is the handle: unique and never a real handle
#define SIM_HANDLE ((HANDLE)&DeviceObject)

static BOOL Loaded;
static BOOL CardPresent;
static DWORD Card[3];              // port, base, interrupt line
static LONG Panel[4];              // raw X at left, right edge; raw Y at top, bottom edge
static BOOL FailOpen, FailProbe, FailRead;
static char LogPath[MAX_PATH];

static DWORD StoredPort, StoredBase, StoredIrq;
static LONG Corner[8];             // left-up X, Y, right-up, right-down, left-down
static LONG CalibrateFlags[2];

// Storage the reply words point into; values are rewritten by each call.
static LONG CardStatus;
static LONG RawX, RawY;

static void AppendLog(const char *line)
{
    if (!LogPath[0])
        return;
    HANDLE file = CreateFileA(LogPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    SetFilePointer(file, 0, NULL, FILE_END);
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}

// Parses up to count comma-separated signed decimals; TRUE when exactly count were found.
static BOOL ParseNumbers(const char *text, LONG *numbers, int count)
{
    int found = 0;
    while (found < count) {
        LONG sign = 1, value = 0;
        int digits = 0;
        while (*text == ' ')
            text++;
        if (*text == '-') {
            sign = -1;
            text++;
        }
        while (*text >= '0' && *text <= '9') {
            value = value * 10 + (*text++ - '0');
            digits++;
        }
        if (!digits)
            return FALSE;
        numbers[found++] = sign * value;
        while (*text == ' ')
            text++;
        if (*text == ',' && found < count)
            text++;
        else
            break;
    }
    return found == count && *text == 0;
}

static BOOL HasWord(const char *list, const char *word)
{
    int length = lstrlenA(word);
    const char *p = list;
    while (*p) {
        while (*p == ',' || *p == ' ')
            p++;
        const char *start = p;
        while (*p && *p != ',' && *p != ' ')
            p++;
        if (p - start == length && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, start,
                                                  length, word, length) == CSTR_EQUAL)
            return TRUE;
    }
    return FALSE;
}

// TRUE when the variable is set and fits the buffer.
static BOOL ReadVariable(const char *name, char *buffer, DWORD size)
{
    DWORD length = GetEnvironmentVariableA(name, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = 0;
        return FALSE;
    }
    return TRUE;
}

static void ReadConfiguration(void)
{
    char text[128];
    LONG numbers[4];

    CardPresent = TRUE;
    Card[0] = DefaultCard[0];
    Card[1] = DefaultCard[1];
    Card[2] = DefaultCard[2];
    if (ReadVariable("QUARLO_SIM_CARD", text, sizeof text)) {
        if (lstrcmpiA(text, "none") == 0) {
            CardPresent = FALSE;
        } else if (ParseNumbers(text, numbers, 3)) {
            Card[0] = (DWORD)numbers[0];
            Card[1] = (DWORD)numbers[1];
            Card[2] = (DWORD)numbers[2];
        }
    }

    for (int i = 0; i < 4; i++)
        Panel[i] = DefaultPanel[i];
    if (ReadVariable("QUARLO_SIM_PANEL", text, sizeof text) &&
        ParseNumbers(text, numbers, 4) && numbers[0] != numbers[1] && numbers[2] != numbers[3]) {
        for (int i = 0; i < 4; i++)
            Panel[i] = numbers[i];
    }

    ReadVariable("QUARLO_SIM_FAIL", text, sizeof text);
    FailOpen = HasWord(text, "open");
    FailProbe = HasWord(text, "probe");
    FailRead = HasWord(text, "read");

    ReadVariable("QUARLO_SIM_LOG", LogPath, sizeof LogPath);
}

// The real driver learns its port only from the record setup stores before the open.
static void ReadStoredSettings(void)
{
    static const char *const names[11] = {
        "LeftUpX", "LeftUpY", "RightUpX", "RightUpY", "RightDnX", "RightDnY",
        "LeftDnX", "LeftDnY", "ComPort", "ComBase", "ComIrq",
    };
    static const LONG defaults[11] = { 0, 0, 1024, 0, 1024, 1024, 0, 1024, 1, 1016, 4 };
    LONG values[11];
    HKEY key;
    BOOL opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) == ERROR_SUCCESS;

    for (int i = 0; i < 11; i++) {
        DWORD size = 4, type = 0;
        values[i] = defaults[i];
        if (!opened || RegQueryValueExA(key, names[i], NULL, &type, (BYTE *)&values[i], &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            values[i] = defaults[i];
    }
    if (opened)
        RegCloseKey(key);
    for (int i = 0; i < 8; i++)
        Corner[i] = values[i];
    StoredPort = (DWORD)values[8];
    StoredBase = (DWORD)values[9];
    StoredIrq = (DWORD)values[10];
}

static BOOL DriverFileInstalled(void)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof "\\" DRIVER_FILE_NAME > MAX_PATH)
        return FALSE;
    lstrcatA(path, "\\" DRIVER_FILE_NAME);
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

HANDLE DeviceOpen(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                  DWORD disposition, DWORD flags, HANDLE templateFile)
{
    ReadConfiguration();
    AppendLog("open");

    // Only the way the platform loads a dynamic VxD reaches it.
    if (lstrcmpiA(name, DRIVER_DEVICE_NAME) != 0 || disposition != CREATE_NEW ||
        !(flags & FILE_FLAG_DELETE_ON_CLOSE) || templateFile != NULL || FailOpen ||
        !DriverFileInstalled()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    // Opened without sharing: a second handle is refused until the first is closed.
    if (Loaded) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    ReadStoredSettings();
    CalibrateFlags[0] = CalibrateFlags[1] = 0;
    Loaded = TRUE;
    return SIM_HANDLE;
}

BOOL DeviceClose(HANDLE device)
{
    AppendLog("close");
    if (device != SIM_HANDLE || !Loaded) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Loaded = FALSE;
    return TRUE;
}

static LONG RoundedQuotient(LONG numerator, LONG denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (numerator >= 0)
        return (numerator + denominator / 2) / denominator;
    return -((-numerator + denominator / 2) / denominator);
}

void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY)
{
    *rawX = panel[0] + RoundedQuotient((panel[1] - panel[0]) * x, width);
    *rawY = panel[2] + RoundedQuotient((panel[3] - panel[2]) * y, height);
}

void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY)
{
    PanelPointRaw(Panel, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), x, y, rawX, rawY);
}

BOOL CornersPointScreen(const LONG corner[8], LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen)
{
    LONG left = (corner[0] + corner[6]) / 2, right = (corner[2] + corner[4]) / 2;
    LONG top = (corner[1] + corner[3]) / 2, bottom = (corner[5] + corner[7]) / 2;
    if (left == right || top == bottom)
        return FALSE;
    screen->x = RoundedQuotient((rawX - left) * width, right - left);
    screen->y = RoundedQuotient((rawY - top) * height, bottom - top);
    return TRUE;
}

BOOL SimulatedTouchToScreen(LONG rawX, LONG rawY, POINT *screen)
{
    return CornersPointScreen(Corner, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              rawX, rawY, screen);
}

static void SetCorner(int index, const PanelRequest *request)
{
    Corner[index] = (LONG)request->Word[0];
    Corner[index + 1] = (LONG)request->Word[1];
}

BOOL DeviceControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                   DWORD outputSize, LPDWORD returned, LPOVERLAPPED overlapped)
{
    const PanelRequest *request = (const PanelRequest *)input;
    PanelReply *reply = (PanelReply *)output;
    char line[64];

    wsprintfA(line, "ioctl 0x%06lX %ld %ld", code, request ? (LONG)request->Word[0] : 0L,
              request ? (LONG)request->Word[1] : 0L);
    AppendLog(line);
    if (returned)
        *returned = 0;
    if (device != SIM_HANDLE || !Loaded || !request || inputSize < sizeof *request || !reply ||
        outputSize < sizeof *reply) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    switch (code) {
    case IOCTL_PANEL_READ_POINT: {
        if (FailRead)
            break;
        // The touch just ended is the release being handled.
        DWORD position = GetMessagePos();
        SimulatedPanelRaw((short)LOWORD(position), (short)HIWORD(position), &RawX, &RawY);
        reply->Word[0] = (DWORD)&RawX;
        reply->Word[1] = (DWORD)&RawY;
        *returned = sizeof *reply;
        return TRUE;
    }
    case IOCTL_PANEL_SET_LEFT_UP:
        SetCorner(0, request);
        return TRUE;
    case IOCTL_PANEL_SET_RIGHT_UP:
        SetCorner(2, request);
        return TRUE;
    case IOCTL_PANEL_SET_RIGHT_DN:
        SetCorner(4, request);
        return TRUE;
    case IOCTL_PANEL_SET_LEFT_DN:
        SetCorner(6, request);
        return TRUE;
    case IOCTL_PANEL_SET_CALIBRATE:
        CalibrateFlags[0] = (LONG)request->Word[0];
        CalibrateFlags[1] = (LONG)request->Word[1];
        return TRUE;
    case IOCTL_PANEL_PROBE_CARD:
        if (FailProbe)
            break;
        CardStatus = CardPresent && Card[0] == StoredPort && Card[1] == StoredBase &&
                     Card[2] == StoredIrq ? 0 : 1;
        reply->Word[1] = (DWORD)&CardStatus;
        *returned = sizeof *reply;
        return TRUE;
    }
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
}
