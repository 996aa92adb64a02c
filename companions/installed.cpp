// What the companion programs share: the installed settings and the way they report a problem.
#include "companions.h"
#include "settings.h"

// Opened for reading only: a key the user may read but not write holds the installed
// settings all the same. LoadPanelSettings is not used: it creates a missing key with
// defaults, and a companion program must not bring back settings the remover took away.
BOOL LoadInstalledSettings(const char *caption)
{
    HKEY key;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        ShowProblem(NULL, NOT_INSTALLED_TEXT, caption);
        return FALSE;
    }
    ReadPanelSettings(key);
    RegCloseKey(key);
    return TRUE;
}

BOOL SettingsKeyPresent(void)
{
    HKEY key;

    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}

void ShowProblem(HWND owner, const char *text, const char *caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
