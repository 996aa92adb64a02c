// The wizard's chain state and the protocol every page follows.
#include "setup.h"
#include "resource.h"
#include "page_chain.h"
#include "calibration_screen.h"
#include "driver.h"
#include "earlier.h"
#include "installation.h"
#include "silent_setup.h"

int SetupAborted;
int CalibrationAccepted;
int ScreenWidth;
int ScreenHeight;

void ResetSetupRun(void)
{
    SetupAborted = 0;
    CalibrationAccepted = 0;
    ScreenWidth = 0;
    ScreenHeight = 0;
    ZeroMemory(&SetupSwitches, sizeof SetupSwitches);
    ZeroMemory(MessageText, sizeof MessageText);
    ZeroMemory(&PanelSettings, sizeof PanelSettings);
    ZeroMemory(&PrevSelection, sizeof PrevSelection);
    ZeroMemory(&FirstLoad, sizeof FirstLoad);
    DriverHandle = NULL;
    CaptureActive = 0;
    PointIndex = 0;
    ZeroMemory(TouchedPoints, sizeof TouchedPoints);
    ZeroMemory(&Installation, sizeof Installation);
}

BOOL ChainUnwinding(void)
{
    return SetupAborted == 1 || CalibrationAccepted == 1;
}

// The dialog manager disables a page while a modal window it owns is up. A command that
// reaches the page then was queued before that window opened: a second Next would open a
// second next page over the first.
BOOL PageTakesCommands(HWND page)
{
    return IsWindowEnabled(page);
}

// The page procedures in the chain's order.
static const DLGPROC ChainPages[SETUP_CHAIN_LENGTH] = { WelcomePage, PortPage, RightButtonPage, SummaryPage,
                                                        CalibrationScreen };

INT_PTR OpenNextPage(HWND page, int thisTemplate)
{
    int next = 0;

    for (int i = 0; i + 1 < SETUP_CHAIN_LENGTH; i++)
        if (SetupChain[i] == thisTemplate)
            next = i + 1;
    return OpenPage(SetupChain[next], page, ChainPages[next]);
}

BOOL FollowPageChain(HWND page, WPARAM command, int thisTemplate)
{
    if (command != IDC_NEXT && command != IDC_BACK && command != IDC_CANCEL)
        return FALSE;
    if (!PageTakesCommands(page))
        return TRUE;
    if (command == IDC_NEXT) {
        OpenNextPage(page, thisTemplate);
        if (ChainUnwinding())
            EndDialog(page, 0);
    } else if (command == IDC_BACK) {
        EndDialog(page, 0);
    } else {
        EndDialog(page, 0);
        SetupAborted = 1;
    }
    return TRUE;
}
