// The simulated touch driver: the device layer of the simulation build. It keeps every
// promise setup relies on from the real driver: it loads from the system directory, takes
// the port from the settings stored just before the open, answers through addresses into
// its own storage, and maps touches by the corners it is sent.
#include "call_log.h"
#include "device.h"
#include "driver.h"
#include "panel.h"
#include "settings.h"
#include "sim_device.h"
#include "sim_noise.h"
#include "sim_settings.h"

static char DeviceObject;   // its address is the handle: unique and never a real handle
#define SIM_HANDLE ((HANDLE)&DeviceObject)

static BOOL Loaded;
static SimulationSettings Simulation;

// The record setup stored, as read at the open; the corners as the calls since have set them.
static PanelSettingsRecord Stored;
static LONG CalibrateFlags[2];
static DWORD NoiseState;

// Storage the reply words point into; values are rewritten by each call.
static LONG CardStatus;
static LONG RawX, RawY;

// The real driver learns its port only from the record setup stores before the open. The
// mode and the button are not the model's.
static void ReadStoredSettings(void)
{
    HKEY key;
    BOOL opened = OpenKey(SETTINGS_KEY, KEY_READ, &key) == ERROR_SUCCESS;

    for (const RecordField *field = PanelSettingFields; field < PanelSettingFields + PANEL_SETTING_COUNT; field++) {
        DWORD size = 4, type = 0;
        if (!opened || RegQueryValueExA(key, field->Name, NULL, &type, (BYTE *)FieldIn(&Stored, field), &size) !=
                           ERROR_SUCCESS || type != REG_DWORD)
            *FieldIn(&Stored, field) = field->Default;
    }
    if (opened)
        RegCloseKey(key);
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
    LogCall(Simulation.LogPath, "open");
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
    LogCall(Simulation.LogPath, "close");
    if (device != SIM_HANDLE || !Loaded) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Loaded = FALSE;
    return TRUE;
}

void SimulatedPanelRaw(int x, int y, LONG *rawX, LONG *rawY)
{
    PanelPointRaw(Simulation.Panel, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), x, y, rawX, rawY);
}

BOOL SimulatedTouchToScreen(LONG rawX, LONG rawY, POINT *screen)
{
    return CornersPointScreen(&Stored.Corners, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                              rawX, rawY, screen);
}

// The calls come in the corners' own order, two words each.
static void SetCorner(int index, const PanelRequest *request)
{
    LONG *corner = &Stored.Corners.LeftUpX + index;

    corner[0] = (LONG)request->Word[0];
    corner[1] = (LONG)request->Word[1];
}

BOOL DeviceControl(HANDLE device, DWORD code, LPVOID input, DWORD inputSize, LPVOID output,
                   DWORD outputSize, LPDWORD returned, LPOVERLAPPED overlapped)
{
    const PanelRequest *request = (const PanelRequest *)input;
    PanelReply *reply = (PanelReply *)output;

    LogControlCall(Simulation.LogPath, code, request);
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
        CardStatus = Simulation.CardPresent && Simulation.Card[0] == Stored.ComPort &&
                     Simulation.Card[1] == Stored.ComBase && Simulation.Card[2] == Stored.ComIrq ? 0 : 1;
        reply->Word[1] = (DWORD)&CardStatus;
        *returned = sizeof *reply;
        return TRUE;
    }
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
}
