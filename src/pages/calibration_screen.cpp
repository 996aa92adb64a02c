// CalibrationScreen: four-point alignment of the touch panel to the display. Setup opens it
// from the summary page; ALIGNER.EXE (companions/aligner.cpp) runs the same screen over the
// installed driver.
#include "setup.h"
#include "settings.h"
#include "driver.h"
#include "resource.h"
#include "calibration_screen.h"
#include "installation.h"

int CalibrationAccepted;
int CaptureActive;
int PointIndex;
RawPoint TouchedPoints[4];
BOOL (*CalibrationTouchTaken)(HWND screen, const RawPoint *point);
BOOL (*CalibrationCornersSent)(HWND screen);

// The heading and the five instruction lines, shown together while collecting.
static const int CollectingIds[6] = {
    IDC_HOW_1, IDC_HOW_2, IDC_HOW_3, IDC_HOW_4, IDC_HOW_5, IDC_ALIGN_TITLE,
};

static const int TestingIds[2] = { IDC_TRY_1, IDC_TRY_2 };

static const int ChoiceIds[2] = { IDC_OK, IDC_RETRY };

static void EnableControls(HWND screen, const int *ids, int count, BOOL enable)
{
    for (int i = 0; i < count; i++)
        EnableWindow(GetDlgItem(screen, ids[i]), enable);
}

// The dialog manager moves the default push button with this focus change; a plain
// SetFocus would draw OK as the default while Enter still ran the template's default, Cancel.
static void FocusControl(HWND screen, int id)
{
    SendMessageA(screen, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(screen, id), TRUE);
}

// The user's last click that counted: an accepted touch, Retry, or the click (the summary's
// Next) that opened the screen. Its second half, were it a double click, must not count again.
static ClickRecord LastClick;
static BOOL LastClickOpenedScreen;

static void RememberClick(BOOL opening)
{
    LastClick = ClickOfMessage();
    LastClickOpenedScreen = opening;
}

// The targets must lie a tenth of the display in from its edges, and the layout is in
// client pixels, so the client area has to be the whole display: the template's modal
// frame would inset it by the frame's width and shift every corner the touches give.
static void DropFrame(HWND screen)
{
    SetWindowLongA(screen, GWL_EXSTYLE, GetWindowLongA(screen, GWL_EXSTYLE) &
                   ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    SetWindowLongA(screen, GWL_STYLE, GetWindowLongA(screen, GWL_STYLE) &
                   ~(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME));
}

// The screen covers the whole display; every control keeps its template size.
static void LayOutControls(HWND screen)
{
    ControlPlace places[CALIBRATION_CONTROL_COUNT];

    DropFrame(screen);
    // SWP_FRAMECHANGED makes the dropped frame take effect with the new size.
    SetWindowPos(screen, HWND_TOP, 0, 0, ScreenWidth, ScreenHeight, SWP_FRAMECHANGED);
    LayOutCalibrationScreen(ScreenWidth, ScreenHeight, places);
    for (int i = 0; i < CALIBRATION_CONTROL_COUNT; i++) {
        SetWindowPos(GetDlgItem(screen, places[i].id), HWND_TOP, places[i].x, places[i].y, 0, 0,
                     SWP_NOSIZE);
        if (places[i].id == IDC_DISPLAY_SIZE) {
            wsprintfA(MessageText, "Display :  %d X %d", ScreenWidth, ScreenHeight);
            SetDlgItemTextA(screen, IDC_DISPLAY_SIZE, MessageText);
        }
    }
}

static void OpenScreen(HWND screen)
{
    RememberClick(TRUE);
    SetPanelCalibrate(1, 0);
    CaptureActive = 1;
    PointIndex = 0;
    ShowControls(screen, CalibrationTargetIds, 4, SW_HIDE);
    ShowControls(screen, CollectingIds, 6, SW_HIDE);
    ShowControls(screen, TestingIds, 2, SW_HIDE);
    ShowCursor(FALSE);
    FocusControl(screen, IDC_CANCEL);
    EnableControls(screen, ChoiceIds, 2, FALSE);
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    LayOutControls(screen);
    ShowWindow(GetDlgItem(screen, IDC_TARGET_LEFT_UP), SW_SHOW);
    ShowControls(screen, CollectingIds, 6, SW_SHOW);
}

// The corners go into the record (saved later, by the finish page) and to the driver, which
// maps touches by them from the calibrate (1, 1) on. Corners without a span on an edge are
// neither: the driver would divide by that span. FALSE for those.
static BOOL HandOverCorners(void)
{
    PanelCorners corners;

    ExtrapolateCorners(TouchedPoints, &corners);
    if (!CornersSpanThePanel(&corners))
        return FALSE;
    PanelSettings.Corners = corners;
    SetPanelCorners(&corners);
    return TRUE;
}

void EnterCalibrationTesting(HWND screen)
{
    SetPanelCalibrate(0, 0);
    EnableControls(screen, ChoiceIds, 2, TRUE);
    FocusControl(screen, IDC_OK);
    CaptureActive = 0;
    ShowCursor(TRUE);
    ShowControls(screen, CollectingIds, 6, SW_HIDE);
    ShowControls(screen, TestingIds, 2, SW_SHOW);
}

static void TakeTouch(HWND screen)
{
    PanelReply reply;
    RawPoint point;
    int k = PointIndex;

    // A release the driver gives no position for was no touch on the target: reading
    // through a missing address would fault, and a guessed point would skew every corner.
    PanelControl(IOCTL_PANEL_READ_POINT, 0, 0, &reply);
    if (!ReadReplyValue(&reply, 0, &point.X) || !ReadReplyValue(&reply, 1, &point.Y))
        return;

    RememberClick(FALSE);
    if (CalibrationTouchTaken && CalibrationTouchTaken(screen, &point))
        return;
    ShowWindow(GetDlgItem(screen, CalibrationTargetIds[k]), SW_HIDE);
    TouchedPoints[k] = point;
    // Four touches whose corners the driver cannot use missed their targets: the driver
    // stays in calibration and the round starts again from the first target.
    if (k == 3 && !HandOverCorners()) {
        MessageBeep(MB_ICONEXCLAMATION);
        PointIndex = 0;
        ShowWindow(GetDlgItem(screen, CalibrationTargetIds[0]), SW_SHOW);
        return;
    }
    if (k < 3)
        ShowWindow(GetDlgItem(screen, CalibrationTargetIds[k + 1]), SW_SHOW);
    PointIndex = k + 1;
    MessageBeep(0xFFFFFFFF);
    if (PointIndex == 4 && !(CalibrationCornersSent && CalibrationCornersSent(screen)))
        EnterCalibrationTesting(screen);
}

static void RetryCalibration(HWND screen)
{
    RememberClick(FALSE);
    ShowCursor(FALSE);
    FocusControl(screen, IDC_CANCEL);
    ShowWindow(GetDlgItem(screen, IDC_TARGET_LEFT_UP), SW_SHOW);
    EnableControls(screen, ChoiceIds, 2, FALSE);
    SetPanelCalibrate(1, 0);
    PointIndex = 0;
    CaptureActive = 1;
    ShowControls(screen, TestingIds, 2, SW_HIDE);
    ShowControls(screen, CollectingIds, 6, SW_SHOW);
}

static void AcceptCalibration(HWND screen)
{
    // The corners went to the driver at the fourth touch.
    AcceptCorners(NULL, TRUE);
    CaptureActive = 0;
    CalibrationAccepted = 1;
    EndDialog(screen, 0);
}

// No driver call: the driver stays as it is, in calibration if that was under way.
static void CancelCalibration(HWND screen)
{
    // The cursor is hidden exactly while collecting; testing has already shown it, and a
    // second show would leave it counted up for the rest of the session.
    if (CaptureActive == 1)
        ShowCursor(TRUE);
    CaptureActive = 0;
    EndDialog(screen, 0);
}

INT_PTR CALLBACK CalibrationScreen(HWND screen, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenScreen(screen);
        break;

    case WM_LBUTTONUP:
        if (CaptureActive == 1 && !RepeatsClick(&LastClick))
            TakeTouch(screen);
        break;

    case WM_COMMAND:
        // Cancel appears where the summary's Next was: a double click on Next must not
        // throw the screen away with its second half. Only that click counts here, since a
        // key's message carries the cursor's place too: Enter just after Retry is meant.
        if (wParam == IDC_OK)
            AcceptCalibration(screen);
        else if (wParam == IDC_CANCEL && !(LastClickOpenedScreen && RepeatsClick(&LastClick)))
            CancelCalibration(screen);
        else if (wParam == IDC_RETRY)
            RetryCalibration(screen);
        break;

    case WM_DESTROY:
        ReleasePagePictures(screen);
        break;
    }
    return 0;
}
