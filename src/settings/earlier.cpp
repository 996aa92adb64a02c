// An earlier, completed installation kept aside while a run of setup replaces it, and put
// back when the run ends without installing.
//
// The aside copy is the key "software\orrimac\velmora.old" with the 13 values the earlier
// installation ran with, and the file QUARLO.OLD, its driver, beside QUARLO.VXD. The key is
// written before the driver is moved aside, and on the way back deleted only after the file
// is gone, so a machine that stops at any point leaves the key wherever anything of the
// copy is left: whichever program next changes the installation puts it back before it
// begins (ClaimInstallation).
#include "earlier.h"
#include "driver_entry.h"
#include "paths.h"

FirstLoadRecord FirstLoad;

// The first load of a run sees the machine before this run changed anything: the driver
// entry only a completed setup writes, and the settings that installation runs with.
void LoadPanelSettings(void)
{
    ReadOrMakePanelSettings();
    if (FirstLoad.Taken)
        return;
    FirstLoad.Taken = TRUE;
    FirstLoad.DriverRegistered = StaticDriverRegistered();
    FirstLoad.Settings = PanelSettings;
}

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
    if (OpenKey(SETTINGS_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return &record;
    for (const RecordField *field = PanelSettingFields; field < PanelSettingFields + PANEL_SETTING_COUNT; field++) {
        DWORD value;
        if (ReadField(key, field, &value) == ERROR_SUCCESS)
            *FieldIn(&record, field) = value;
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
    if (CreateKey(EARLIER_SETTINGS_KEY, &key, NULL) != ERROR_SUCCESS)
        return ASIDE_NOT_KEPT;
    written = WriteRecord(key, PanelSettingFields, PANEL_SETTING_COUNT, EarlierRecord());
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

    if (OpenKey(EARLIER_SETTINGS_KEY, KEY_READ, &earlier) != ERROR_SUCCESS)
        return;
    if (CreateKey(SETTINGS_KEY, &settings, NULL) == ERROR_SUCCESS) {
        for (const RecordField *field = PanelSettingFields; field < PanelSettingFields + PANEL_SETTING_COUNT; field++) {
            DWORD value;
            LONG status = ReadField(earlier, field, &value);
            if (status == ERROR_FILE_NOT_FOUND)
                continue;
            if (status != ERROR_SUCCESS)
                value = field->Default;
            WriteField(settings, field, &value);
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
