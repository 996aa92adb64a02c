// What every program of the installation shares: its instance, the message line, the screen's
// size, the dialogs it opens.
#include "program.h"

HINSTANCE SetupInstance;
char MessageText[MESSAGE_TEXT_SIZE];
int ScreenWidth;
int ScreenHeight;

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
