// The driver's entry for every start of Windows.
#include "driver_entry.h"
#include "settings.h"
#include "paths.h"

BOOL RegisterStaticDriver(void)
{
    char data[PATH_BUFFER_SIZE];
    HKEY key;
    BOOL written;

    lstrcpynA(data, STATIC_DRIVER_NAME, sizeof data);
    // The finish page tells the user when Windows would not load the driver at its next start.
    if (CreateKey(STATIC_DRIVER_KEY, &key, NULL) != ERROR_SUCCESS)
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
    status = OpenKey(STATIC_DRIVER_KEY, KEY_READ, &key);
    if (status != ERROR_SUCCESS)
        return status != ERROR_FILE_NOT_FOUND;
    status = RegQueryValueExA(key, STATIC_DRIVER_VALUE, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status != ERROR_FILE_NOT_FOUND;
}

BOOL StaticDriverEntryIsOurs(void)
{
    char data[sizeof STATIC_DRIVER_NAME + 1];
    DWORD size = sizeof data, type = 0;
    HKEY key;
    LONG status;

    if (OpenKey(STATIC_DRIVER_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(key, STATIC_DRIVER_VALUE, NULL, &type, (BYTE *)data, &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ && size == sizeof STATIC_DRIVER_NAME &&
           lstrcmpiA(data, STATIC_DRIVER_NAME) == 0;
}

void UnregisterStaticDriver(void)
{
    HKEY key;

    if (OpenKey(STATIC_DRIVER_KEY, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, STATIC_DRIVER_VALUE);
    RegCloseKey(key);
    // Only when it holds nothing that someone else put there.
    DeleteUnusedKey(STATIC_DRIVER_KEY, TRUE);
}
