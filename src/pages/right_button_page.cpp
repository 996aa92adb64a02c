// RightButtonPage: the right-button feature on or off.
#include "setup.h"
#include "settings.h"
#include "resource.h"

INT_PTR CALLBACK RightButtonPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        
        break;
    case WM_COMMAND:
        if (wParam == IDC_NEXT) {
            OpenPage(IDD_SUMMARY, page, SummaryPage);
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
