// SummaryPage: shows the choices, copies and starts the touch driver, probes the card.
#include "setup.h"
#include "texts.h"
#include "driver.h"
#include "installation.h"
#include "summary_text.h"
#include "resource.h"

static void ShowSummaryLines(HWND page)
{
    ComposePortLine(MessageText, PanelSettings.ComPort, PanelSettings.ComIrq);
    SetDlgItemTextA(page, IDC_PORT_LINE, MessageText);
    ComposeButtonLine(MessageText, PanelSettings.RightButton);
    SetDlgItemTextA(page, IDC_BUTTON_LINE, MessageText);
}

static void EndWithMessage(HWND page, LPCSTR text, LPCSTR caption)
{
    MessageBoxA(page, text, caption, MB_OK | MB_ICONEXCLAMATION);
    EndDialog(page, -1);
}

INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowSummaryLines(page);
        // A copy or save that failed alone is not told: the load decides whether setup goes on.
        if (PrepareDriver() != EXIT_DONE) {
            // Refused: whatever the first pages stored goes too, as the refusal says.
            if (Installation.Refusal) {
                PutMachineBack();
                EndWithMessage(page, Installation.Refusal, SETUP_CAPTION);
            } else
                EndWithMessage(page, DRIVER_FAILED_TEXT, DRIVER_FAILED_CAPTION);
            SetupAborted = 1;
        }
        break;

    case WM_COMMAND:
        if (!PageTakesCommands(page))
            break;
        if (wParam == IDC_NEXT && ProbeCard() != EXIT_DONE) {
            CloseTouchDriver();
            EndWithMessage(page, NO_CARD_TEXT, NO_CARD_CAPTION);
            break;
        }
        if (wParam == IDC_CANCEL)
            PutMachineBack();
        // The driver stays open for the calibration screen and, once it is accepted, for the
        // finish page; Back and Cancel let it go.
        if (wParam == IDC_BACK || wParam == IDC_CANCEL)
            CloseTouchDriver();
        FollowPageChain(page, wParam, IDD_SUMMARY);
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
