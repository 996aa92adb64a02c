// What the companion programs share: the installed settings and the way they report a problem.
#include "companions.h"
#include "settings.h"

BOOL LoadInstalledSettings(const char *caption)
{
    LONG status = LoadInstalledPanelSettings();

    if (status == ERROR_SUCCESS)
        return TRUE;
    // Only a missing key means that Velmora is not installed.
    ShowProblem(NULL, status == ERROR_FILE_NOT_FOUND ? NOT_INSTALLED_TEXT : SETTINGS_UNREADABLE_TEXT, caption);
    return FALSE;
}

void ShowProblem(HWND owner, const char *text, const char *caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
