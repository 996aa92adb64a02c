// An earlier, completed installation kept aside while a run of setup replaces it, and put
// back when the run ends without installing.
//
// The aside copy is the key "software\orrimac\velmora.old" with the 13 values the earlier
// installation ran with, and the file QUARLO.OLD, its driver, beside QUARLO.VXD. The key is
// written before the driver is moved aside, and on the way back deleted only after the file
// is gone, so a machine that stops at any point leaves the key wherever anything of the
// copy is left: the next setup puts it back before it begins, and the remover deletes it.
#include "settings.h"
#include "paths.h"

BOOL EarlierInstallationAside(void)
{
    return KeyPresent(EARLIER_SETTINGS_KEY);
}

static BOOL DriverFilePaths(char *driver, char *earlier)
{
    return SystemFilePath(driver, DRIVER_FILE_NAME) && SystemFilePath(earlier, EARLIER_DRIVER_FILE_NAME);
}

// The record the earlier installation runs with. A value that could not be read when the
// run began holds its default in the first load; read again now, before this run saves over
// it, it keeps the installation's own.
static const PanelSettingsRecord *EarlierRecord(void)
{
    static PanelSettingsRecord record;
    HKEY key;

    record = FirstLoad.Settings;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return &record;
    for (int i = 0; i < PANEL_SETTING_COUNT; i++) {
        DWORD value, size = sizeof value;
        if (RegQueryValueExA(key, PanelSettingNames[i], NULL, NULL, (BYTE *)&value, &size) == ERROR_SUCCESS &&
            size == sizeof value)
            ((DWORD *)&record)[i] = value;
    }
    RegCloseKey(key);
    return &record;
}

void KeepEarlierInstallationAside(void)
{
    char driver[PATH_BUFFER_SIZE], earlier[PATH_BUFFER_SIZE];
    HKEY key;

    // Only the first replacement of this run finds the earlier driver in place.
    if (!FirstLoad.Taken || !FirstLoad.DriverRegistered || EarlierInstallationAside())
        return;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    WritePanelSettings(key, EarlierRecord());
    RegCloseKey(key);
    if (!DriverFilePaths(driver, earlier))
        return;
    // A renaming is whole or not at all, where a copy stopped half-way would later be put
    // back over a working driver. A QUARLO.OLD without the key is no aside copy of ours.
    DeleteWritableFile(earlier);
    MoveFileA(driver, earlier);
}

// Only the values the aside key holds: a key cut short by a stop while it was written
// was written before anything else changed, so the rest are as they were.
static void CopyEarlierValues(void)
{
    HKEY earlier, settings;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY, 0, KEY_READ, &earlier) != ERROR_SUCCESS)
        return;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &settings, NULL) == ERROR_SUCCESS) {
        for (int i = 0; i < PANEL_SETTING_COUNT; i++) {
            DWORD value, size = sizeof value;
            if (RegQueryValueExA(earlier, PanelSettingNames[i], NULL, NULL, (BYTE *)&value, &size) == ERROR_SUCCESS)
                RegSetValueExA(settings, PanelSettingNames[i], 0, REG_DWORD, (const BYTE *)&value, 4);
        }
        RegCloseKey(settings);
    }
    RegCloseKey(earlier);
}

static void DeleteEarlierKey(void)
{
    HKEY key;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        RegDeleteValueA(key, PanelSettingNames[i]);
    RegCloseKey(key);
    DeleteUnusedKey(EARLIER_SETTINGS_KEY, TRUE);
}

void PutEarlierInstallationBack(void)
{
    char driver[PATH_BUFFER_SIZE], earlier[PATH_BUFFER_SIZE];

    if (!EarlierInstallationAside())
        return;
    CopyEarlierValues();
    if (!DriverFilePaths(driver, earlier))
        return;
    // Copied, not renamed: the driver file stays whole at every moment, and until the
    // aside file is gone a stop only means doing this again.
    if (GetFileAttributesA(earlier) != INVALID_FILE_ATTRIBUTES) {
        if (!CopyWritableFile(earlier, driver) || !DeleteWritableFile(earlier))
            return;
    }
    DeleteEarlierKey();
}

void DropEarlierInstallation(void)
{
    char driver[PATH_BUFFER_SIZE], earlier[PATH_BUFFER_SIZE];

    // The key goes first: a QUARLO.OLD left without it, should its deletion fail, is never
    // put back over the new installation; the next setup or the remover deletes it.
    DeleteEarlierKey();
    if (DriverFilePaths(driver, earlier))
        DeleteWritableFile(earlier);
}
