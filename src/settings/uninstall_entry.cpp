// The Velmora entry of Control Panel's Add/Remove Programs.
#include "uninstall_entry.h"
#include "settings.h"

const char *const UninstallValueNames[UNINSTALL_VALUE_COUNT] = {
    "DisplayName", "UninstallString", "QuietUninstallString",
};

// Windows runs the strings as command lines, and the path may hold blanks.
void ComposeUninstallEntry(const char *remover, char values[UNINSTALL_VALUE_COUNT][UNINSTALL_VALUE_SIZE])
{
    lstrcpyA(values[0], UNINSTALL_NAME);
    wsprintfA(values[1], "\"%s\"", remover);
    wsprintfA(values[2], "%s /S", values[1]);
}

BOOL WriteUninstallEntry(const char *remover)
{
    char values[UNINSTALL_VALUE_COUNT][UNINSTALL_VALUE_SIZE];
    HKEY key;
    BOOL written = TRUE;

    ComposeUninstallEntry(remover, values);
    if (CreateKey(UNINSTALL_KEY, &key, NULL) != ERROR_SUCCESS)
        return FALSE;
    for (int i = 0; i < UNINSTALL_VALUE_COUNT; i++)
        if (RegSetValueExA(key, UninstallValueNames[i], 0, REG_SZ, (const BYTE *)values[i],
                           (DWORD)lstrlenA(values[i]) + 1) != ERROR_SUCCESS)
            written = FALSE;
    RegCloseKey(key);
    return written;
}

BOOL UninstallEntryPresent(void)
{
    HKEY key;
    LONG status;

    if (OpenKey(UNINSTALL_KEY, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    status = RegQueryValueExA(key, UninstallValueNames[1], NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

BOOL DeleteUninstallEntry(void)
{
    HKEY key;

    if (OpenKey(UNINSTALL_KEY, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        for (int i = 0; i < UNINSTALL_VALUE_COUNT; i++)
            RegDeleteValueA(key, UninstallValueNames[i]);
        RegCloseKey(key);
        DeleteUnusedKey(UNINSTALL_KEY, TRUE);
    }
    return !UninstallEntryPresent();
}
