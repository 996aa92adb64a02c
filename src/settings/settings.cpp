// The panel settings record and its 13 REG_DWORD values under HKLM\software\orrimac\velmora.
#include "settings.h"

PanelSettingsRecord PanelSettings;
PrevSelectionRecord PrevSelection;

const char *const PanelSettingNames[PANEL_SETTING_COUNT] = {
    "LeftUpX", "LeftUpY", "RightUpX", "RightUpY", "RightDnX", "RightDnY",
    "LeftDnX", "LeftDnY", "ComPort", "ComBase", "ComIrq", "Mode", "RightButton",
};

const DWORD PanelSettingDefaults[PANEL_SETTING_COUNT] = {
    0, 0, 1024, 0, 1024, 1024, 0, 1024,
    1,      // COM 1
    1016,   // 0x3F8, its base address
    4,      // and its interrupt line
    1,      // mode 1: touch down, move, touch up
    0,      // right button off
};

FirstLoadRecord FirstLoad;

// The record is 13 consecutive 32-bit fields in registry order, so it is walked as such.
static DWORD *SettingField(int index)
{
    return (DWORD *)&PanelSettings + index;
}

static void SetDefaultSettings(void)
{
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        *SettingField(i) = PanelSettingDefaults[i];
}

BOOL WritePanelSettings(HKEY key, const PanelSettingsRecord *record)
{
    BOOL written = TRUE;
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (RegSetValueExA(key, PanelSettingNames[i], 0, REG_DWORD,
                           (const BYTE *)((const DWORD *)record + i), 4) != ERROR_SUCCESS)
            written = FALSE;
    return written;
}

// The first load of a run sees the machine before this run changed anything: the driver
// entry only a completed setup writes, and the settings that installation runs with.
static void RememberFirstLoad(void)
{
    if (FirstLoad.Taken)
        return;
    FirstLoad.Taken = TRUE;
    FirstLoad.DriverRegistered = StaticDriverRegistered();
    FirstLoad.Settings = PanelSettings;
}

void ReadPanelSettings(HKEY key)
{
    // The stored type is not examined: a shorter value fills only the low bytes, a longer
    // one fails with ERROR_MORE_DATA and falls back to the default.
    for (int i = 0; i < PANEL_SETTING_COUNT; i++) {
        DWORD size = 4;
        if (RegQueryValueExA(key, PanelSettingNames[i], NULL, NULL, (BYTE *)SettingField(i), &size) != ERROR_SUCCESS)
            *SettingField(i) = PanelSettingDefaults[i];
    }
}

void LoadPanelSettings(void)
{
    HKEY key;
    DWORD disposition = 0;

    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, &disposition) != ERROR_SUCCESS) {
        SetDefaultSettings();
    } else {
        if (disposition == REG_CREATED_NEW_KEY) {
            SetDefaultSettings();
            WritePanelSettings(key, &PanelSettings);
        } else {
            ReadPanelSettings(key);
        }
        RegCloseKey(key);
    }
    PrevSelection.PrevComPort = PanelSettings.ComPort;
    PrevSelection.PrevComIrq = PanelSettings.ComIrq;
    RememberFirstLoad();
}

LONG LoadInstalledPanelSettings(void)
{
    HKEY key;
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key);

    if (status != ERROR_SUCCESS)
        return status;
    ReadPanelSettings(key);
    RegCloseKey(key);
    return ERROR_SUCCESS;
}

BOOL SettingsKeyPresent(void)
{
    return KeyPresent(SETTINGS_KEY);
}

BOOL PanelSettingsLeft(void)
{
    HKEY key;
    BOOL left = FALSE;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (RegQueryValueExA(key, PanelSettingNames[i], NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            left = TRUE;
    RegCloseKey(key);
    return left;
}

// Only a key that exists: a removed installation must not come back by a save.
static BOOL OpenSettingsToSave(HKEY *key)
{
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_ALL_ACCESS, key) == ERROR_SUCCESS;
}

BOOL SavePanelSettingFields(const DWORD *const fields[], int count)
{
    HKEY key;
    BOOL written = TRUE;

    if (!OpenSettingsToSave(&key))
        return FALSE;
    for (int i = 0; i < count; i++) {
        int index = (int)(fields[i] - SettingField(0));
        if (index < 0 || index >= PANEL_SETTING_COUNT ||
            RegSetValueExA(key, PanelSettingNames[index], 0, REG_DWORD, (const BYTE *)fields[i], 4) != ERROR_SUCCESS)
            written = FALSE;
    }
    RegCloseKey(key);
    return written;
}

BOOL SavePanelSettings(void)
{
    HKEY key;
    BOOL written;

    if (!OpenSettingsToSave(&key))
        return FALSE;
    written = WritePanelSettings(key, &PanelSettings);
    RegCloseKey(key);
    return written;
}
