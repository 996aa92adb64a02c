// The wizard's chain state and the protocol every page follows.
#include "setup.h"
#include "resource.h"

int SetupAborted;

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

