// PADMON's check of the alignment (CheckScreen): nine targets over the whole screen, each touch
// mapped through the stored corners as the driver maps it, then a picture of where the
// touches landed and a verdict. It reads raw points and sends no corners: the alignment
// stays as it is.
#include "companions.h"
#include "companion_resource.h"
#include "alignment_check.h"
#include "calibration_geometry.h"
#include "driver.h"
#include "program.h"
#include "settings.h"
#include "setup.h"
#include "touch_agreement.h"

static HWND OpenCheck;               // the check screen while it is up
static int CheckTarget;              // the target shown, CHECK_TARGET_COUNT once all are in
static BOOL DriverReadsRaw;          // the driver was put to calibrate (1, 0) and not back
static BOOL CursorHidden;
static ClickRecord OpeningClick;     // the click on Check Alignment
static POINT Landed[CHECK_TARGET_COUNT];
static LONG Errors[CHECK_TARGET_COUNT];
static CheckSummary Summary;

static const int CollectingIds[2] = { IDC_CHECK_HOW, IDC_CHECK_PROGRESS };
static const int ResultIds[3] = { IDC_CHECK_ERRORS, IDC_CHECK_VERDICT, IDC_CHECK_SCALE };

// The lines of text and the buttons, placed from the screen's centre between the rows of
// targets and clear of the lines the picture draws around them.
static const struct { short id, x, y; } Places[] = {
    { IDC_CHECK_HOW, -250, -140 }, { IDC_CHECK_PROGRESS, -250, -120 }, { IDC_CHECK_ERRORS, -250, -140 },
    { IDC_CHECK_VERDICT, -250, -120 }, { IDC_CHECK_SCALE, -250, -84 }, { IDCANCEL, -110, 70 },
    { IDC_CHECK_RETRY, 10, 70 },
};

static void ShowControls(HWND screen, const int *ids, int count, int how)
{
    for (int i = 0; i < count; i++)
        ShowWindow(GetDlgItem(screen, ids[i]), how);
}

// Hidden while the targets are touched, as on the calibration screen. The system counts
// shows and hides, so each is made once.
static void HideCursor(BOOL hide)
{
    if (CursorHidden != hide)
        ShowCursor(!hide);
    CursorHidden = hide;
}

// However the check ends, the driver must map touches again: a driver left reading raw
// points would leave the cursor where it is until Windows restarts.
static void BackToMapping(void)
{
    if (DriverReadsRaw)
        SetPanelCalibrate(0, 0);
    DriverReadsRaw = FALSE;
}

static void ShowProgress(HWND screen)
{
    char text[32];

    wsprintfA(text, CHECK_PROGRESS_FORMAT, CheckTarget + 1);
    SetDlgItemTextA(screen, IDC_CHECK_PROGRESS, text);
    InvalidateRect(screen, NULL, TRUE);
}

static void StartCheck(HWND screen)
{
    CheckTarget = 0;
    SetPanelCalibrate(1, 0);
    DriverReadsRaw = TRUE;
    HideCursor(TRUE);
    ShowControls(screen, ResultIds, 3, SW_HIDE);
    ShowControls(screen, CollectingIds, 2, SW_SHOW);
    EnableWindow(GetDlgItem(screen, IDC_CHECK_RETRY), FALSE);
    SendMessageA(screen, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(screen, IDCANCEL), TRUE);
    ShowProgress(screen);
}

static void ShowResult(HWND screen)
{
    char text[128];

    BackToMapping();
    HideCursor(FALSE);
    SumUpCheck(Errors, &Summary);
    ComposeCheckErrors(text, &Summary);
    SetDlgItemTextA(screen, IDC_CHECK_ERRORS, text);
    ComposeCheckVerdict(text, &Summary, ScreenWidth);
    SetDlgItemTextA(screen, IDC_CHECK_VERDICT, text);
    ComposeCheckScale(text, &Summary);
    SetDlgItemTextA(screen, IDC_CHECK_SCALE, text);
    ShowControls(screen, CollectingIds, 2, SW_HIDE);
    ShowControls(screen, ResultIds, 3, SW_SHOW);
    EnableWindow(GetDlgItem(screen, IDC_CHECK_RETRY), TRUE);
    InvalidateRect(screen, NULL, TRUE);
}

static void TakeTouch(HWND screen)
{
    const PanelCorners *corners = &PanelSettings.Corners;
    POINT centre = CheckTargetCentre(CheckTarget, ScreenWidth, ScreenHeight);
    PanelReply reply;
    RawPoint raw;

    PanelControl(IOCTL_PANEL_READ_POINT, 0, 0, &reply);
    if (!ReadReplyValue(&reply, 0, &raw.X) || !ReadReplyValue(&reply, 1, &raw.Y)) {
        SetDlgItemTextA(screen, IDC_CHECK_PROGRESS, NO_POINT_TEXT);
        return;
    }
    Errors[CheckTarget] = TouchErrorAt(corners, ScreenWidth, ScreenHeight, raw, centre);
    if (!TouchOnScreen(corners, ScreenWidth, ScreenHeight, raw, &Landed[CheckTarget]))
        Landed[CheckTarget] = centre;
    MessageBeep(0xFFFFFFFF);
    if (++CheckTarget < CHECK_TARGET_COUNT)
        ShowProgress(screen);
    else
        ShowResult(screen);
}

static ClickRecord ClickOfMessage(void)
{
    DWORD position = GetMessagePos();
    ClickRecord click = { (DWORD)GetMessageTime(), { (short)LOWORD(position), (short)HIWORD(position) } };

    return click;
}

// A second half of a double click on Check Alignment lands on the screen: it is no touch.
static BOOL OpeningDoubleClick(void)
{
    ClickRecord click = ClickOfMessage();

    return SecondHalfOfDoubleClick(&OpeningClick, &click, GetDoubleClickTime(), GetSystemMetrics(SM_CXDOUBLECLK),
                                   GetSystemMetrics(SM_CYDOUBLECLK));
}

static void OpenScreen(HWND screen)
{
    OpenCheck = screen;
    OpeningClick = ClickOfMessage();
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(screen, HWND_TOP, 0, 0, ScreenWidth, ScreenHeight, 0);
    for (int i = 0; i < (int)(sizeof Places / sizeof Places[0]); i++)
        SetWindowPos(GetDlgItem(screen, Places[i].id), HWND_TOP, ScreenWidth / 2 + Places[i].x,
                     ScreenHeight / 2 + Places[i].y, 0, 0, SWP_NOSIZE);
    SetDlgItemTextA(screen, IDC_CHECK_HOW, CHECK_HOW_TEXT);
    StartCheck(screen);
}

// A line from a target's centre towards where its touch landed, times as long. The landing
// point is held within a screen's size of the screen: Windows 95 draws in 16-bit coordinates.
static void DrawLine(HDC dc, POINT from, POINT to, int times)
{
    LONG dx = to.x - from.x, dy = to.y - from.y;

    dx = dx > ScreenWidth ? ScreenWidth : dx < -ScreenWidth ? -ScreenWidth : dx;
    dy = dy > ScreenHeight ? ScreenHeight : dy < -ScreenHeight ? -ScreenHeight : dy;
    MoveToEx(dc, from.x, from.y, NULL);
    LineTo(dc, from.x + dx * times, from.y + dy * times);
}

// While collecting, the target to touch; then all nine, each with its line true to scale in
// blue and, when the errors are small, magnified in red beneath it.
static void DrawPicture(HWND screen)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(screen, &paint);
    BOOL done = CheckTarget == CHECK_TARGET_COUNT;
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), blue = CreatePen(PS_SOLID, 2, RGB(0, 0, 192));
    HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));

    for (int i = done ? 0 : CheckTarget; i < CHECK_TARGET_COUNT && (done || i == CheckTarget); i++) {
        POINT c = CheckTargetCentre(i, ScreenWidth, ScreenHeight);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, c.x - 12, c.y - 12, c.x + 13, c.y + 13);
        DrawLine(dc, POINT{ c.x - 18, c.y }, POINT{ c.x + 19, c.y }, 1);
        DrawLine(dc, POINT{ c.x, c.y - 18 }, POINT{ c.x, c.y + 19 }, 1);
        if (!done || Errors[i] == TOUCH_MISS_UNBOUNDED)
            continue;
        if (Summary.magnification >= 2) {
            SelectObject(dc, red);
            DrawLine(dc, c, Landed[i], Summary.magnification);
        }
        SelectObject(dc, blue);
        DrawLine(dc, c, Landed[i], 1);
        Ellipse(dc, Landed[i].x - 3, Landed[i].y - 3, Landed[i].x + 4, Landed[i].y + 4);
    }
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(screen, &paint);
}

static void LeaveCheck(void)
{
    BackToMapping();
    HideCursor(FALSE);
}

static void CloseCheck(HWND screen)
{
    LeaveCheck();
    EndDialog(screen, 0);
}

void EndAlignmentCheck(void)
{
    if (OpenCheck)
        CloseCheck(OpenCheck);
}

// Close, Escape and Alt+F4 come as IDCANCEL; PADMON's own window ends the check through
// EndAlignmentCheck before it closes the driver; a session that ends is told.
INT_PTR CALLBACK CheckScreen(HWND screen, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenScreen(screen);
        break;
    case WM_LBUTTONUP:
        if (CheckTarget < CHECK_TARGET_COUNT && !OpeningDoubleClick())
            TakeTouch(screen);
        break;
    case WM_PAINT:
        DrawPicture(screen);
        break;
    case WM_COMMAND:
        if (wParam == IDCANCEL)
            CloseCheck(screen);
        else if (wParam == IDC_CHECK_RETRY)
            StartCheck(screen);
        break;
    case WM_ENDSESSION:
        // The process ends next, without another message: a log-off leaves Windows running.
        if (wParam)
            LeaveCheck();
        break;
    case WM_DESTROY:
        LeaveCheck();
        OpenCheck = NULL;
        break;
    }
    return 0;
}
