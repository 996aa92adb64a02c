// The page chain as the user walks it: Cancel on every page, the unwinding after Cancel and
// after an accepted calibration, a complete run, the keys that must do nothing, and Next
// given twice before the next page is up.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

namespace {

class PageChain : public SetupMachineTest {};

TEST_F(PageChain, CancelOnWelcomeEndsWithoutStoringAnything)
{
    Scenario().OnPage(IDD_WELCOME).Click(IDC_CANCEL).Run([] { EXPECT_EQ(0, RunSetupProgram()); });
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(0, CalibrationAccepted);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY)) << "the registry was touched";
    EXPECT_FALSE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_EQ(0, RestartRequests);
}

TEST_F(PageChain, CancelOnPortOrRightButtonPageUnwindsEveryPage)
{
    for (int deepest : { IDD_PORT, IDD_RIGHT_BUTTON }) {
        SCOPED_TRACE(deepest);
        ResetSetupGlobals();
        Scenario().WalkToPage(deepest).Click(IDC_CANCEL).RunSetupToAbort();
        // PortPage created the settings when it opened; only the summary page removes them.
        EXPECT_TRUE(KeyExists(SETTINGS_KEY));
    }
}

// Escape and the caption's close box send IDCANCEL, which no page acts on; Enter acts
// through the default button.
TEST_F(PageChain, EscapeAndCloseBoxDoNothingOnAnyPage)
{
    MakeStartMenu();
    Scenario s;
    auto stays = [&s](int page) -> Scenario & {
        return s.OnPage(page).PressEscape().CloseBox().Pause(150).OnPage(page);
    };
    for (int page : SetupChain)
        if (page != IDD_CALIBRATION)
            stays(page).Click(IDC_NEXT);
    stays(IDD_CALIBRATION).TouchTargets();
    stays(IDD_CALIBRATION).Click(IDC_OK);
    stays(IDD_FINISH).InstallationEnds();
    stays(IDD_FINISH).PressEnter().Run([] { RunSetupProgram(); });
    EXPECT_EQ(1, RestartRequests) << "Enter on the finish page restarts through Reboot";
}

TEST_F(PageChain, EveryPageOwnedByThePageThatOpenedIt)
{
    HWND previous = NULL;
    Scenario s;
    for (int page : SetupChain) {
        s.OnPage(page, [&previous](HWND opened) {
            EXPECT_EQ(previous, GetWindow(opened, GW_OWNER)) << "page " << PageTemplateOf(opened);
            previous = opened;
        }).Click(page == IDD_CALIBRATION ? IDC_CANCEL : IDC_NEXT);
    }
    s.OnPage(IDD_SUMMARY).Click(IDC_CANCEL).RunSetupToAbort();
}

// How many pages of this template are open, shown or hidden.
int OpenPagesOf(int templateId)
{
    int pages = 0;
    for (HWND window = FindWindowExA(NULL, NULL, NULL, NULL); window; window = FindWindowExA(NULL, window, NULL, NULL))
        pages += PageTemplateOf(window) == templateId;
    return pages;
}

// A card at COM 2 with the right button on. OK on the calibration screen closes the four
// pages below it before the finish page opens; what the run leaves behind is what the next
// start of Windows needs: the choices and the corners the driver was sent, the entry, the
// programs.
TEST_F(PageChain, CompleteRunFromWelcomeToReboot)
{
    MakeStartMenu();
    SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    Scenario().WalkToPage(IDD_CALIBRATION, { IDC_COM2, IDC_RIGHT_BUTTON }).TouchTargets().Click(IDC_OK)
        .OnPage(IDD_FINISH, [](HWND page) {
            for (int below : SetupChain)
                EXPECT_EQ(0, OpenPagesOf(below)) << "page " << below << " is still open";
            EXPECT_EQ(NULL, GetWindow(page, GW_OWNER)) << "the finish page has an owner";
            EXPECT_EQ(1, CalibrationAccepted);
        })
        .InstallationEnds().Click(IDC_REBOOT).Run([] { EXPECT_EQ(0, RunSetupProgram()); });

    EXPECT_EQ(1, RestartRequests);
    EXPECT_EQ(0, SetupAborted);
    EXPECT_EQ(PANEL_SETTING_COUNT, CountValues(SETTINGS_KEY));
    std::vector<DWORD> stored = StoredRecord();
    // ComPort, ComBase, ComIrq, Mode, RightButton after the eight corners.
    EXPECT_EQ((std::vector<DWORD>{ 2, 760, 3, 1, 1 }), std::vector<DWORD>(stored.begin() + 8, stored.end()));
    // Every call the driver saw, from the summary page's open to the finish page's close:
    // the stored corners are the ones the driver was sent.
    const std::string read = "ioctl 0x220007 0 0";
    const std::vector<std::string> calls = {
        "open", "ioctl 0x220027 0 0", "ioctl 0x22001B 1 0", read, read, read, read,
        IoctlLine("0x22000B", stored[0], stored[1]), IoctlLine("0x22000F", stored[2], stored[3]),
        IoctlLine("0x220017", stored[6], stored[7]), IoctlLine("0x220013", stored[4], stored[5]),
        "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "ioctl 0x22001B 0 0", "close",
    };
    EXPECT_EQ(calls, ReadSimulationLog());
    ExpectStaticDriverEntry();
    for (const char *name : CompanionPrograms)
        EXPECT_EQ(std::string("medium copy of ") + name, ReadFileText(StartMenuProgram(name)));
}

// Two Next commands queued on a page: the next page opens once, and Cancel (the summary's,
// after the calibration screen's) ends setup with nothing left open and the driver opened
// once, probed once and closed.
TEST_F(PageChain, TwoQueuedNextsOpenTheNextPageOnce)
{
    const struct { int page, next; std::vector<std::string> log; } rows[] = {
        { IDD_WELCOME, IDD_PORT, {} }, { IDD_RIGHT_BUTTON, IDD_SUMMARY, { "open", "close" } },
        { IDD_SUMMARY, IDD_CALIBRATION, { "open", "ioctl 0x220027 0 0", "ioctl 0x22001B 1 0", "close" } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.page);
        ResetSetupGlobals();
        ClearSimulationLog();
        Scenario s;
        s.WalkToPage(row.page).Do("two Nexts", [](HWND page) {
            PostMessageA(page, WM_COMMAND, IDC_NEXT, (LPARAM)GetDlgItem(page, IDC_NEXT));
            PostMessageA(page, WM_COMMAND, IDC_NEXT, (LPARAM)GetDlgItem(page, IDC_NEXT));
        }).OnPage(row.next).Pause(100).OnPage(row.next, [&row](HWND) { EXPECT_EQ(1, OpenPagesOf(row.next)); });
        s.Click(IDC_CANCEL);
        if (row.next == IDD_CALIBRATION)
            s.OnPage(IDD_SUMMARY).Click(IDC_CANCEL);
        s.RunSetupToAbort();
        EXPECT_EQ(row.log, ReadSimulationLog());
    }
}

} // namespace
