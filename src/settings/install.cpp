// Driver registration for every start of Windows, and removal of what a cancelled setup stored.
#include "settings.h"
#include "paths.h"

BOOL RegisterStaticDriver(void)
{
    char data[PATH_BUFFER_SIZE];
    HKEY key;
    BOOL written;

    lstrcpynA(data, STATIC_DRIVER_NAME, sizeof data);
    // The finish page tells the user when Windows would not load the driver at its next start.
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, STATIC_DRIVER_KEY, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    written = RegSetValueExA(key, STATIC_DRIVER_VALUE, 0, REG_SZ, (const BYTE *)data, lstrlenA(data) + 1) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

BOOL StaticDriverRegistered(void)
{
    HKEY key;
    LONG status;

    // Only read: a key closed to writing still tells. Only a key or value that is not there
    // means no entry: a look that fails otherwise, taken for none, would have a cancelled run
    // delete the driver and settings that an earlier installation starts Windows with.
    status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, STATIC_DRIVER_KEY, 0, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return status != ERROR_FILE_NOT_FOUND;
    status = RegQueryValueExA(key, STATIC_DRIVER_VALUE, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status != ERROR_FILE_NOT_FOUND;
}

void UnregisterStaticDriver(void)
{
    HKEY key;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, STATIC_DRIVER_KEY, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, STATIC_DRIVER_VALUE);
    RegCloseKey(key);
    // Only when it holds nothing that someone else put there.
    DeleteUnusedKey(STATIC_DRIVER_KEY, TRUE);
}

BOOL KeyPresent(const char *path)
{
    HKEY key;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}

// "software\orrimac" may hold every other Orrimac product's settings, and on Windows 95/98
// deleting it would take them all. A key that cannot be looked into is kept.
void DeleteUnusedKey(const char *path, BOOL valuesToo)
{
    HKEY key;
    DWORD subkeys = 1, values = 0;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (RegQueryInfoKeyA(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL,
                         NULL) != ERROR_SUCCESS)
        subkeys = 1;
    RegCloseKey(key);
    if (subkeys == 0 && (!valuesToo || values == 0))
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

static void DeleteDriverFile(void)
{
    char path[PATH_BUFFER_SIZE];

    // A system directory too long for the buffer leaves no path to delete: the file stays.
    if (SystemFilePath(path, DRIVER_FILE_NAME))
        DeleteWritableFile(path);
}

void RemoveInstallation(void)
{
    HKEY key;

    // Cancelled over an earlier, completed installation: Windows loads the driver at every
    // start and the driver reads these settings, so both go back as this run found them.
    if (FirstLoad.Taken && FirstLoad.DriverRegistered) {
        PutEarlierInstallationBack();
        return;
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        for (int i = 0; i < PANEL_SETTING_COUNT; i++)
            RegDeleteValueA(key, PanelSettingNames[i]);
        RegCloseKey(key);
        DeleteUnusedKey(SETTINGS_KEY, FALSE);
        DeleteUnusedKey(SETTINGS_PARENT_KEY, FALSE);
    }
    DeleteDriverFile();
}
