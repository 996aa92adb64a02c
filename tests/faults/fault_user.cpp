// The user of the fault matrix: what it does on each tick of the dialog driver's timer.
#include "fault_user.h"
#include "companion_resource.h"
#include "dialog_driver.h"
#include "resource.h"

#include <map>

namespace {

// A page that opens this often has not let the user through; Cancel ends it.
const int PatienceVisits = 3;
// How long a page may stay without visible effect before the user acts on it again.
const DWORD RetryMs = 600;

struct User {
    Walk walk;
    std::vector<std::string> seen;
    HWND lastWindow = NULL;
    DWORD lastAction = 0;
    int lastId = 0;     // the target or OK last acted on; 0 for a window as a whole
    std::map<int, int> visits;
};

int VisibleTarget(HWND screen)
{
    for (int id : CalibrationTargetIds)
        if (ControlVisible(screen, id))
            return id;
    return ControlVisible(screen, IDC_TARGET_CENTRE) ? IDC_TARGET_CENTRE : 0;
}

// A window (or a control of it) the user has not acted on yet, or one that ignored the last
// action for a while.
bool Due(User &u, HWND window, int id = 0)
{
    return window != u.lastWindow || id != u.lastId || GetTickCount() - u.lastAction > RetryMs;
}

void Acted(User &u, HWND window, int id = 0)
{
    u.lastWindow = window;
    u.lastId = id;
    u.lastAction = GetTickCount();
}

void AnswerBox(User &u, HWND box, const MessageBoxSeen &seen)
{
    if (box == u.lastWindow)
        return;
    u.seen.push_back("box " + seen.caption + ": " + seen.text);
    ClickControl(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
    Acted(u, box);
}

// OK once it is offered, else the target shown; a target or OK that did not take is
// touched or clicked again.
void OnCalibration(User &u, HWND screen)
{
    int id = ControlEnabled(screen, IDC_OK) ? IDC_OK : VisibleTarget(screen);
    if (!id || !Due(u, screen, id))
        return;
    if (id == IDC_OK)
        ClickControl(screen, IDC_OK);
    else
        TouchControlCentre(screen, id);
    Acted(u, screen, id);
}

void OnPage(User &u, HWND page, int templateId)
{
    if (page != u.lastWindow && ++u.visits[templateId] > PatienceVisits && templateId != IDD_FINISH) {
        u.seen.push_back("gave up");
        ClickControl(page, IDC_CANCEL);
        Acted(u, page);
        return;
    }
    if (templateId == IDD_CALIBRATION) {
        OnCalibration(u, page);
        return;
    }
    if (!Due(u, page) || (templateId == IDD_FINISH && !ControlEnabled(page, IDC_REBOOT)))
        return;
    int button = templateId == IDD_SUMMARY && u.walk == CANCEL_ON_SUMMARY ? IDC_CANCEL : IDC_NEXT;
    if (templateId == IDD_FINISH) {
        u.seen.push_back("finish: " + ControlText(page, IDC_PROGRESS));
        button = IDC_REBOOT;
    }
    ClickControl(page, button);
    Acted(u, page);
}

// PADMON: a touch in the test area, then the point it shows and Close; TUNER: mode 3, then OK.
void OnCompanion(User &u, HWND window)
{
    if (!Due(u, window))
        return;
    bool again = u.lastWindow == window;
    if (GetDlgItem(window, IDC_PADMON_TEST_AREA) && !again) {
        TouchControlCentre(window, IDC_PADMON_TEST_AREA);
    } else if (GetDlgItem(window, IDC_PADMON_TEST_AREA)) {
        u.seen.push_back("monitor: " + ControlText(window, IDC_PADMON_POINT));
        ClickControl(window, IDCANCEL);
    } else {
        ClickControl(window, again ? IDOK : IDC_TUNER_MODE3);
    }
    Acted(u, window);
}

void Act(User &u, HWND active)
{
    MessageBoxSeen seen;
    if (!active || !IsWindowVisible(active))
        return;
    // The companions' windows have labels with the id a message box gives its text.
    if (GetDlgItem(active, IDC_PADMON_TEST_AREA) || GetDlgItem(active, IDC_TUNER_MODE3))
        OnCompanion(u, active);
    else if (ReadMessageBox(active, &seen))
        AnswerBox(u, active, seen);
    else if (PageTemplateOf(active) != 0)
        OnPage(u, active, PageTemplateOf(active));
}

} // namespace

std::string WalkAsUser(Walk walk, std::function<void()> body)
{
    User user;
    user.walk = walk;
    Scenario().Meanwhile("the user's walk", [&user](HWND active) { Act(user, active); }).Run(body);
    std::string transcript;
    for (const std::string &line : user.seen)
        transcript += (transcript.empty() ? "" : " | ") + line;
    return transcript;
}
