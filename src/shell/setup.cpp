// The wizard's process-wide state and the page chain protocol every page follows.
#include "setup.h"

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
