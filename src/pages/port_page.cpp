// PortPage: the serial port and interrupt line of the touch panel's interface card.
#include "setup.h"
#include "settings.h"
#include "resource.h"

INT_PTR CALLBACK PortPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        LoadPanelSettings();
        break;
    case WM_COMMAND:
        if (wParam == IDC_NEXT) {
            OpenPage(IDD_RIGHT_BUTTON, page, RightButtonPage);
            if (ChainUnwinding())
                EndDialog(page, 0);
        } else if (wParam == IDC_BACK) {
            EndDialog(page, 0);
        } else if (wParam == IDC_CANCEL) {
            EndDialog(page, 0);
            SetupAborted = 1;
        }
        break;
    }
    return 0;
}
