// RightButtonPage: the right-button feature on or off.
#include "setup.h"
#include "settings.h"
#include "resource.h"

// The box is always set from the field, never read back, so the two cannot disagree.
static void ShowRightButton(HWND page)
{
    SendDlgItemMessageA(page, IDC_RIGHT_BUTTON, BM_SETCHECK,
                        PanelSettings.RightButton == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

INT_PTR CALLBACK RightButtonPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowRightButton(page);
        break;

    case WM_COMMAND:
        if (wParam == IDC_RIGHT_BUTTON) {
            // Any value but 1 counts as off, so a click always ends at 0 or 1.
            PanelSettings.RightButton = PanelSettings.RightButton == 1 ? 0 : 1;
            ShowRightButton(page);
        } else {
            FollowPageChain(page, wParam, IDD_RIGHT_BUTTON);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
