// The user of the fault matrix, acting from a thread timer inside every modal loop.
#include "fault_user.h"
#include "companion_resource.h"
#include "dialog_driver.h"
#include "resource.h"
#include "setup.h"

#include <gtest/gtest.h>
#include <map>

namespace {

// A page that opens this often has not let the user through; Cancel ends it.
const int PatienceVisits = 3;
// How long a page may stay without visible effect before the user acts on it again.
const DWORD RetryMs = 600;

struct User {
    Walk walk;
    DWORD started;
    DWORD timeoutMs;
    std::vector<std::string> seen;
    HWND lastWindow = NULL;
    DWORD lastAction = 0;
    int lastTarget = 0;
    std::map<int, int> visits;
    bool busy = false;
    bool gaveUp = false;
};

User *Current;

void Press(HWND window, int id)
{
    HWND button = GetDlgItem(window, id);
    PostMessageA(button ? button : window, BM_CLICK, 0, 0);
}

// The cursor moves there and the window gets the release, as the touch driver delivers it.
void TouchCentre(HWND window, int id)
{
    RECT r = ControlRect(window, id);
    POINT centre = { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    SetCursorPos(centre.x, centre.y);
    ScreenToClient(window, &centre);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
}

int VisibleTarget(HWND screen)
{
    for (int id : CalibrationTargets)
        if (ControlVisible(screen, id))
            return id;
    return ControlVisible(screen, IDC_TARGET_CENTRE) ? IDC_TARGET_CENTRE : 0;
}

// A window the user has not acted on yet, or one that ignored the last action for a while.
bool Due(User &u, HWND window)
{
    return window != u.lastWindow || GetTickCount() - u.lastAction > RetryMs;
}

void Acted(User &u, HWND window)
{
    u.lastWindow = window;
    u.lastAction = GetTickCount();
}

void AnswerBox(User &u, HWND box, const MessageBoxSeen &seen)
{
    if (box == u.lastWindow)
        return;
    u.seen.push_back("box " + seen.caption + ": " + seen.text);
    Press(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
    Acted(u, box);
}

void OnCalibration(User &u, HWND screen)
{
    if (ControlEnabled(screen, IDC_OK)) {
        if (Due(u, screen) || u.lastTarget != 0) {
            Press(screen, IDC_OK);
            u.lastTarget = 0;
            Acted(u, screen);
        }
        return;
    }
    int target = VisibleTarget(screen);
    if (target && (target != u.lastTarget || Due(u, screen))) {
        TouchCentre(screen, target);
        u.lastTarget = target;
        Acted(u, screen);
    }
}

void OnPage(User &u, HWND page, int templateId)
{
    if (page != u.lastWindow && ++u.visits[templateId] > PatienceVisits && templateId != IDD_FINISH) {
        u.gaveUp = true;
        Press(page, IDC_CANCEL);
        Acted(u, page);
        return;
    }
    if (templateId == IDD_CALIBRATION) {
        OnCalibration(u, page);
        return;
    }
    if (!Due(u, page))
        return;
    switch (templateId) {
    case IDD_SUMMARY:
        Press(page, u.walk == CANCEL_ON_SUMMARY ? IDC_CANCEL : IDC_NEXT);
        break;
    case IDD_FINISH:
        if (!ControlEnabled(page, IDC_REBOOT))
            return;
        u.seen.push_back("finish: " + ControlText(page, IDC_PROGRESS));
        Press(page, IDC_REBOOT);
        break;
    default:
        Press(page, IDC_NEXT);
        break;
    }
    Acted(u, page);
}

void OnCompanion(User &u, HWND window)
{
    if (!Due(u, window))
        return;
    if (GetDlgItem(window, IDC_PADMON_TEST_AREA)) {
        if (u.lastWindow != window) {
            TouchCentre(window, IDC_PADMON_TEST_AREA);
        } else {
            u.seen.push_back("monitor: " + ControlText(window, IDC_PADMON_POINT));
            Press(window, IDCANCEL);
        }
    } else if (GetDlgItem(window, IDC_TUNER_MODE3)) {
        if (u.lastWindow != window)
            Press(window, IDC_TUNER_MODE3);
        else
            Press(window, IDOK);
    }
    Acted(u, window);
}

BOOL CALLBACK EndEveryDialog(HWND window, LPARAM)
{
    EndDialog(window, 0);
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    User &u = *Current;
    if (u.busy)
        return;
    u.busy = true;
    HWND active = GetActiveWindow();
    MessageBoxSeen seen;
    if (GetTickCount() - u.started > u.timeoutMs) {
        if (u.started != 0)
            ADD_FAILURE() << "still walking after " << u.timeoutMs << " ms: a hang";
        u.started = 0;
        u.timeoutMs = 0;
        SetupAborted = 1;
        EnumThreadWindows(GetCurrentThreadId(), EndEveryDialog, 0);
    } else if (active && IsWindowVisible(active)) {
        // The companions' windows have labels with the id a message box gives its text.
        if (GetDlgItem(active, IDC_PADMON_TEST_AREA) || GetDlgItem(active, IDC_TUNER_MODE3))
            OnCompanion(u, active);
        else if (ReadMessageBox(active, &seen))
            AnswerBox(u, active, seen);
        else if (PageTemplateOf(active) != 0)
            OnPage(u, active, PageTemplateOf(active));
    }
    u.busy = false;
}

} // namespace

std::string WalkAsUser(Walk walk, std::function<void()> body, DWORD timeoutMs)
{
    User user;
    user.walk = walk;
    user.started = GetTickCount();
    user.timeoutMs = timeoutMs;
    Current = &user;
    UINT_PTR timer = SetTimer(NULL, 0, 15, Tick);
    EXPECT_NE(0u, timer);
    body();
    KillTimer(NULL, timer);
    Current = nullptr;
    CloseThreadWindows();
    std::string transcript;
    for (const std::string &line : user.seen)
        transcript += (transcript.empty() ? "" : " | ") + line;
    if (user.gaveUp)
        transcript += (transcript.empty() ? "" : " | ") + std::string("gave up");
    return transcript;
}
