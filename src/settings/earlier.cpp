// An earlier, completed installation kept aside while a run of setup replaces it, and put
// back when the run ends without installing.
//
// The aside copy is the key "software\orrimac\velmora.old" with the values the earlier
// installation ran with, and the file QUARLO.OLD, its driver, beside QUARLO.VXD. A piece the
// installation lacked is marked by a value of its own in the key, so that putting back takes
// away what this run added; a key without the marks (an older setup's) had every piece. The key is
// written before the driver is moved aside, and on the way back deleted only after the file
// is gone, so a machine that stops at any point leaves the key wherever anything of the
// copy is left: whichever program next changes the installation puts it back before it
// begins (ClaimInstallation).
#include "earlier.h"
#include "driver_entry.h"
#include "paths.h"

FirstLoadRecord FirstLoad;

// Values of the aside key that mark a piece the earlier installation did not have.
static const char *const MissingMarks[] = { "NoSettings", "NoDriverFile", "NoDriverEntry" };
enum { NO_SETTINGS, NO_DRIVER_FILE, NO_DRIVER_ENTRY, MISSING_MARK_COUNT };

static BOOL DriverFilePaths(char *driver, char *earlier)
{
    return SystemFilePath(driver, DRIVER_FILE_NAME) && SystemFilePath(earlier, EARLIER_DRIVER_FILE_NAME);
}

// A folder of the driver's name is no driver.
static BOOL DriverFileThere(void)
{
    char driver[PATH_BUFFER_SIZE];

    return SystemFilePath(driver, DRIVER_FILE_NAME) && GetFileAttributesA(driver) != INVALID_FILE_ATTRIBUTES &&
           !DirectoryExists(driver);
}

// The first load of a run sees the machine before this run changed anything; the settings
// key is looked for before the load makes one.
void LoadPanelSettings(void)
{
    BOOL settingsFound = SettingsKeyPresent();

    ReadOrMakePanelSettings();
    if (FirstLoad.Taken)
        return;
    FirstLoad.Taken = TRUE;
    FirstLoad.SettingsFound = settingsFound;
    FirstLoad.DriverFileFound = DriverFileThere();
    FirstLoad.DriverRegistered = StaticDriverRegistered();
    FirstLoad.Settings = PanelSettings;
}

BOOL EarlierInstallationFound(void)
{
    return FirstLoad.Taken && (FirstLoad.SettingsFound || FirstLoad.DriverFileFound || FirstLoad.DriverRegistered);
}

BOOL EarlierInstallationAside(void)
{
    return KeyPresent(EARLIER_SETTINGS_KEY);
}

// The values the earlier installation runs with, read again now, before this run saves over
// them, and only those that are there: a value the installation lacked must not come back.
// One that holds no 4-byte number is kept as the first load took it, its default.
static BOOL WriteEarlierValues(HKEY aside)
{
    HKEY key;
    BOOL written = TRUE;

    if (!FirstLoad.SettingsFound || OpenKey(SETTINGS_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return TRUE;
    for (const RecordField *field = PanelSettingFields; field < PanelSettingFields + PANEL_SETTING_COUNT; field++) {
        DWORD value = *FieldIn(&FirstLoad.Settings, field);
        if (ReadField(key, field, &value) != ERROR_FILE_NOT_FOUND && !WriteField(aside, field, &value))
            written = FALSE;
    }
    RegCloseKey(key);
    return written;
}

static BOOL WriteMissingMarks(HKEY aside)
{
    const BOOL missing[MISSING_MARK_COUNT] = { !FirstLoad.SettingsFound, !FirstLoad.DriverFileFound,
                                               !FirstLoad.DriverRegistered };
    DWORD one = 1;

    for (int i = 0; i < MISSING_MARK_COUNT; i++)
        if (missing[i] &&
            RegSetValueExA(aside, MissingMarks[i], 0, REG_DWORD, (const BYTE *)&one, sizeof one) != ERROR_SUCCESS)
            return FALSE;
    return TRUE;
}

static BOOL Marked(HKEY aside, int mark)
{
    return RegQueryValueExA(aside, MissingMarks[mark], NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
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
    if (!EarlierInstallationFound() || EarlierInstallationAside())
        return ASIDE_KEPT;
    // A folder of that name is nobody's aside copy, and no file can be moved there.
    paths = DriverFilePaths(driver, earlier);
    if (paths && FirstLoad.DriverFileFound && DirectoryExists(earlier))
        return ASIDE_FOLDER_IN_THE_WAY;
    if (CreateKey(EARLIER_SETTINGS_KEY, &key, NULL) != ERROR_SUCCESS)
        return ASIDE_NOT_KEPT;
    written = WriteEarlierValues(key) && WriteMissingMarks(key);
    RegCloseKey(key);
    if (!written) {
        DeleteEarlierKey();
        return ASIDE_NOT_KEPT;
    }
    // Without the paths the summary cannot replace the driver either; without a driver there
    // is nothing to move.
    if (!paths || !FirstLoad.DriverFileFound)
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

// Only the values the aside key holds; the others go, as the earlier installation had none
// of them (a key cut short by a stop while it was written was written before anything else
// changed, so the settings are still as they were). One that holds no 4-byte number brings
// back the field's default, as the loader would read it. Settings the installation lacked go
// with their key.
static void PutSettingsBack(HKEY aside)
{
    HKEY settings;

    if (Marked(aside, NO_SETTINGS)) {
        DeleteSettings();
        return;
    }
    if (CreateKey(SETTINGS_KEY, &settings, NULL) != ERROR_SUCCESS)
        return;
    for (const RecordField *field = PanelSettingFields; field < PanelSettingFields + PANEL_SETTING_COUNT; field++) {
        DWORD value;
        LONG status = ReadField(aside, field, &value);
        if (status == ERROR_FILE_NOT_FOUND) {
            RegDeleteValueA(settings, field->Name);
            continue;
        }
        if (status != ERROR_SUCCESS)
            value = field->Default;
        WriteField(settings, field, &value);
    }
    RegCloseKey(settings);
}

// Copied, not renamed: the driver file stays whole at every moment, and until the aside file
// is gone a stop only means doing this again. A folder of that name holds no driver: the
// earlier one never left its place. FALSE when the aside file must stay for another try.
static BOOL PutDriverFileBack(HKEY aside)
{
    char driver[PATH_BUFFER_SIZE], earlier[PATH_BUFFER_SIZE];

    if (!DriverFilePaths(driver, earlier))
        return FALSE;
    if (GetFileAttributesA(earlier) != INVALID_FILE_ATTRIBUTES && !DirectoryExists(earlier))
        return CopyWritableFile(earlier, driver) && DeleteWritableFile(earlier);
    if (Marked(aside, NO_DRIVER_FILE))
        return DeleteWritableFile(driver) || GetFileAttributesA(driver) == INVALID_FILE_ATTRIBUTES;
    return TRUE;
}

void PutEarlierInstallationBack(void)
{
    HKEY aside;
    BOOL back;

    if (OpenKey(EARLIER_SETTINGS_KEY, KEY_READ, &aside) != ERROR_SUCCESS)
        return;
    PutSettingsBack(aside);
    // An entry that was there is left as it is: this run wrote none other than its own.
    if (Marked(aside, NO_DRIVER_ENTRY))
        UnregisterStaticDriver();
    back = PutDriverFileBack(aside);
    RegCloseKey(aside);
    if (!back)
        return;
    DeleteEarlierKey();
    // The parent, when the earlier installation had no settings, held the aside key alone.
    DeleteUnusedKey(SETTINGS_PARENT_KEY, FALSE);
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
