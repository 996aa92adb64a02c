// The wizard's process-wide state and the page chain protocol every page follows.
#include "setup.h"
#include "resource.h"

HINSTANCE SetupInstance;
int SetupAborted;
int CalibrationAccepted;
int ScreenWidth;
int ScreenHeight;
char MessageText[MESSAGE_TEXT_SIZE];
CommandSwitches SetupSwitches;

INT_PTR OpenPage(int templateId, HWND owner, DLGPROC procedure)
{
    return DialogBoxParamA(SetupInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

// A picture control loads its bitmap from the template each time the page is made, and
// Wine's leaves it behind when the page goes: a page opened again and again (Back and Next)
// would leak one for each. Taken out of the control first, it is deleted exactly once
// whichever way the control treats an image it holds.
static BOOL CALLBACK ReleasePicture(HWND control, LPARAM)
{
    if ((GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
        HGDIOBJ picture = (HGDIOBJ)SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0);
        if (picture)
            DeleteObject(picture);
    }
    return TRUE;
}

void ReleasePagePictures(HWND page)
{
    EnumChildWindows(page, ReleasePicture, 0);
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

BOOL FollowPageChain(HWND page, WPARAM command, int nextTemplate, DLGPROC nextPage)
{
    if (command != IDC_NEXT && command != IDC_BACK && command != IDC_CANCEL)
        return FALSE;
    if (!PageTakesCommands(page))
        return TRUE;
    if (command == IDC_NEXT) {
        OpenPage(nextTemplate, page, nextPage);
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
