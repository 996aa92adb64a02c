// ALIGNER's calibration screen: setup's own, with each touch held to the others and a fifth
// target at the centre that measures the alignment the four touches gave.
#include "companions.h"
#include "calibration_screen.h"
#include "touch_agreement.h"
#include "resource.h"
#include "program.h"

#define RESOURCE_NAME_OF(id) "#" #id
#define RESOURCE_NAME(id) RESOURCE_NAME_OF(id)

static const int InstructionIds[5] = { IDC_HOW_1, IDC_HOW_2, IDC_HOW_3, IDC_HOW_4, IDC_HOW_5 };

// The screen's two additions, placed from its centre. The centre target is the same 32-pixel
// bitmap as the others; the note is as wide as the instructions and two lines tall, between
// the test lines and the buttons.
struct Addition {
    int id;
    const char *text;
    DWORD style;
    int x, y, width, height;
};
static const Addition CentreTarget = { IDC_TARGET_CENTRE, RESOURCE_NAME(IDB_TARGET), WS_CHILD | SS_BITMAP, -16, -16, 32, 32 };
static const Addition Note = { IDC_ALIGN_NOTE, "", WS_CHILD, -250, 56, 500, 34 };
// The centre target's own line, where the first instruction line was: the instructions are
// about the four corners.
static const Addition CentreHow = { IDC_ALIGN_CENTRE_HOW, CENTRE_TARGET_TEXT, WS_CHILD, -250, -80, 500, 16 };

static int RefusedInARow;

static void ShowItem(HWND screen, int id, int how)
{
    ShowWindow(GetDlgItem(screen, id), how);
}

// The note line; an empty one is hidden.
static void ShowNote(HWND screen, const char *text)
{
    SetDlgItemTextA(screen, IDC_ALIGN_NOTE, text);
    ShowItem(screen, IDC_ALIGN_NOTE, *text ? SW_SHOW : SW_HIDE);
}

// In the screen's own font, as the template's lines.
static void Add(HWND screen, const Addition *a)
{
    HWND control = CreateWindowExA(0, "STATIC", a->text, a->style, ScreenWidth / 2 + a->x, ScreenHeight / 2 + a->y,
                                   a->width, a->height, screen, (HMENU)a->id, SetupInstance, NULL);

    SendMessageA(control, WM_SETFONT, SendMessageA(screen, WM_GETFONT, 0, 0), FALSE);
}

// The centre's touch, mapped through the corners just sent as the driver maps it, tells the
// user how well the four touches aligned the panel before they try it.
static void MeasureAtCentre(HWND screen, const RawPoint *point)
{
    PanelCorners corners;
    char text[128];
    LONG error, good = GoodAlignmentPixels(ScreenWidth);

    ExtrapolateCorners(TouchedPoints, &corners);
    error = CentreTouchError(&corners, ScreenWidth, ScreenHeight, *point);
    // The figure with what it means: OK keeps it, or a new round is worth asking for.
    wsprintfA(text, error > good ? ALIGNMENT_RETRY_FORMAT : ALIGNMENT_GOOD_FORMAT, error, good);
    ShowItem(screen, IDC_TARGET_CENTRE, SW_HIDE);
    ShowItem(screen, IDC_ALIGN_CENTRE_HOW, SW_HIDE);
    ShowNote(screen, text);
    MessageBeep(0xFFFFFFFF);
    EnterCalibrationTesting(screen);
}

// A touch far from where its partners put its target slipped: it does not count.
static BOOL HoldTouchToTheOthers(HWND screen, const RawPoint *point)
{
    int k = PointIndex, verdict;

    if (k == 4) {
        MeasureAtCentre(screen, point);
        return TRUE;
    }
    TouchedPoints[k] = *point;
    verdict = JudgeTouch(TouchedPoints, k, ScreenWidth, ScreenHeight, &RefusedInARow);
    if (verdict == TOUCH_COUNTS) {
        ShowNote(screen, "");
        return FALSE;
    }
    MessageBeep(MB_ICONHAND);
    // The touch that showed the top row's slip is itself on its target: the note says so.
    ShowNote(screen, verdict == TOUCH_ROW_STARTS_AGAIN ? ROW_REFUSED_TEXT : TOUCH_REFUSED_TEXT);
    if (verdict != TOUCH_REFUSED) {
        ShowItem(screen, CalibrationTargetIds[k], SW_HIDE);
        ShowItem(screen, CalibrationTargetIds[0], SW_SHOW);
        PointIndex = 0;
    }
    return TRUE;
}

// The centre target would lie over the last instruction lines; its own line takes their place.
static BOOL ShowCentreTarget(HWND screen)
{
    for (int i = 0; i < 5; i++)
        ShowItem(screen, InstructionIds[i], SW_HIDE);
    ShowItem(screen, IDC_TARGET_CENTRE, SW_SHOW);
    ShowItem(screen, IDC_ALIGN_CENTRE_HOW, SW_SHOW);
    return TRUE;
}

// Setup's screen promises a reboot message after OK; here OK only keeps the alignment.
INT_PTR CALLBACK AlignerScreen(HWND screen, UINT message, WPARAM wParam, LPARAM lParam)
{
    CalibrationScreen(screen, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        CalibrationTouchTaken = HoldTouchToTheOthers;
        CalibrationCornersSent = ShowCentreTarget;
        RefusedInARow = 0;
        Add(screen, &CentreTarget);
        Add(screen, &Note);
        Add(screen, &CentreHow);
        SetDlgItemTextA(screen, IDC_TRY_2, ALIGNER_TEST_TEXT);
    } else if (message == WM_COMMAND && wParam == IDC_RETRY) {
        // A new round: no refusal counts against it, and the last round's note goes.
        RefusedInARow = 0;
        ShowNote(screen, "");
    } else if (message == WM_ENDSESSION && wParam) {
        // The process ends next, without another message: a log-off leaves Windows running,
        // and the driver with whatever it was last sent.
        RestoreStoredAlignment();
    } else if (message == WM_DESTROY) {
        CalibrationTouchTaken = NULL;
        CalibrationCornersSent = NULL;
    }
    return 0;
}
