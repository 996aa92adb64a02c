// The dialog driver's waits against the real pages: what setup shows ends a step, never the
// time a busy machine takes, and the failure names what was on the screen.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "setup.h"

#include <gtest/gtest-spi.h>

namespace {

class ScenarioWaits : public SetupMachineTest {};

void OpenPortPage() { OpenPage(IDD_PORT, NULL, PortPage); }

// What Wine does on a FocusOut from X that it handles late.
void LoseForeground(HWND) { SetForegroundWindow(GetDesktopWindow()); }

TEST_F(ScenarioWaits, EndOnWhatSetupShowsNotOnTime)
{
    const struct {
        const char *what;
        void (*steps)(Scenario &s);
        void (*body)(void);
        const char *failure;    // what the run reports; NULL when it passes
    } rows[] = {
        { "the page after nine seconds of other messages", [](Scenario &s) { s.OnPage(IDD_PORT).Click(IDC_BACK); }, [] {
              for (DWORD start = GetTickCount(); GetTickCount() - start < 9000; Sleep(20))
                  for (MSG m; PeekMessageA(&m, NULL, 0, 0, PM_REMOVE);)
                      DispatchMessageA(&m);
              OpenPortPage();
          }, NULL },
        { "the foreground lost on each page", [](Scenario &s) {
              s.OnPage(IDD_PORT).Do("lose", LoseForeground).Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON);
              s.Do("lose", LoseForeground).Click(IDC_BACK);
              s.OnPage(IDD_PORT, [](HWND page) { EXPECT_EQ(page, GetActiveWindow()); }).Click(IDC_BACK);
          }, OpenPortPage, NULL },
        { "a message box instead", [](Scenario &s) { s.OnPage(IDD_PORT); },
          [] { MessageBoxA(NULL, "Cannot Find Interface Card", "Error Message", MB_OK); },
          "step 1 (the port page) ended; setup shows a message box \"Error Message\": \"Cannot Find Interface Card\"" },
        { "another page instead", [](Scenario &s) { s.OnPage(IDD_RIGHT_BUTTON); }, OpenPortPage,
          "step 1 (the right-button page) ended; setup shows the port page" },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        Scenario s;
        row.steps(s);
        if (row.failure)
            EXPECT_NONFATAL_FAILURE(s.Run(row.body), row.failure);
        else
            s.Run(row.body);
    }
}

} // namespace
