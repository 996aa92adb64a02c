// The chain of pages that Next leads through, and what Next, Back and Cancel do in it.
#include "setup.h"
#include "resource.h"
#include "page_chain.h"

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
        // The pages below close too. The first page has none below it, and leaves the flag as
        // it began the run.
        if (thisTemplate != SetupChain[0])
            SetupAborted = 1;
    }
    return TRUE;
}
