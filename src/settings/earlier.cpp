// An earlier, completed installation kept aside while a run of setup replaces it, and put
// back when the run ends without installing.
//
// The aside copy is the key "software\orrimac\velmora.old" with the 13 values the earlier
// installation ran with, and the file QUARLO.OLD, its driver, beside QUARLO.VXD. The key is
// written before the driver is moved aside, and on the way back deleted only after the file
// is gone, so a machine that stops at any point leaves the key wherever anything of the
// copy is left: whichever program next changes the installation puts it back before it
// begins (ClaimInstallation).
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

// A value as the loader takes one: exactly four bytes, whatever the type. ERROR_SUCCESS, or
// why not: ERROR_FILE_NOT_FOUND when it is not there, ERROR_INVALID_DATA for another size,
// which holds no number, only what the buffer held before.
static LONG ReadSettingValue(HKEY key, int index, DWORD *value)
{
    DWORD size = sizeof *value;
    LONG status = RegQueryValueExA(key, PanelSettingNames[index], NULL, NULL, (BYTE *)value, &size);

    return status == ERROR_SUCCESS && size != sizeof *value ? ERROR_INVALID_DATA : status;
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
        DWORD value;
        if (ReadSettingValue(key, i, &value) == ERROR_SUCCESS)
            ((DWORD *)&record)[i] = value;
    }
    RegCloseKey(key);
    return &record;
}

// Whatever the key holds, subkeys and their values too: a key left behind would count as an
// aside copy on every later run. Only Windows 95/98 RegDeleteKey takes a key with subkeys.
static BOOL DeleteWholeKey(HKEY parent, const char *name)
{
    char subkey[PATH_BUFFER_SIZE];
    DWORD index = 0;
    HKEY key;

    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return FALSE;
    // A subkey that will not go is stepped over, so that the walk ends.
    while (RegEnumKeyA(key, index, subkey, sizeof subkey) == ERROR_SUCCESS)
        if (!DeleteWholeKey(key, subkey))
            index++;
    RegCloseKey(key);
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

static void DeleteEarlierKey(void)
{
    DeleteWholeKey(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY);
}

AsideOutcome KeepEarlierInstallationAside(void)
{
    char driver[PATH_BUFFER_SIZE], earlier[PATH_BUFFER_SIZE];
    BOOL paths, written;
    HKEY key;

    // Only the first replacement of this run finds the earlier driver in place.
    if (!FirstLoad.Taken || !FirstLoad.DriverRegistered || EarlierInstallationAside())
        return ASIDE_KEPT;
    // A folder of that name is nobody's aside copy, and no file can be moved there.
    paths = DriverFilePaths(driver, earlier);
    if (paths && DirectoryExists(earlier))
        return ASIDE_FOLDER_IN_THE_WAY;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return ASIDE_NOT_KEPT;
    written = WritePanelSettings(key, EarlierRecord());
    RegCloseKey(key);
    if (!written) {
        DeleteEarlierKey();
        return ASIDE_NOT_KEPT;
    }
    // Without the paths the summary cannot replace the driver either.
    if (!paths)
        return ASIDE_KEPT;
    // A renaming is whole or not at all, where a copy stopped half-way would later be put
    // back over a working driver. A QUARLO.OLD without the key is no aside copy of ours.
    DeleteWritableFile(earlier);
    if (!MoveFileA(driver, earlier) && GetFileAttributesA(driver) != INVALID_FILE_ATTRIBUTES) {
        DeleteEarlierKey();
        return ASIDE_NOT_KEPT;
    }
    return ASIDE_KEPT;
}

// Only the values the aside key holds: a key cut short by a stop while it was written
// was written before anything else changed, so the rest are as they were. One that holds no
// 4-byte number brings back the field's default, as the loader would read it.
static void CopyEarlierValues(void)
{
    HKEY earlier, settings;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EARLIER_SETTINGS_KEY, 0, KEY_READ, &earlier) != ERROR_SUCCESS)
        return;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &settings, NULL) == ERROR_SUCCESS) {
        for (int i = 0; i < PANEL_SETTING_COUNT; i++) {
            DWORD value;
            LONG status = ReadSettingValue(earlier, i, &value);
            if (status == ERROR_FILE_NOT_FOUND)
                continue;
            if (status != ERROR_SUCCESS)
                value = PanelSettingDefaults[i];
            RegSetValueExA(settings, PanelSettingNames[i], 0, REG_DWORD, (const BYTE *)&value, 4);
        }
        RegCloseKey(settings);
    }
    RegCloseKey(earlier);
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
    // aside file is gone a stop only means doing this again. A folder of that name holds
    // no driver: the earlier one never left its place.
    if (GetFileAttributesA(earlier) != INVALID_FILE_ATTRIBUTES && !DirectoryExists(earlier)) {
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
