// SummaryPage: shows the choices, copies and starts the touch driver, probes the card.
#include "setup.h"
#include "settings.h"
#include "driver.h"
#include "resource.h"

INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDC_NEXT) {
            OpenPage(IDD_CALIBRATION, page, CalibrationScreen);
            if (CalibrationAccepted == 1)
                EndDialog(page, 0);
        } else if (wParam == IDC_BACK) {
            EndDialog(page, 0);
        } else if (wParam == IDC_CANCEL) {
            RemoveInstallation();
            EndDialog(page, 0);
            SetupAborted = 1;
        }
        break;
    }
    return 0;
}
