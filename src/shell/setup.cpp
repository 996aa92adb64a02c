// The wizard's process-wide state and the page chain protocol every page follows.
#include "setup.h"
#include "resource.h"

HINSTANCE SetupInstance;
int SetupAborted;
int CalibrationAccepted;
int ScreenWidth;
int ScreenHeight;
char MessageText[MESSAGE_TEXT_SIZE];

void OpenPage(int templateId, HWND owner, DLGPROC procedure)
{
    DialogBoxParamA(SetupInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
}

BOOL ChainUnwinding(void)
{
    return SetupAborted == 1 || CalibrationAccepted == 1;
}

BOOL FollowPageChain(HWND page, WPARAM command, int nextTemplate, DLGPROC nextPage)
{
    if (command == IDC_NEXT) {
        OpenPage(nextTemplate, page, nextPage);
        if (ChainUnwinding())
            EndDialog(page, 0);
    } else if (command == IDC_BACK) {
        EndDialog(page, 0);
    } else if (command == IDC_CANCEL) {
        EndDialog(page, 0);
        SetupAborted = 1;
    } else {
        return FALSE;
    }
    return TRUE;
}
