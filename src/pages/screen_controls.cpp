// The controls and clicks of a screen of targets over the whole display: the calibration
// screen's, and PADMON's check's. Apart from the calibration screen itself, which takes the
// installation's step on OK: the check links these alone.
#include "calibration_screen.h"

void ShowControls(HWND screen, const int *ids, int count, int how)
{
    for (int i = 0; i < count; i++)
        ShowWindow(GetDlgItem(screen, ids[i]), how);
}

ClickRecord ClickOfMessage(void)
{
    DWORD position = GetMessagePos();
    ClickRecord click;

    click.time = (DWORD)GetMessageTime();
    click.at.x = (short)LOWORD(position);
    click.at.y = (short)HIWORD(position);
    return click;
}

BOOL RepeatsClick(const ClickRecord *earlier)
{
    ClickRecord click = ClickOfMessage();

    return SecondHalfOfDoubleClick(earlier, &click, GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK),
                                   GetSystemMetrics(SM_CYDOUBLECLK));
}
