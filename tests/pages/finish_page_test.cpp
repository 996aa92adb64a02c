// The finish page on its own: the installation on the first tick, what it reports when
// something could not be written, the keys that must not close it, and Reboot.
#include "dialog_driver.h"
#include "test_machine.h"
#include "driver.h"
#include "paths.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

#include <algorithm>
#include <memory>

namespace {

const char *const Programs[4] = { "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE" };
const char Installed[] = "Installation Driver OK !!";

std::string StartMenuProgram(const char *name)
{
    return WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA\\") + name;
}

// Every text the progress line is given, with the programs already in the Start-menu
// folder at that moment: the line must name each program before it is copied.
struct ProgressSeen {
    std::string text;
    int programsCopied;
};
std::vector<ProgressSeen> Progress;
std::string ProgramFolder;

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    if (code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == IDC_PROGRESS) {
        int copied = 0;
        for (const char *name : Programs)
            copied += FileExists(ProgramFolder + name) ? 1 : 0;
        Progress.push_back(ProgressSeen{ (const char *)call->lParam, copied });
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

class FinishPageTest : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        SetupInstance = GetModuleHandleA(NULL);
        // The Windows 9x layout, which a Wine prefix lacks.
        CreateDirectoryA(WindowsDirectoryPath("START MENU").c_str(), NULL);
        CreateDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str(), NULL);
        // As an accepted calibration leaves it: the settings stored, the corners in memory,
        // the driver open.
        LoadPanelSettings();
        PanelSettings.LeftUpX = -12;
        PanelSettings.RightDnY = 4321;
        WriteFileText(SystemDirectoryPath(DRIVER_FILE_NAME), "driver");
        ASSERT_TRUE(OpenTouchDriver());
        Progress.clear();
        ProgramFolder = StartMenuProgram("");
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, WatchProgress, NULL, GetCurrentThreadId());
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(hook_);
        CloseTouchDriver();
        SetupMachineTest::TearDown();
    }
    static void OpenFinish()
    {
        OpenPage(IDD_FINISH, NULL, FinishPage);
    }
    // Waits for the installation to end, checks the last line and that Reboot is offered.
    static Scenario &InstallationEnds(Scenario &s, const std::string &lastLine)
    {
        return s.Then("installation ended", [lastLine](HWND active) {
            if (PageTemplateOf(active) != IDD_FINISH || !ControlEnabled(active, IDC_REBOOT))
                return false;
            EXPECT_EQ(lastLine, ControlText(active, IDC_PROGRESS));
            EXPECT_TRUE(ControlVisible(active, IDC_PROGRESS));
            EXPECT_EQ(GetDlgItem(active, IDC_REBOOT), GetFocus());
            return true;
        });
    }
    static std::vector<std::string> ProgressTexts()
    {
        std::vector<std::string> texts;
        for (const ProgressSeen &seen : Progress)
            texts.push_back(seen.text);
        return texts;
    }
    HHOOK hook_ = NULL;
};

void ExpectDriverRegistered()
{
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, &type, &data));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string("Quarlo.vxd", 11), std::string(data.begin(), data.end()));
    EXPECT_EQ(1, CountValues(STATIC_DRIVER_KEY));
}

TEST_F(FinishPageTest, InstallsOnTheFirstTickNamingEachProgramBeforeItsCopy)
{
    Scenario s;
    s.OnPage(IDD_FINISH, [](HWND page) {
        EXPECT_FALSE(ControlVisible(page, IDC_PROGRESS)) << "the progress line shows before the installation";
        EXPECT_FALSE(ControlEnabled(page, IDC_REBOOT));
        EXPECT_EQ((std::vector<std::string>{ "open", "close" }), ReadSimulationLog())
            << "the page did not release the driver";
        EXPECT_FALSE(KeyExists(STATIC_DRIVER_KEY)) << "installed before the first tick";
    });
    InstallationEnds(s, Installed).Pause(450);
    s.Click(IDC_REBOOT);
    s.Run([] { OpenFinish(); });

    const std::vector<std::string> texts = { "Now Write PADMON.EXE", "Now Write REMOVER.EXE",
                                             "Now Write ALIGNER.EXE", "Now Write TUNER.EXE", Installed };
    EXPECT_EQ(texts, ProgressTexts()) << "the installation ran more or less than once";
    for (size_t i = 0; i < Progress.size() && i < 4; i++)
        EXPECT_EQ((int)i, Progress[i].programsCopied) << "when the line read \"" << Progress[i].text << "\"";
    for (const char *name : Programs)
        EXPECT_EQ(std::string("medium copy of ") + name, ReadFileText(StartMenuProgram(name)));
    ExpectDriverRegistered();
    DWORD value = 0;
    ASSERT_TRUE(ReadDword(SETTINGS_KEY, "LeftUpX", &value));
    EXPECT_EQ((DWORD)-12, value) << "the calibrated corners were not saved";
    ASSERT_TRUE(ReadDword(SETTINGS_KEY, "RightDnY", &value));
    EXPECT_EQ(4321u, value);
    EXPECT_EQ(1, RestartRequests);
}

TEST_F(FinishPageTest, ProgramMissingFromTheMediumIsNamedAndTheRestIsInstalled)
{
    MakeSetupMedium({ "ALIGNER.EXE" });
    Scenario s;
    InstallationEnds(s, "Cannot Write ALIGNER.EXE").Click(IDC_REBOOT);
    s.Run([] { OpenFinish(); });

    EXPECT_FALSE(FileExists(StartMenuProgram("ALIGNER.EXE")));
    for (const char *name : { "PADMON.EXE", "REMOVER.EXE", "TUNER.EXE" })
        EXPECT_TRUE(FileExists(StartMenuProgram(name))) << name;
    ExpectDriverRegistered();
    EXPECT_EQ(1, RestartRequests) << "Reboot is offered after a failure too";
}

TEST_F(FinishPageTest, WithoutAStartMenuTheCopiesFailButTheDriverIsRegistered)
{
    RemoveDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU").c_str());
    Scenario s;
    InstallationEnds(s, "Cannot Write PADMON.EXE").Click(IDC_REBOOT);
    s.Run([] { OpenFinish(); });

    EXPECT_FALSE(FileExists(WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA"))) << "made more than the last level";
    ExpectDriverRegistered();
    DWORD value = 0;
    ASSERT_TRUE(ReadDword(SETTINGS_KEY, "RightDnY", &value));
    EXPECT_EQ(4321u, value);
}

TEST_F(FinishPageTest, SettingsThatCannotBeSavedAreReported)
{
    // The settings key went away after the summary page saved: the save must not make it
    // again, and the corners are lost, which the page must not call a success.
    DeleteKeyTree(SETTINGS_KEY);
    Scenario s;
    InstallationEnds(s, "Cannot Write Registry").Click(IDC_REBOOT);
    s.Run([] { OpenFinish(); });

    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    ExpectDriverRegistered();
    for (const char *name : Programs)
        EXPECT_TRUE(FileExists(StartMenuProgram(name))) << name;
}

TEST_F(FinishPageTest, SecondInstallationOverwritesTheFirst)
{
    for (int run = 0; run < 2; run++) {
        SCOPED_TRACE(run);
        if (run == 1) {
            WriteFileText(medium_ + "\\PADMON.EXE", "newer PADMON.EXE");
            ResetSetupGlobals();
            LoadPanelSettings();
        }
        Scenario s;
        InstallationEnds(s, Installed).Click(IDC_REBOOT);
        s.Run([] { OpenFinish(); });
    }
    EXPECT_EQ("newer PADMON.EXE", ReadFileText(StartMenuProgram("PADMON.EXE")));
    EXPECT_EQ("medium copy of TUNER.EXE", ReadFileText(StartMenuProgram("TUNER.EXE")));
    ExpectDriverRegistered();
    EXPECT_EQ(1, RestartRequests);
}

// A Windows directory so deep that two of the destinations no longer fit the 256-byte
// path: those two are not copied (a path cut short would name another file) and the first
// is named; the programs whose destinations fit are copied.
TEST_F(FinishPageTest, DestinationsTooLongForThePathAreNotCopied)
{
    static std::string deep;
    deep = "C:\\velmora-deep";
    std::vector<std::string> made = { deep };
    CreateDirectoryA(deep.c_str(), NULL);
    while (deep.size() < 216) {
        deep += "\\" + std::string(std::min<size_t>(40, 215 - deep.size()), 'd');
        CreateDirectoryA(deep.c_str(), NULL);
        made.push_back(deep);
    }
    ASSERT_EQ(216u, deep.size());
    for (const char *level : { "\\START MENU", "\\START MENU\\PROGRAMS" }) {
        ASSERT_TRUE(CreateDirectoryA((deep + level).c_str(), NULL)) << deep + level;
        made.push_back(deep + level);
    }
    WindowsDirectoryLookup = [](char *buffer, UINT size) -> UINT {
        if (deep.size() >= size)
            return (UINT)deep.size() + 1;
        lstrcpyA(buffer, deep.c_str());
        return (UINT)deep.size();
    };
    std::string folder = deep + "\\START MENU\\PROGRAMS\\VELMORA\\";

    Scenario s;
    InstallationEnds(s, "Cannot Write REMOVER.EXE").Click(IDC_REBOOT);
    s.Run([] { OpenFinish(); });

    // 215 + "\START MENU\PROGRAMS\VELMORA\" + the name + the zero: 256 for PADMON.EXE.
    EXPECT_TRUE(FileExists(folder + "PADMON.EXE"));
    EXPECT_TRUE(FileExists(folder + "TUNER.EXE"));
    EXPECT_FALSE(FileExists(folder + "REMOVER.EXE"));
    EXPECT_FALSE(FileExists(folder + "ALIGNER.EXE"));
    for (const char *name : Programs)
        DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
    for (auto level = made.rbegin(); level != made.rend(); ++level)
        RemoveDirectoryA(level->c_str());
}

TEST_F(FinishPageTest, EscapeAndCloseBoxNeverCloseItAndEnterReboots)
{
    Scenario s;
    s.OnPage(IDD_FINISH).PressEscape().CloseBox().Pause(100).OnPage(IDD_FINISH);
    InstallationEnds(s, Installed).PressEscape().CloseBox().Pause(100);
    s.OnPage(IDD_FINISH, [](HWND) { EXPECT_EQ(0, RestartRequests); }).PressEnter();
    s.Run([] { OpenFinish(); });
    EXPECT_EQ(1, RestartRequests);
}

TEST_F(FinishPageTest, FailedRestartTellsTheUserToRestart)
{
    RestartResult = FALSE;
    Scenario s;
    InstallationEnds(s, Installed).Click(IDC_REBOOT);
    s.AnswerMessageBox("Windows could not be restarted. Please restart Windows yourself to start the touch screen driver.",
                       "Velmora Setup Utility", IDI_EXCLAMATION);
    s.Run([] { OpenFinish(); });
    EXPECT_EQ(1, RestartRequests);
}

INT_PTR CALLBACK InertPage(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// The platform refuses a timer for a window that is gone; the page must then install at
// once rather than wait for a tick that never comes. (Wine, unlike Windows, grants one for
// another thread's window, so a page already destroyed is the refusal a test can make.)
TEST_F(FinishPageTest, WithoutATimerTheInstallationRunsAtOnce)
{
    HWND page = CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDD_FINISH), NULL, InertPage, 0);
    ASSERT_TRUE(page != NULL);
    DestroyWindow(page);
    ASSERT_EQ(0u, SetTimer(page, 1, 200, NULL)) << "the platform granted a timer to a destroyed window";

    FinishPage(page, WM_INITDIALOG, 0, 0);

    ExpectDriverRegistered();
    for (const char *name : Programs)
        EXPECT_TRUE(FileExists(StartMenuProgram(name))) << name;
    DWORD value = 0;
    ASSERT_TRUE(ReadDword(SETTINGS_KEY, "RightDnY", &value));
    EXPECT_EQ(4321u, value);
}

} // namespace
