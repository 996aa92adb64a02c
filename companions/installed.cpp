// What the companion programs share: the installed settings and the way they report a problem.
#include "companions.h"
#include "settings.h"

BOOL LoadInstalledSettings(const char *caption)
{
    if (LoadInstalledPanelSettings())
        return TRUE;
    ShowProblem(NULL, NOT_INSTALLED_TEXT, caption);
    return FALSE;
}

void ShowProblem(HWND owner, const char *text, const char *caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONEXCLAMATION);
}
