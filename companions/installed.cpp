// What the companion programs share: the installed settings and the way they report a problem.
#include "companions.h"
#include "settings.h"

BOOL LoadInstalledSettings(const char *caption)
{
    HKEY key;

    // LoadPanelSettings creates a missing key with defaults; a companion program must not
    // bring back settings that the remover took away.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        ShowProblem(NULL, NOT_INSTALLED_TEXT, caption);
        return FALSE;
    }
    RegCloseKey(key);
    LoadPanelSettings();
    return TRUE;
}

void ShowProblem(HWND owner, const char *text, const char *caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
