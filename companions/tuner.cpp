// TUNER.EXE (TunerWindow): the touch mode and the right-button feature of an installed panel.
#include "companions.h"
#include "companion_resource.h"
#include "settings.h"
#include "program.h"

static const int ModeButtons[3] = { IDC_TUNER_MODE1, IDC_TUNER_MODE2, IDC_TUNER_MODE3 };

// A stored mode outside 1 to 3 checks no button and is saved back unchanged.
static void CheckModeButtons(HWND page)
{
    for (int i = 0; i < 3; i++)
        SendDlgItemMessageA(page, ModeButtons[i], BM_SETCHECK,
                            PanelSettings.Mode == (DWORD)(i + 1) ? BST_CHECKED : BST_UNCHECKED, 0);
}

static void CheckRightButton(HWND page)
{
    SendDlgItemMessageA(page, IDC_TUNER_RIGHT_BUTTON, BM_SETCHECK,
                        PanelSettings.RightButton == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The mode a button stands for; 0 for any other command.
static DWORD ModeOfButton(WPARAM command)
{
    for (int i = 0; i < 3; i++)
        if (command == (WPARAM)ModeButtons[i])
            return (DWORD)(i + 1);
    return 0;
}

BOOL SaveTunerSettings(void)
{
    // The other eleven values stay as they are: the corners may have been aligned again
    // since this program loaded them.
    static const DWORD *const tuned[2] = { &PanelSettings.Mode, &PanelSettings.RightButton };

    return SavePanelSettingFields(tuned, 2);
}

static void AcceptTuning(HWND page)
{
    // The driver reads its settings when Windows starts it; nothing reaches it before.
    // A key that went meanwhile was removed with Velmora; one that is there was closed to writing.
    if (SaveTunerSettings())
        MessageBoxA(page, TUNED_TEXT, TUNER_CAPTION, MB_OK | MB_ICONINFORMATION);
    else
        ShowProblem(page, SettingsKeyPresent() ? TUNER_NOT_STORED_TEXT : NOT_INSTALLED_TEXT, TUNER_CAPTION);
    EndDialog(page, 0);
}

INT_PTR CALLBACK TunerWindow(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    DWORD mode;

    switch (message) {
    case WM_INITDIALOG:
        CheckModeButtons(page);
        CheckRightButton(page);
        break;
    case WM_COMMAND:
        if ((mode = ModeOfButton(wParam)) != 0) {
            PanelSettings.Mode = mode;
            CheckModeButtons(page);
        } else if (wParam == IDC_TUNER_RIGHT_BUTTON) {
            PanelSettings.RightButton = PanelSettings.RightButton == 1 ? 0 : 1;
            CheckRightButton(page);
        } else if (wParam == IDOK) {
            AcceptTuning(page);
        } else if (wParam == IDCANCEL) {
            EndDialog(page, 0);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}

int RunTuner(void)
{
    int result = 1;

    if (!ClaimSettings(TUNER_CAPTION))
        return 1;
    if (LoadInstalledSettings(TUNER_CAPTION)) {
        OpenPage(IDD_TUNER, NULL, TunerWindow);
        result = 0;
    }
    ReleaseInstallation();
    return result;
}
