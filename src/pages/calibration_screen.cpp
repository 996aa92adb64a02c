// CalibrationScreen: four-point alignment of the touch panel to the display.
#include "setup.h"
#include "resource.h"
#include "calibration.h"

int CaptureActive;
int PointIndex;
RawPoint TouchedPoints[4];

INT_PTR CALLBACK CalibrationScreen(HWND screen, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_COMMAND:
        if (wParam == IDC_OK) {
            CalibrationAccepted = 1;
            EndDialog(screen, 0);
        } else if (wParam == IDC_CANCEL) {
            EndDialog(screen, 0);
        }
        break;
    }
    return 0;
}
