// SummaryPage: shows the choices, copies and starts the touch driver, probes the card.
#include "setup.h"
#include "texts.h"
#include "earlier.h"
#include "removal.h"
#include "paths.h"
#include "driver.h"
#include "summary_text.h"
#include "resource.h"

static void ShowSummaryLines(HWND page)
{
    ComposePortLine(MessageText, PanelSettings.ComPort, PanelSettings.ComIrq);
    SetDlgItemTextA(page, IDC_PORT_LINE, MessageText);
    ComposeButtonLine(MessageText, PanelSettings.RightButton);
    SetDlgItemTextA(page, IDC_BUTTON_LINE, MessageText);
}

// The platform loads the driver from the system directory, so the medium's copy replaces
// whatever an earlier run left there; the driver of an earlier completed installation is
// kept aside first, for a run that ends unfinished. A system directory whose path leaves no
// room for the file name gets no copy; the open that follows then decides whether setup
// goes on. NULL, or what tells the user why nothing was copied.
static const char *CopyDriverFile(void)
{
    char target[PATH_BUFFER_SIZE];
    AsideOutcome aside = KeepEarlierInstallationAside();

    if (aside != ASIDE_KEPT)
        return aside == ASIDE_FOLDER_IN_THE_WAY ? ASIDE_FOLDER_TEXT : ASIDE_NOT_KEPT_TEXT;
    if (SystemFilePath(target, DRIVER_FILE_NAME))
        CopyWritableFile(DRIVER_FILE_NAME, target);
    return NULL;
}

// A probe call that fails, or a reply without a status address, is a card that did not
// answer: there is nothing to read.
static BOOL CardAnswers(void)
{
    PanelReply reply;
    LONG status;

    if (!PanelControl(IOCTL_PANEL_PROBE_CARD, 0, 0, &reply))
        return FALSE;
    if (!ReadReplyValue(&reply, 1, &status))
        return FALSE;
    return status == 0;
}

static void EndWithMessage(HWND page, LPCSTR text, LPCSTR caption)
{
    MessageBoxA(page, text, caption, MB_OK | MB_ICONEXCLAMATION);
    EndDialog(page, -1);
}

INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    const char *notCopied;

    switch (message) {
    case WM_INITDIALOG:
        ShowSummaryLines(page);
        if ((notCopied = CopyDriverFile()) != NULL) {
            EndWithMessage(page, notCopied, SETUP_CAPTION);
            SetupAborted = 1;
            break;
        }
        // The driver reads the port from the registry when it loads: save first.
        SavePanelSettings();
        if (!OpenTouchDriver()) {
            EndWithMessage(page, DRIVER_FAILED_TEXT, DRIVER_FAILED_CAPTION);
            SetupAborted = 1;
        }
        break;

    case WM_COMMAND:
        if (!PageTakesCommands(page))
            break;
        if (wParam == IDC_NEXT) {
            if (!CardAnswers()) {
                CloseTouchDriver();
                EndWithMessage(page, NO_CARD_TEXT, NO_CARD_CAPTION);
            } else {
                // The driver stays open for the calibration screen and, once it is
                // accepted, for the finish page.
                OpenPage(IDD_CALIBRATION, page, CalibrationScreen);
                if (CalibrationAccepted == 1)
                    EndDialog(page, 0);
            }
        } else if (wParam == IDC_BACK) {
            CloseTouchDriver();
            EndDialog(page, 0);
        } else if (wParam == IDC_CANCEL) {
            RemoveInstallation();
            CloseTouchDriver();
            EndDialog(page, 0);
            SetupAborted = 1;
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
