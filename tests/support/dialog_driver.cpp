// The dialog driver: scenarios of steps run from a thread timer inside the modal loops.
#include "dialog_driver.h"
#include "real_input.h"
#include "resource.h"
#include "setup.h"

#include <gtest/gtest.h>

BOOL ReadMessageBox(HWND box, MessageBoxSeen *seen)
{
    char buffer[512];
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!box || !text || PageTemplateOf(box) != 0)
        return FALSE;
    GetWindowTextA(text, buffer, sizeof buffer);
    seen->text = buffer;
    GetWindowTextA(box, buffer, sizeof buffer);
    seen->caption = buffer;
    // Windows gives the icon control id 20, Wine 1088.
    HWND icon = GetDlgItem(box, 20);
    if (!icon)
        icon = GetDlgItem(box, 1088);
    seen->icon = icon && IsWindowVisible(icon) ? (HICON)SendMessageA(icon, STM_GETICON, 0, 0) : NULL;
    seen->hasOnlyOk = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) &&
                      !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO);
    return TRUE;
}

std::string ControlText(HWND page, int id)
{
    char buffer[512];
    buffer[0] = 0;
    GetDlgItemTextA(page, id, buffer, sizeof buffer);
    return buffer;
}

BOOL ControlVisible(HWND page, int id)
{
    return IsWindowVisible(GetDlgItem(page, id));
}

BOOL ControlEnabled(HWND page, int id)
{
    return IsWindowEnabled(GetDlgItem(page, id));
}

int ControlChecked(HWND page, int id)
{
    return (int)SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0);
}

RECT ControlRect(HWND page, int id)
{
    RECT rect = { 0, 0, 0, 0 };
    GetWindowRect(GetDlgItem(page, id), &rect);
    return rect;
}

void ExpectTextFitsItsControl(HWND page, int id)
{
    HWND control = GetDlgItem(page, id);
    std::string text = ControlText(page, id);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
    SIZE size = { 0, 0 };
    GetTextExtentPoint32A(dc, text.c_str(), (int)text.size(), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client;
    GetClientRect(control, &client);
    EXPECT_LE(size.cx, client.right) << "\"" << text << "\" is wider than control " << id;
}

static Scenario *Running;

Scenario &Scenario::Then(const std::string &what, Step step)
{
    steps_.push_back(Entry{ what, step });
    return *this;
}

Scenario &Scenario::OnPage(int templateId, std::function<void(HWND page)> check)
{
    return Then("page " + std::to_string(templateId), [templateId, check](HWND active) {
        if (PageTemplateOf(active) != templateId || !IsWindowVisible(active))
            return false;
        if (check)
            check(active);
        return true;
    });
}

Scenario &Scenario::WhenEnabled(int templateId, int id, std::function<void(HWND page)> check)
{
    return Then("page " + std::to_string(templateId) + " enables " + std::to_string(id),
                [templateId, id, check](HWND active) {
        if (PageTemplateOf(active) != templateId || !IsWindowVisible(active) || !ControlEnabled(active, id))
            return false;
        if (check)
            check(active);
        return true;
    });
}

Scenario &Scenario::Click(int id)
{
    return Then("click " + std::to_string(id), [id](HWND active) {
        HWND button = GetDlgItem(active, id);
        EXPECT_TRUE(button != NULL) << "no control " << id << " on the active window";
        if (button) {
            // Where a user's click would be: a page may tell a click by where it came.
            RECT r = ControlRect(active, id);
            SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            PostMessageA(button, BM_CLICK, 0, 0);
        }
        return true;
    });
}

Scenario &Scenario::PressEscape()
{
    return Then("Escape", [](HWND) {
        RealKey(VK_ESCAPE);
        return true;
    });
}

Scenario &Scenario::PressEnter()
{
    return Then("Enter", [](HWND) {
        RealKey(VK_RETURN);
        return true;
    });
}

Scenario &Scenario::CloseBox()
{
    return Then("close box", [](HWND active) {
        PostMessageA(active, WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    });
}

Scenario &Scenario::AnswerMessageBox(const std::string &text, const char *caption, LPCSTR standardIcon,
                                     int button)
{
    std::string wantCaption = caption;
    return Then("message box \"" + text.substr(0, 40) + "\"",
                [text, wantCaption, standardIcon, button](HWND active) {
        MessageBoxSeen seen;
        if (!ReadMessageBox(active, &seen))
            return false;
        EXPECT_EQ(text, seen.text);
        EXPECT_EQ(wantCaption, seen.caption);
        EXPECT_EQ(LoadIconA(NULL, standardIcon), seen.icon) << "the box shows another icon";
        if (button == IDOK)
            EXPECT_TRUE(seen.hasOnlyOk) << "the box offers more than OK";
        HWND answer = GetDlgItem(active, button);
        EXPECT_TRUE(answer != NULL) << "the box has no button " << button;
        PostMessageA(answer ? answer : active, BM_CLICK, 0, 0);
        return true;
    });
}

Scenario &Scenario::Touch(int x, int y)
{
    return Then("touch " + std::to_string(x) + "," + std::to_string(y), [x, y](HWND active) {
        SetCursorPos(x, y);
        POINT client = { x, y };
        ScreenToClient(active, &client);
        PostMessageA(active, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        return true;
    });
}

Scenario &Scenario::TouchControl(int id, std::vector<POINT> *touched)
{
    return Then("touch control " + std::to_string(id), [id, touched](HWND active) {
        if (!ControlVisible(active, id))
            return false;
        RECT r = ControlRect(active, id);
        POINT centre = { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
        if (touched)
            touched->push_back(centre);
        SetCursorPos(centre.x, centre.y);
        ScreenToClient(active, &centre);
        PostMessageA(active, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        return true;
    });
}

Scenario &Scenario::Pause(int milliseconds)
{
    auto until = std::make_shared<DWORD>(0);
    return Then("pause", [until, milliseconds](HWND) {
        if (*until == 0)
            *until = GetTickCount() + milliseconds;
        return (LONG)(GetTickCount() - *until) >= 0;
    });
}

void CALLBACK Scenario::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Running)
        Running->OnTick();
}

static BOOL CALLBACK EndEveryDialog(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        EndDialog(window, 0);
    return TRUE;
}

void Scenario::OnTick()
{
    if (busy_)
        return;
    busy_ = true;
    if (abandoned_) {
        // Something went wrong: take the pages down from outside so the test ends.
        SetupAborted = 1;
        EnumThreadWindows(GetCurrentThreadId(), EndEveryDialog, 0);
    } else if (next_ < steps_.size()) {
        HWND active = GetActiveWindow();
        if (steps_[next_].step(active)) {
            next_++;
            stepStarted_ = GetTickCount();
        } else if (GetTickCount() - stepStarted_ > (DWORD)stepTimeoutMs_) {
            char title[256] = "";
            GetWindowTextA(active, title, sizeof title);
            ADD_FAILURE() << "step " << next_ + 1 << " (" << steps_[next_].what
                          << ") still waiting after " << stepTimeoutMs_ << " ms; active window \""
                          << title << "\", template " << PageTemplateOf(active);
            abandoned_ = true;
        }
    }
    busy_ = false;
}

static BOOL CALLBACK CountAndClose(HWND window, LPARAM count)
{
    if (IsWindowVisible(window)) {
        ++*(int *)count;
        char title[256] = "";
        GetWindowTextA(window, title, sizeof title);
        ADD_FAILURE() << "window left open: \"" << title << "\", template " << PageTemplateOf(window);
        EndDialog(window, 0);
        DestroyWindow(window);
    }
    return TRUE;
}

int CloseThreadWindows(void)
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountAndClose, (LPARAM)&count);
    return count;
}

void Scenario::Run(std::function<void()> body, int stepTimeoutMs)
{
    stepTimeoutMs_ = stepTimeoutMs;
    stepStarted_ = GetTickCount();
    Running = this;
    UINT_PTR timer = SetTimer(NULL, 0, 15, Tick);
    ASSERT_NE(0u, timer);
    body();
    KillTimer(NULL, timer);
    Running = nullptr;
    if (!abandoned_)
        EXPECT_EQ(steps_.size(), next_) << "the pages closed before step " << next_ + 1 << " ("
                                        << (next_ < steps_.size() ? steps_[next_].what : "") << ")";
    CloseThreadWindows();
}

Scenario &WalkToPage(Scenario &s, int templateId, const std::vector<int> &choices)
{
    static const int chain[] = { IDD_WELCOME, IDD_PORT, IDD_RIGHT_BUTTON, IDD_SUMMARY, IDD_CALIBRATION };
    for (int page : chain) {
        s.OnPage(page);
        if (page == templateId)
            return s;
        s.Then("choices", [choices](HWND active) {
            for (int id : choices)
                if (GetDlgItem(active, id))
                    PostMessageA(GetDlgItem(active, id), BM_CLICK, 0, 0);
            return true;
        });
        s.Click(IDC_NEXT);
    }
    ADD_FAILURE() << "template " << templateId << " is not a page of the chain";
    return s;
}

Scenario &TouchTargets(Scenario &s, int count, std::vector<POINT> *touched)
{
    for (int k = 0; k < count; k++)
        s.TouchControl(CalibrationTargets[k], touched);
    return count == 4 ? s.WhenEnabled(IDD_CALIBRATION, IDC_OK) : s;
}

Scenario &InstallationEnds(Scenario &s, const std::string &lastLine)
{
    return s.WhenEnabled(IDD_FINISH, IDC_REBOOT, [lastLine](HWND page) {
        EXPECT_EQ(lastLine, ControlText(page, IDC_PROGRESS));
        EXPECT_TRUE(ControlVisible(page, IDC_PROGRESS));
        EXPECT_EQ(GetDlgItem(page, IDC_REBOOT), GetFocus());
    });
}
