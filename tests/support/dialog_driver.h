// Walks the real pages from inside their own modal loops. A thread timer fires in every
// modal loop of the thread (pages, nested pages, message boxes); on each tick the next
// step of the scenario is tried, and a step that is not yet satisfied (its page is not
// up yet) is tried again on the following tick. Steps act only by posting, so the next
// modal loop never nests inside the timer. A tick comes only when the thread has read
// every message before it, so what a tick sees is what setup settled on.
#ifndef VELMORA_DIALOG_DRIVER_H
#define VELMORA_DIALOG_DRIVER_H

#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "acting.h"
#include "reading.h"
#include "setup_pages.h"

// The control's own font fits its text: on one line, or, in a control tall enough for more,
// wrapped at words within its height.
void ExpectTextFitsItsControl(HWND page, int id);

class Scenario {
public:
    // A step gets the window that takes the user's input (the active one) and returns true
    // when it is done.
    typedef std::function<bool(HWND active)> Step;

    Scenario &Then(const std::string &what, Step step);
    // A step that acts once on the active window and is done.
    Scenario &Do(const std::string &what, std::function<void(HWND active)> act);
    // Waits until ready holds for the active window, then runs act on it (when one is given).
    Scenario &When(const std::string &what, Step ready, std::function<void(HWND active)> act = nullptr);

    // Waits until the active window is the page of this template, then runs check on it.
    Scenario &OnPage(int templateId, std::function<void(HWND page)> check = nullptr);
    // The same, once control id of that page is enabled too (OK, Reboot).
    Scenario &WhenEnabled(int templateId, int id, std::function<void(HWND page)> check = nullptr);
    // Waits until the active window is one that has control id (a companion's), then runs
    // check on it.
    Scenario &OnWindowWith(int id, std::function<void(HWND window)> check = nullptr);
    // A button's click (BM_CLICK) with the cursor on its centre: the button itself sends its
    // click notification.
    Scenario &Click(int id);
    // Escape and Enter from the keyboard (real input), or the caption's close box.
    Scenario &PressEscape();
    Scenario &PressEnter();
    Scenario &CloseBox();
    // Waits for a message box, checks what it shows (and runs check on it, when one is
    // given) and presses a button: OK, which must then be its only button, or the one given
    // (Yes, No).
    Scenario &AnswerMessageBox(const std::string &text, const char *caption, LPCSTR standardIcon,
                               int button = IDOK, std::function<void(HWND box)> check = nullptr);
    // A touch that ends at a screen point: the cursor moves there and the active window
    // gets the left-button release, as a touch panel driver delivers it.
    Scenario &Touch(int x, int y);
    // Waits until control id of the active window is shown, then touches its centre; the
    // screen point touched is added to `touched` when one is given.
    Scenario &TouchControl(int id, std::vector<POINT> *touched = nullptr);
    // Waits for this many ticks of the timer (lets a page's own timer fire first).
    Scenario &Pause(int milliseconds);
    // The last step: act is run on every tick until body returns; the step timeout then
    // bounds the whole run.
    Scenario &Meanwhile(const std::string &what, std::function<void(HWND active)> act);

    // From the welcome page, Next on every page of the chain up to the page of templateId;
    // on the way, each control of `choices` is clicked on the page that has it.
    Scenario &WalkToPage(int templateId, const std::vector<int> &choices = {});
    // Touches the first `count` calibration targets in turn, each where the screen shows it;
    // after the fourth, waits until the screen offers OK or ALIGNER's centre target, which a
    // count of 5 touches too before it waits for OK.
    Scenario &TouchTargets(int count = 4, std::vector<POINT> *touched = nullptr);
    // Waits until the finish page offers Reboot, with the progress line shown, reading
    // lastLine, and Reboot holding the focus.
    Scenario &InstallationEnds(const std::string &lastLine = "Installation Driver OK !!");
    // Next on the summary page, and OK on the message that the card did not answer.
    Scenario &CardNotFound();
    // Steps of real input (acting.h): a click on the centre of control id of the active
    // window, once it is shown (its point is kept in `at` when one is given), or on a screen
    // point. Escape and Enter above are real keys.
    Scenario &RealClick(int id, int clicks = 1, POINT *at = nullptr);
    Scenario &RealClickPoint(const POINT *at, int clicks = 1);

    // Runs body (which opens the pages) with the scenario driving it. The test fails when
    // body returns with steps left, when a step that waits for a page or a message box sees
    // setup settle on another window, when a step hangs (WAIT_BACKSTOP_MS, waiting.h; a
    // Meanwhile step, the whole run), or when a window of the thread is still open
    // afterwards; every window left open is closed.
    void Run(std::function<void()> body);
    // Runs setup's whole program so, which must end as Cancel or a failure ends it before
    // the finish page: aborted with exit code 0, no calibration accepted, no restart asked.
    void RunSetupToAbort();

private:
    struct Entry {
        std::string what;
        Step step;
        bool untilEnd;
        int kind;           // the page or MESSAGE_BOX the step waits for; 0 for any window
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    Scenario &WaitingFor(int kind);
    void Abandon(const char *how, HWND shown);

    std::vector<Entry> steps_;
    size_t next_ = 0;
    DWORD stepStarted_ = 0;
    HWND stepBegan_ = NULL;    // the window shown when the step began
    bool busy_ = false;
    bool abandoned_ = false;
};

#endif
