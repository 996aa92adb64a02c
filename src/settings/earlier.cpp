// The aside copy of an earlier installation that an older setup left, put back.
//
// The aside copy is the key "software\orrimac\velmora.old" with the values the earlier
// installation ran with, and the file QUARLO.OLD, its driver, beside QUARLO.VXD. A piece the
// installation lacked is marked by a value of its own in the key, so that putting back takes
// away what that run added; a key without the marks (the oldest setups') had every piece. On
// the way back the key is deleted only after the file is gone, so a stop while it is put back
// only means doing it again.
#include "earlier.h"
#include "driver_entry.h"
#include "paths.h"

// Values of the aside key that mark a piece the earlier installation did not have.
static const char *const MissingMarks[] = { "NoSettings", "NoDriverFile", "NoDriverEntry" };
enum { NO_SETTINGS, NO_DRIVER_FILE, NO_DRIVER_ENTRY, MISSING_MARK_COUNT };

static BOOL DriverFilePaths(char *driver, char *earlier)
{
    return SystemFilePath(driver, DRIVER_FILE_NAME) && SystemFilePath(earlier, EARLIER_DRIVER_FILE_NAME);
}

BOOL EarlierInstallationAside(void)
{
    return KeyPresent(EARLIER_SETTINGS_KEY);
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
    // An entry that was there is left as it is: that run wrote none other than its own.
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
