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
        FollowPageChain(page, wParam, IDD_WELCOME);
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
