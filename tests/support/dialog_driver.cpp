// The dialog driver: scenarios of steps run from a thread timer inside the modal loops.
#include "dialog_driver.h"
#include "resource.h"
#include "setup.h"
#include "test_machine.h"
#include "waiting.h"

#include <gtest/gtest.h>

void ExpectTextFitsItsControl(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    std::string text = ControlText(page, id);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    SIZE size = { 0, 0 };
    TEXTMETRICA font;
    RECT client, wrapped;
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &size);
    GetTextMetricsA(dc, &font);
    GetClientRect(control, &client);
    // Wrapped at words as a static wraps it, where the control has room for more lines.
    SetRect(&wrapped, 0, 0, client.right, 0);
    DrawTextA(dc, text.c_str(), -1, &wrapped, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (client.bottom < 2 * font.tmHeight) {
        EXPECT_LE(size.cx, client.right) << "\"" << text << "\" is wider than control " << id;
    } else {
        EXPECT_LE(wrapped.right, client.right) << "\"" << text << "\" has a word wider than control " << id;
        EXPECT_LE(wrapped.bottom, client.bottom) << "\"" << text << "\" takes more lines than control " << id << " holds";
    }
}

static Scenario *Running;

Scenario &Scenario::Then(const std::string &what, Step step)
{
    steps_.push_back(Entry{ what, step, false, 0 });
    return *this;
}

Scenario &Scenario::Meanwhile(const std::string &what, std::function<void(HWND active)> act)
{
    steps_.push_back(Entry{ what, [act](HWND active) { act(active); return false; }, true, 0 });
    return *this;
}

Scenario &Scenario::WaitingFor(int kind)
{
    steps_.back().kind = kind;
    return *this;
}

Scenario &Scenario::Do(const std::string &what, std::function<void(HWND active)> act)
{
    return Then(what, [act](HWND active) { act(active); return true; });
}

Scenario &Scenario::When(const std::string &what, Step ready, std::function<void(HWND active)> act)
{
    return Then(what, [ready, act](HWND active) {
        if (!ready(active))
            return false;
        if (act)
            act(active);
        return true;
    });
}

Scenario &Scenario::OnPage(int templateId, std::function<void(HWND page)> check)
{
    return WhenEnabled(templateId, 0, check);
}

Scenario &Scenario::WhenEnabled(int templateId, int id, std::function<void(HWND page)> check)
{
    std::string what = std::string("the ") + KindName(templateId);
    return When(id ? what + " enables " + std::to_string(id) : what, [templateId, id](HWND active) {
        return PageTemplateOf(active) == templateId && IsWindowVisible(active) && (!id || ControlEnabled(active, id));
    }, check).WaitingFor(templateId);
}

Scenario &Scenario::OnWindowWith(int id, std::function<void(HWND window)> check)
{
    return When("window with control " + std::to_string(id),
                [id](HWND active) { return GetDlgItem(active, id) && IsWindowVisible(active); }, check);
}

Scenario &Scenario::Click(int id)
{
    return Do("click " + std::to_string(id), [id](HWND active) {
        HWND button = GetDlgItem(active, id);
        EXPECT_TRUE(button != NULL) << "no control " << id << " on the active window";
        if (button) {
            // Where a user's click would be: a page may tell a click by where it came.
            POINT centre = ControlCentre(active, id);
            SetCursorPos(centre.x, centre.y);
            ClickControl(active, id);
        }
    });
}

Scenario &Scenario::PressEscape()
{
    return Do("Escape", [](HWND) { EXPECT_TRUE(RealKey(VK_ESCAPE)); });
}

Scenario &Scenario::PressEnter()
{
    return Do("Enter", [](HWND) { EXPECT_TRUE(RealKey(VK_RETURN)); });
}

Scenario &Scenario::CloseBox()
{
    return Do("close box", [](HWND active) { PostMessageA(active, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

Scenario &Scenario::AnswerMessageBox(const std::string &text, const char *caption, LPCSTR standardIcon,
                                     int button, std::function<void(HWND box)> check)
{
    std::string wantCaption = caption;
    return Then("message box \"" + text.substr(0, 40) + "\"",
                [text, wantCaption, standardIcon, button, check](HWND active) {
                    MessageBoxSeen seen;
                    if (!ReadMessageBox(active, &seen))
                        return false;
                    EXPECT_EQ(text, seen.text);
                    EXPECT_EQ(wantCaption, seen.caption);
                    EXPECT_EQ(LoadIconA(NULL, standardIcon), seen.icon) << "the box shows another icon";
                    if (button == IDOK)
                        EXPECT_TRUE(seen.hasOnlyOk) << "the box offers more than OK";
                    if (check)
                        check(active);
                    EXPECT_TRUE(ClickControl(active, button)) << "the box has no button " << button;
                    return true;
                }).WaitingFor(MESSAGE_BOX);
}

Scenario &Scenario::Touch(int x, int y)
{
    return Do("touch " + std::to_string(x) + "," + std::to_string(y),
              [x, y](HWND active) { TouchAt(active, POINT{ x, y }); });
}

Scenario &Scenario::TouchControl(int id, std::vector<POINT> *touched)
{
    return When("touch control " + std::to_string(id), [id](HWND active) { return !!ControlVisible(active, id); },
                [id, touched](HWND active) {
                    POINT centre = TouchControlCentre(active, id);
                    if (touched)
                        touched->push_back(centre);
                });
}

Scenario &Scenario::Pause(int milliseconds)
{
    // The step keeps its own copy of until from one tick to the next.
    DWORD until = 0;
    return Then("pause", [until, milliseconds](HWND) mutable {
        if (until == 0)
            until = GetTickCount() + milliseconds;
        return (LONG)(GetTickCount() - until) >= 0;
    });
}

void CALLBACK Scenario::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Running)
        Running->OnTick();
}

// Takes a window of the thread down: every dialog ends. After a run (afterRun) a window
// still shown fails the test, and is destroyed too.
static BOOL CALLBACK TakeDown(HWND window, LPARAM afterRun)
{
    bool left = afterRun && IsWindowVisible(window);
    if (left)
        ADD_FAILURE() << "window left open: " << DescribeWindow(window);
    EndDialog(window, 0);
    if (left)
        DestroyWindow(window);
    return TRUE;
}

// The active window. A FocusOut from X that Wine handles late, as on a busy machine, hands
// the foreground to the desktop (winex11's focus_out) and leaves the thread with none, for
// good; the page still takes the user's input, and a user would click it: it is made
// active again, so that keys and the focus work on it as before.
static HWND ActiveOrRegained(void)
{
    HWND active = GetActiveWindow();
    if (!active && (active = InputWindowOf(GetCurrentProcessId())) != NULL)
        SetForegroundWindow(active);
    return active;
}

void Scenario::Abandon(const char *how, HWND shown)
{
    ADD_FAILURE() << "step " << next_ + 1 << " (" << steps_[next_].what << ") " << how << "; setup shows "
                  << DescribeWindow(shown);
    abandoned_ = true;
}

void Scenario::OnTick()
{
    if (busy_)
        return;
    busy_ = true;
    if (abandoned_) {
        // Something went wrong: take the pages down from outside so the test ends.
        SetupAborted = 1;
        EnumThreadWindows(GetCurrentThreadId(), TakeDown, FALSE);
    } else if (next_ < steps_.size()) {
        const Entry &entry = steps_[next_];
        HWND shown = ActiveOrRegained();
        if (entry.step(shown)) {
            next_++;
            stepStarted_ = GetTickCount();
            stepBegan_ = shown;
        } else if (entry.kind && shown && shown != stepBegan_ && KindOf(shown) != entry.kind) {
            // The window the step began with may still be at work on the last click; any
            // other stays until the user acts, and only the scenario acts.
            Abandon("ended", shown);
        } else if (GetTickCount() - stepStarted_ > WAIT_BACKSTOP_MS) {
            Abandon(("still waiting after " + std::to_string(WAIT_BACKSTOP_MS / 1000) + " s").c_str(), shown);
        }
    }
    busy_ = false;
}

void Scenario::Run(std::function<void()> body)
{
    // Taking the pages down aborts the chain; the next row of the test starts as this one did.
    int abortedBefore = SetupAborted;
    stepStarted_ = GetTickCount();
    Running = this;
    UINT_PTR timer = SetTimer(NULL, 0, 15, Tick);
    ASSERT_NE(0u, timer);
    body();
    KillTimer(NULL, timer);
    Running = nullptr;
    size_t done = next_ < steps_.size() && steps_[next_].untilEnd ? next_ + 1 : next_;
    if (!abandoned_)
        EXPECT_EQ(steps_.size(), done) << "the pages closed before step " << next_ + 1 << " ("
                                       << (next_ < steps_.size() ? steps_[next_].what : "") << ")";
    else
        SetupAborted = abortedBefore;
    EnumThreadWindows(GetCurrentThreadId(), TakeDown, TRUE);
}

Scenario &Scenario::WalkToPage(int templateId, const std::vector<int> &choices)
{
    for (int page : SetupChain) {
        OnPage(page);
        if (page == templateId)
            return *this;
        Do("choices", [choices](HWND active) {
            for (int id : choices)
                if (GetDlgItem(active, id))
                    ClickControl(active, id);
        }).Click(IDC_NEXT);
    }
    ADD_FAILURE() << "template " << templateId << " is not a page of the chain";
    return *this;
}

Scenario &Scenario::TouchTargets(int count, std::vector<POINT> *touched)
{
    for (int k = 0; k < count && k < 4; k++)
        TouchControl(CalibrationTargetIds[k], touched);
    if (count < 4)
        return *this;
    Then("OK or the centre target", [](HWND active) {
        return PageTemplateOf(active) == IDD_CALIBRATION && IsWindowVisible(active) &&
               (ControlEnabled(active, IDC_OK) || ControlVisible(active, IDC_TARGET_CENTRE));
    });
    return count == 5 ? TouchControl(IDC_TARGET_CENTRE, touched).WhenEnabled(IDD_CALIBRATION, IDC_OK) : *this;
}

Scenario &Scenario::InstallationEnds(const std::string &lastLine)
{
    return WhenEnabled(IDD_FINISH, IDC_REBOOT, [lastLine](HWND page) {
        EXPECT_EQ(lastLine, ControlText(page, IDC_PROGRESS));
        EXPECT_TRUE(ControlVisible(page, IDC_PROGRESS));
        EXPECT_EQ(GetDlgItem(page, IDC_REBOOT), GetFocus());
    });
}

Scenario &Scenario::CardNotFound()
{
    return Click(IDC_NEXT).AnswerMessageBox("Cannot Find Interface Card", "Error Message", IDI_EXCLAMATION);
}

Scenario &Scenario::RealClick(int id, int clicks, POINT *at)
{
    return When("real click on " + std::to_string(id), [id](HWND active) { return !!ControlVisible(active, id); },
                [id, clicks, at](HWND active) {
                    POINT centre = ControlCentre(active, id);
                    if (at)
                        *at = centre;
                    EXPECT_TRUE(RealClickAt(centre, clicks));
                });
}

Scenario &Scenario::RealClickPoint(const POINT *at, int clicks)
{
    return Do("real click at a point", [at, clicks](HWND) { EXPECT_TRUE(RealClickAt(*at, clicks)); });
}

void Scenario::RunSetupToAbort()
{
    Run([] { EXPECT_EQ(0, RunSetupProgram()); });
    EXPECT_EQ(1, SetupAborted);
    EXPECT_EQ(0, CalibrationAccepted);
    EXPECT_EQ(0, RestartRequests) << "the finish page was reached";
}
