// The simulated touch driver: the device layer of the simulation build. It keeps every
// promise setup relies on from the real driver: it loads from the system directory, takes
// the port from the settings stored just before the open, answers through addresses into
// its own storage, and maps touches by the corners it is sent.
#include "device.h"
#include "driver.h"
#include "settings.h"
#include "sim_device.h"
#include "sim_noise.h"

// The panel a machine without configuration gets: a 12-bit panel whose Y axis runs
// bottom to top and whose edges are well inside the raw range, so the first-run corners
// (0 to 1024 both ways) put the cursor nowhere near the finger until calibrated.
static const LONG DefaultPanel[4] = { 150, 3950, 3900, 180 };
static const DWORD DefaultCard[3] = { 1, 1016, 4 };

static char DeviceObject;   // its address is the handle: unique and never a real handle
#define SIM_HANDLE ((HANDLE)&DeviceObject)

static BOOL Loaded;
static SimulationSettings Simulation;

static DWORD StoredPort, StoredBase, StoredIrq;
static LONG Corner[8];             // left-up X, Y, right-up, right-down, left-down
static LONG CalibrateFlags[2];
static DWORD NoiseState;

// Storage the reply words point into; values are rewritten by each call.
static LONG CardStatus;
static LONG RawX, RawY;

static void AppendLog(const char *line)
{
    if (!Simulation.LogPath[0])
        return;
    HANDLE file = CreateFileA(Simulation.LogPath, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written;
    SetFilePointer(file, 0, NULL, FILE_END);
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}

// Parses exactly count comma-separated decimals, signed ones when negatives are allowed;
// nine digits at most, so no value overflows.
static BOOL ParseNumbers(const char *text, LONG *numbers, int count, BOOL negatives)
{
    for (int found = 0; found < count; found++) {
        LONG sign = 1, value = 0;
        int digits = 0;
        if (found > 0 && *text++ != ',')
            return FALSE;
        if (negatives && *text == '-') {
            sign = -1;
            text++;
        }
        for (; *text >= '0' && *text <= '9'; text++, digits++)
            value = value * 10 + (*text - '0');
        if (digits == 0 || digits > 9)
            return FALSE;
        numbers[found] = sign * value;
    }
    return *text == 0;
}

// A comma list of open, probe and read; the faults named are set, the others cleared.
static BOOL ParseFaults(const char *list, SimulationSettings *settings)
{
    static const char *const words[3] = { "open", "probe", "read" };
    BOOL *const faults[3] = { &settings->FailOpen, &settings->FailProbe, &settings->FailRead };
    *faults[0] = *faults[1] = *faults[2] = FALSE;
    while (*list) {
        int length = 0, i;
        while (list[length] && list[length] != ',')
            length++;
        for (i = 0; i < 3; i++)
            if (length == lstrlenA(words[i]) && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, list,
                                                                length, words[i], length) == CSTR_EQUAL)
                break;
        if (i == 3)
            return FALSE;
        *faults[i] = TRUE;
        list += length;
        if (*list == ',' && *++list == 0)
            return FALSE;
    }
    return TRUE;
}

// 0 when the variable is unset, 1 when it is read, -1 when it does not fit the buffer.
static int ReadVariable(const char *name, char *buffer, DWORD size)
{
    DWORD length = GetEnvironmentVariableA(name, buffer, size);
    if (length == 0 || length >= size) {
        buffer[0] = 0;
        return length == 0 ? 0 : -1;
    }
    return 1;
}

BOOL ReadSimulationSettings(SimulationSettings *settings, const char **malformed)
{
    char text[128];
    LONG numbers[4];
    int i, found;

    *malformed = NULL;
    settings->CardPresent = TRUE;
    for (i = 0; i < 3; i++)
        settings->Card[i] = DefaultCard[i];
    found = ReadVariable("QUARLO_SIM_CARD", text, sizeof text);
    if (found && lstrcmpiA(text, "none") == 0) {
        settings->CardPresent = FALSE;
    } else if (found && (found < 0 || !ParseNumbers(text, numbers, 3, FALSE))) {
        *malformed = "QUARLO_SIM_CARD";
    } else if (found) {
        for (i = 0; i < 3; i++)
            settings->Card[i] = (DWORD)numbers[i];
    }

    for (i = 0; i < 4; i++)
        settings->Panel[i] = DefaultPanel[i];
    found = ReadVariable("QUARLO_SIM_PANEL", text, sizeof text);
    // Equal edges would give the panel no extent along that axis.
    if (found && (found < 0 || !ParseNumbers(text, numbers, 4, TRUE) || numbers[0] == numbers[1] ||
                  numbers[2] == numbers[3])) {
        *malformed = *malformed ? *malformed : "QUARLO_SIM_PANEL";
    } else if (found) {
        for (i = 0; i < 4; i++)
            settings->Panel[i] = numbers[i];
    }

    settings->Noise = 0;
    found = ReadVariable("QUARLO_SIM_NOISE", text, sizeof text);
    if (found && (found < 0 || !ParseNumbers(text, &settings->Noise, 1, FALSE)))
        *malformed = *malformed ? *malformed : "QUARLO_SIM_NOISE";
    if (ReadVariable("QUARLO_SIM_FAIL", text, sizeof text) < 0 || !ParseFaults(text, settings))
        *malformed = *malformed ? *malformed : "QUARLO_SIM_FAIL";
    if (ReadVariable("QUARLO_SIM_LOG", settings->LogPath, sizeof settings->LogPath) < 0)
        *malformed = *malformed ? *malformed : "QUARLO_SIM_LOG";
    return *malformed == NULL;
}

// The real driver learns its port only from the record setup stores before the open.
static void ReadStoredSettings(void)
{
    LONG values[11];
    HKEY key;
    BOOL opened = OpenKey(SETTINGS_KEY, KEY_READ, &key) == ERROR_SUCCESS;

    // The corners and the port, the first eleven fields; the mode and the button are not its.
    for (int i = 0; i < 11; i++) {
        const RecordField *field = &PanelSettingFields[i];
        DWORD size = 4, type = 0;
        values[i] = field->Default;
        if (!opened || RegQueryValueExA(key, field->Name, NULL, &type, (BYTE *)&values[i], &size) != ERROR_SUCCESS ||
            type != REG_DWORD)
            values[i] = field->Default;
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
    // The loader reads a file: a directory of that name is no driver.
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HANDLE DeviceOpen(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                  DWORD disposition, DWORD flags, HANDLE templateFile)
{
    const char *malformed;
    BOOL configured = ReadSimulationSettings(&Simulation, &malformed);
    AppendLog("open");
    // A value that does not parse fails the load; invented values would pass for the user's.
    if (!configured) {
        SetLastError(ERROR_BAD_CONFIGURATION);
        return INVALID_HANDLE_VALUE;
    }

    // Only the way the platform loads a dynamic VxD reaches it.
    if (lstrcmpiA(name, DRIVER_DEVICE_NAME) != 0 || disposition != CREATE_NEW ||
        !(flags & FILE_FLAG_DELETE_ON_CLOSE) || templateFile != NULL || Simulation.FailOpen ||
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
    NoiseState = SIM_NOISE_SEED;
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

// In 64 bits: nine-digit raw values times a screen's pixels, or corners anywhere in the
// 32-bit range, would overflow 32.
static LONGLONG RoundedQuotient(LONGLONG numerator, LONGLONG denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    if (numerator >= 0)
        return (numerator + denominator / 2) / denominator;
    return -((-numerator + denominator / 2) / denominator);
}

static LONG Bounded(LONGLONG value)
{
    return value > 0x7FFFFFFF ? 0x7FFFFFFF : value < -0x7FFFFFFF ? -0x7FFFFFFF : (LONG)value;
}

// A raw value lies between the panel's two edges, so it fits 32 bits whatever they are.
void PanelPointRaw(const LONG panel[4], LONG width, LONG height, int x, int y, LONG *rawX, LONG *rawY)
{
    *rawX = Bounded(panel[0] + RoundedQuotient(((LONGLONG)panel[1] - panel[0]) * x, width));
    *rawY = Bounded(panel[2] + RoundedQuotient(((LONGLONG)panel[3] - panel[2]) * y, height));
}

void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY)
{
    PanelPointRaw(Simulation.Panel, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), x, y, rawX, rawY);
}

BOOL CornersPointScreen(const LONG corner[8], LONG width, LONG height, LONG rawX, LONG rawY, POINT *screen)
{
    LONGLONG left = ((LONGLONG)corner[0] + corner[6]) / 2, right = ((LONGLONG)corner[2] + corner[4]) / 2;
    LONGLONG top = ((LONGLONG)corner[1] + corner[3]) / 2, bottom = ((LONGLONG)corner[5] + corner[7]) / 2;
    if (left == right || top == bottom)
        return FALSE;
    screen->x = Bounded(RoundedQuotient((rawX - left) * width, right - left));
    screen->y = Bounded(RoundedQuotient((rawY - top) * height, bottom - top));
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
        if (Simulation.FailRead)
            break;
        // The touch just ended is the release being handled.
        DWORD position = GetMessagePos();
        SimulatedPanelRaw((short)LOWORD(position), (short)HIWORD(position), &RawX, &RawY);
        RawX += PanelNoise(&NoiseState, Simulation.Noise);
        RawY += PanelNoise(&NoiseState, Simulation.Noise);
        reply->Word[0] = (DWORD)&RawX;
        reply->Word[1] = (DWORD)&RawY;
        *returned = sizeof *reply;
        return TRUE;
    }
    case IOCTL_PANEL_SET_LEFT_UP:
    case IOCTL_PANEL_SET_RIGHT_UP:
    case IOCTL_PANEL_SET_RIGHT_DN:
    case IOCTL_PANEL_SET_LEFT_DN:
        // Functions 2 to 5, four code values apart, set the corners in the order they are
        // kept, two values each: left up, right up, right down, left down.
        SetCorner((int)(code - IOCTL_PANEL_SET_LEFT_UP) / 2, request);
        return TRUE;
    case IOCTL_PANEL_SET_CALIBRATE:
        CalibrateFlags[0] = (LONG)request->Word[0];
        CalibrateFlags[1] = (LONG)request->Word[1];
        return TRUE;
    case IOCTL_PANEL_PROBE_CARD:
        if (Simulation.FailProbe)
            break;
        CardStatus = Simulation.CardPresent && Simulation.Card[0] == StoredPort &&
                     Simulation.Card[1] == StoredBase && Simulation.Card[2] == StoredIrq ? 0 : 1;
        reply->Word[1] = (DWORD)&CardStatus;
        *returned = sizeof *reply;
        return TRUE;
    }
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
}
