// WelcomePage: the first page; it starts every run with both outcome flags clear.
#include "setup.h"
#include "resource.h"

INT_PTR CALLBACK WelcomePage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetupAborted = 0;
        CalibrationAccepted = 0;
        break;

    case WM_COMMAND:
        if (!PageTakesCommands(page))
            break;
        if (wParam == IDC_NEXT) {
            OpenNextPage(page, IDD_WELCOME);
            if (ChainUnwinding())
                EndDialog(page, 0);
        } else if (wParam == IDC_CANCEL) {
            EndDialog(page, 0);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
