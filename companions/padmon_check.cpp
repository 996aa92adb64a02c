// PADMON's check of the alignment (CheckScreen): nine targets over the whole screen, each touch
// mapped through the stored corners as the driver maps it, then a picture of where the
// touches landed and a verdict. It reads raw points and sends no corners: the alignment
// stays as it is.
#include "companions.h"
#include "companion_resource.h"
#include "alignment_check.h"
#include "calibration_geometry.h"
#include "calibration_screen.h"
#include "driver.h"
#include "program.h"
#include "settings.h"
#include "touch_agreement.h"

static HWND OpenCheck;               // the check screen while it is up
static int CheckTarget;              // the target shown, CHECK_TARGET_COUNT once all are in
static BOOL DriverReadsRaw;          // the driver was put to calibrate (1, 0) and not back
static BOOL CursorHidden;
static ClickRecord OpeningClick;     // the click on Check Alignment
static POINT Offsets[CHECK_TARGET_COUNT];   // where each touch landed against its target
static CheckSummary Summary;
static RECT Box;                     // the text and the buttons, clear of the targets

// Every control of the screen: the two lines shown while collecting, the three of the result,
// the buttons.
static const int ControlIds[7] = { IDC_CHECK_HOW,     IDC_CHECK_PROGRESS, IDC_CHECK_ERRORS, IDC_CHECK_VERDICT,
                                   IDC_CHECK_SCALE,   IDCANCEL,           IDC_CHECK_RETRY };
static const int *const CollectingIds = ControlIds, *const ResultIds = ControlIds + 2;

// Hidden while the targets are touched, as on the calibration screen. The system counts
// shows and hides, so each is made once.
static void HideCursor(BOOL hide)
{
    if (CursorHidden != hide)
        ShowCursor(!hide);
    CursorHidden = hide;
}

// Once the touches are in, and however the check ends, the driver must map touches again: a
// driver left reading raw points would leave the cursor where it is until Windows restarts.
static void StopReadingTouches(void)
{
    if (DriverReadsRaw)
        SetPanelCalibrate(0, 0);
    DriverReadsRaw = FALSE;
    HideCursor(FALSE);
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
    char text[CHECK_TEXT_SIZE];

    StopReadingTouches();
    SumUpCheck(Offsets, ScreenWidth, !CornersAreDefaults(&PanelSettings), &Summary);
    ComposeCheckErrors(text, &Summary);
    SetDlgItemTextA(screen, IDC_CHECK_ERRORS, text);
    ComposeCheckVerdict(text, &Summary);
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
    POINT landed;

    PanelControl(IOCTL_PANEL_READ_POINT, 0, 0, &reply);
    if (!ReadReplyValue(&reply, 0, &raw.X) || !ReadReplyValue(&reply, 1, &raw.Y)) {
        SetDlgItemTextA(screen, IDC_CHECK_PROGRESS, NO_POINT_TEXT);
        return;
    }
    if (!TouchOnScreen(corners, ScreenWidth, ScreenHeight, raw, &landed))
        landed.x = TOUCH_MISS_UNBOUNDED;
    Offsets[CheckTarget] = CheckOffset(landed, centre);
    MessageBeep(0xFFFFFFFF);
    if (++CheckTarget < CHECK_TARGET_COUNT)
        ShowProgress(screen);
    else
        ShowResult(screen);
}

// The template, as it opens, is the box of the text and the buttons: each control keeps its
// place within it when the box moves to its own on the screen.
static void OpenScreen(HWND screen)
{
    RECT place;
    SIZE size;

    OpenCheck = screen;
    OpeningClick = ClickOfMessage();
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    GetClientRect(screen, &place);
    size.cx = place.right;
    size.cy = place.bottom;
    CheckTextBox(ScreenWidth, ScreenHeight, size, &Box);
    for (int i = 0; i < 7; i++) {
        HWND control = GetDlgItem(screen, ControlIds[i]);
        GetWindowRect(control, &place);
        MapWindowPoints(NULL, screen, (POINT *)&place, 1);
        SetWindowPos(control, NULL, Box.left + place.left, Box.top + place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    SetWindowPos(screen, HWND_TOP, 0, 0, ScreenWidth, ScreenHeight, 0);
    SetDlgItemTextA(screen, IDC_CHECK_HOW, CHECK_HOW_TEXT);
    StartCheck(screen);
}

static void DrawStroke(HDC dc, LONG fromX, LONG fromY, LONG toX, LONG toY)
{
    MoveToEx(dc, fromX, fromY, NULL);
    LineTo(dc, toX, toY);
}

// As Polyline draws, by the calls the crosses need anyway: one import fewer. The first point
// is always there; with no second, nothing is drawn.
static void DrawPolyline(HDC dc, const POINT *points, int count)
{
    MoveToEx(dc, points[0].x, points[0].y, NULL);
    for (int i = 1; i < count; i++)
        LineTo(dc, points[i].x, points[i].y);
}

// The line of a touch, times as long as its offset, and where the touch landed, when it is
// drawn true to scale and ends on the screen, a dot.
static void DrawTouchLine(HDC dc, POINT centre, int target, int times)
{
    POINT line[CHECK_LINE_POINTS];
    int count = CheckLine(centre, Offsets[target], times, ScreenWidth, ScreenHeight, line);

    DrawPolyline(dc, line, count);
    if (times == 1 && count == 2)
        Ellipse(dc, line[1].x - 3, line[1].y - 3, line[1].x + 4, line[1].y + 4);
}

// While collecting, the target to touch; then all nine, each touch that missed with its line
// true to scale in blue and, when the errors are small, magnified in red beneath it. The box
// of the text and the buttons is left out of every line, and a line that would leave the
// screen ends in an arrow head at its edge.
static void DrawPicture(HWND screen)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(screen, &paint);
    BOOL done = CheckTarget == CHECK_TARGET_COUNT;
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0)), blue = CreatePen(PS_SOLID, 2, RGB(0, 0, 192));
    HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    POINT frame[5] = { { Box.left, Box.top }, { Box.right - 1, Box.top }, { Box.right - 1, Box.bottom - 1 },
                            { Box.left, Box.bottom - 1 }, { Box.left, Box.top } };

    DrawPolyline(dc, frame, 5);
    ExcludeClipRect(dc, Box.left, Box.top, Box.right, Box.bottom);
    for (int i = done ? 0 : CheckTarget; i < CHECK_TARGET_COUNT && (done || i == CheckTarget); i++) {
        POINT c = CheckTargetCentre(i, ScreenWidth, ScreenHeight);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        Ellipse(dc, c.x - 12, c.y - 12, c.x + 13, c.y + 13);
        DrawStroke(dc, c.x - 18, c.y, c.x + 19, c.y);
        DrawStroke(dc, c.x, c.y - 18, c.x, c.y + 19);
        if (!done || !Summary.aligned || Summary.worst == TOUCH_MISS_UNBOUNDED)
            continue;
        if (Summary.magnification >= 2) {
            SelectObject(dc, red);
            DrawTouchLine(dc, c, i, Summary.magnification);
        }
        SelectObject(dc, blue);
        DrawTouchLine(dc, c, i, 1);
    }
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(screen, &paint);
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
        // A second half of a double click on Check Alignment lands on the screen: it is no touch.
        if (CheckTarget < CHECK_TARGET_COUNT && !RepeatsClick(&OpeningClick))
            TakeTouch(screen);
        break;
    case WM_PAINT:
        DrawPicture(screen);
        break;
    case WM_COMMAND:
        if (wParam == IDCANCEL)
            EndAlignmentCheck();
        else if (wParam == IDC_CHECK_RETRY)
            StartCheck(screen);
        break;
    case WM_ENDSESSION:
        // The process ends next, without another message: a log-off leaves Windows running.
        if (wParam)
            StopReadingTouches();
        break;
    case WM_DESTROY:
        StopReadingTouches();
        OpenCheck = NULL;
        break;
    }
    return 0;
}

void EndAlignmentCheck(void)
{
    if (OpenCheck) {
        StopReadingTouches();
        EndDialog(OpenCheck, 0);
    }
}
