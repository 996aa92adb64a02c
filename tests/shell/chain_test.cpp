// The page chain as the user walks it: Next, Back and Cancel on every page, the unwinding
// after Cancel and after an accepted calibration, and the keys that must do nothing.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

namespace {

class PageChain : public SetupMachineTest {};

// Touches the four targets in turn, each where the screen shows it, and waits until OK
// can be pressed.
Scenario &CalibrateAtTargets(Scenario &s)
{
    static const int targets[] = { IDC_TARGET_LEFT_UP, IDC_TARGET_RIGHT_UP, IDC_TARGET_LEFT_DN,
                                   IDC_TARGET_RIGHT_DN };
    for (int target : targets) {
        s.Then("target " + std::to_string(target), [target](HWND active) {
            if (PageTemplateOf(active) != IDD_CALIBRATION || !ControlVisible(active, target))
                return false;
            RECT r = ControlRect(active, target);
            int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
            SetCursorPos(x, y);
            POINT client = { x, y };
            ScreenToClient(active, &client);
            PostMessageA(active, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
            return true;
        });
    }
    return s.Then("OK enabled", [](HWND active) {
        return PageTemplateOf(active) == IDD_CALIBRATION && ControlEnabled(active, IDC_OK);
    });
}

Scenario &WaitForReboot(Scenario &s)
{
    return s.Then("Reboot enabled", [](HWND active) {
        return PageTemplateOf(active) == IDD_FINISH && ControlEnabled(active, IDC_REBOOT);
    });
}

TEST_F(PageChain, CancelOnWelcomeEndsWithoutStoringAnything)
{
    Scenario s;
    s.OnPage(IDD_WELCOME).Click(IDC_CANCEL);
    s.Run([] { EXPECT_EQ(0, RunSetupProgram()); });
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(0, CalibrationAccepted);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY)) << "the registry was touched";
    EXPECT_FALSE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(0, RestartRequests);
}

TEST_F(PageChain, CancelOnPortOrRightButtonPageUnwindsEveryPage)
{
    const int pages[] = { IDD_PORT, IDD_RIGHT_BUTTON };
    for (int deepest : pages) {
        SCOPED_TRACE(deepest);
        ResetSetupGlobals();
        Scenario s;
        s.OnPage(IDD_WELCOME).Click(IDC_NEXT).OnPage(IDD_PORT);
        if (deepest == IDD_RIGHT_BUTTON)
            s.Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON);
        s.Click(IDC_CANCEL);
        s.Run([] { RunSetupProgram(); });
        EXPECT_EQ(1, SetupAborted);
        EXPECT_EQ(0, CalibrationAccepted);
        EXPECT_EQ(0, RestartRequests) << "the finish page was reached";
        // PortPage created the settings when it opened; only the summary page removes them.
        EXPECT_TRUE(KeyExists(SETTINGS_KEY));
    }
}

TEST_F(PageChain, CancelOnSummaryRemovesWhatSetupStoredAndUnwinds)
{
    Scenario s;
    s.OnPage(IDD_WELCOME).Click(IDC_NEXT).OnPage(IDD_PORT).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON).Click(IDC_NEXT).OnPage(IDD_SUMMARY).Click(IDC_CANCEL);
    s.Run([] { RunSetupProgram(); });
    EXPECT_EQ(1, SetupAborted);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(0, RestartRequests);
}

TEST_F(PageChain, BackUncoversThePreviousPageAsItWasLeft)
{
    Scenario s;
    s.OnPage(IDD_WELCOME).Click(IDC_NEXT)
        .OnPage(IDD_PORT).Click(IDC_COM2).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON).Click(IDC_BACK)
        .OnPage(IDD_PORT, [](HWND page) {
            EXPECT_EQ(BST_CHECKED, ControlChecked(page, IDC_COM2));
            EXPECT_EQ(BST_CHECKED, ControlChecked(page, IDC_IRQ3));
            EXPECT_EQ(BST_UNCHECKED, ControlChecked(page, IDC_COM1));
        })
        .Click(IDC_NEXT).OnPage(IDD_RIGHT_BUTTON).Click(IDC_NEXT)
        .OnPage(IDD_SUMMARY).Click(IDC_BACK)
        .OnPage(IDD_RIGHT_BUTTON).Click(IDC_BACK)
        .OnPage(IDD_PORT).Click(IDC_BACK)
        .OnPage(IDD_WELCOME).Click(IDC_CANCEL);
    s.Run([] { RunSetupProgram(); });
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(2u, PanelSettings.ComPort);
    EXPECT_EQ(0, RestartRequests);
}

TEST_F(PageChain, AcceptedCalibrationClosesFourPagesAndOpensTheFinishPage)
{
    Scenario s;
    s.OnPage(IDD_WELCOME).Click(IDC_NEXT).OnPage(IDD_PORT).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON).Click(IDC_NEXT).OnPage(IDD_SUMMARY).Click(IDC_NEXT)
        .OnPage(IDD_CALIBRATION);
    CalibrateAtTargets(s).Click(IDC_OK);
    s.OnPage(IDD_FINISH, [](HWND page) {
        EXPECT_EQ(NULL, GetWindow(page, GW_OWNER)) << "the finish page has an owner";
        EXPECT_EQ(1, CalibrationAccepted);
    });
    WaitForReboot(s).Click(IDC_REBOOT);
    s.Run([] { EXPECT_EQ(0, RunSetupProgram()); });
    EXPECT_EQ(1, CalibrationAccepted);
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(1, RestartRequests);
}

// Escape and the caption's close box send IDCANCEL, which no page acts on; Enter acts
// through the default button.
TEST_F(PageChain, EscapeAndCloseBoxDoNothingOnAnyPage)
{
    Scenario s;
    auto stays = [&s](int page) {
        s.OnPage(page).PressEscape().CloseBox().Pause(150).OnPage(page);
    };
    stays(IDD_WELCOME);
    s.Click(IDC_NEXT);
    stays(IDD_PORT);
    s.Click(IDC_NEXT);
    stays(IDD_RIGHT_BUTTON);
    s.Click(IDC_NEXT);
    stays(IDD_SUMMARY);
    s.Click(IDC_NEXT);
    stays(IDD_CALIBRATION);
    CalibrateAtTargets(s);
    stays(IDD_CALIBRATION);
    s.Click(IDC_OK);
    stays(IDD_FINISH);
    WaitForReboot(s);
    stays(IDD_FINISH);
    s.PressEnter();
    s.Run([] { RunSetupProgram(); });
    EXPECT_EQ(1, RestartRequests) << "Enter on the finish page restarts through Reboot";
}

TEST_F(PageChain, EveryPageOwnedByThePageThatOpenedIt)
{
    auto previous = std::make_shared<HWND>((HWND)NULL);
    auto ownedBy = [previous](HWND page) {
        EXPECT_EQ(*previous, GetWindow(page, GW_OWNER));
        *previous = page;
    };
    Scenario s;
    s.OnPage(IDD_WELCOME, ownedBy).Click(IDC_NEXT).OnPage(IDD_PORT, ownedBy).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON, ownedBy).Click(IDC_NEXT).OnPage(IDD_SUMMARY, ownedBy)
        .Click(IDC_NEXT).OnPage(IDD_CALIBRATION, ownedBy).Click(IDC_CANCEL)
        .OnPage(IDD_SUMMARY).Click(IDC_CANCEL);
    s.Run([] { RunSetupProgram(); });
    EXPECT_EQ(1, SetupAborted);
}

} // namespace
