// FinishPage: makes the installation permanent and restarts Windows.
#include "setup.h"
#include "resource.h"

INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDC_REBOOT) {
            EndDialog(page, 0);
            RequestRestart();
        }
        break;
    }
    return 0;
}
