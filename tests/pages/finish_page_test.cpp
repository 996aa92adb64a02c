// The finish page on its own: the installation on the first tick, what it reports when
// something could not be written, and Reboot.
#include "dialog_driver.h"
#include "test_machine.h"
#include "driver.h"
#include "paths.h"
#include "resource.h"
#include "earlier.h"
#include "installation.h"
#include "setup.h"
#include "silent_setup.h"

#include <algorithm>

namespace {

const char Installed[] = "Installation Driver OK !!";

// Every text the progress line is given, with how many programs were already in the
// Start-menu folder at that moment: the line must name each program before it is copied.
std::vector<std::pair<std::string, int>> Progress;

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *call = (const CWPSTRUCT *)lParam;
    if (code == HC_ACTION && call->message == WM_SETTEXT && GetDlgCtrlID(call->hwnd) == IDC_PROGRESS)
        Progress.push_back({ (const char *)call->lParam, (int)std::count_if(CompanionPrograms, CompanionPrograms + 4,
                             [](const char *name) { return !!FileExists(StartMenuProgram(name)); }) });
    return CallNextHookEx(NULL, code, wParam, lParam);
}

class FinishPageTest : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        MakeStartMenu();
        // As an accepted calibration leaves it: the settings stored, the corners in memory,
        // the driver open.
        LoadPanelSettings();
        PanelSettings.Corners.LeftUpX = -12;
        PanelSettings.Corners.RightDnY = 4321;
        PutDriverFile();
        ASSERT_TRUE(OpenTouchDriver());
    }
    // The installation ends with lastLine; Reboot is offered whatever it reports.
    static void InstallAndReboot(const std::string &lastLine)
    {
        Scenario().InstallationEnds(lastLine).Click(IDC_REBOOT).Run([] { OpenPage(IDD_FINISH, NULL, FinishPage); });
        EXPECT_EQ(1, RestartRequests) << "Reboot was not offered";
    }
};

// What was written: the driver entry always, the programs named as copies of the medium's
// (the current directory) that are not read-only, the Add/Remove Programs entry for a copied
// remover, and the corners unless the settings key is gone.
void ExpectInstalled(const std::vector<std::string> &copied, bool cornersSaved = true)
{
    ExpectStaticDriverEntry();
    for (const char *name : CompanionPrograms) {
        if (std::find(copied.begin(), copied.end(), name) != copied.end())
            EXPECT_EQ(ReadFileText(name), ReadFileText(StartMenuProgram(name))) << name << ": not the medium's";
        else
            EXPECT_FALSE(FileExists(StartMenuProgram(name))) << name << " copied";
        EXPECT_FALSE(IsReadOnly(StartMenuProgram(name))) << name << " copied read-only";
    }
    ExpectUninstallEntry(FileExists(StartMenuProgram("REMOVER.EXE")) ? StartMenuProgram("REMOVER.EXE") : "");
    EXPECT_EQ(cornersSaved, !!KeyExists(SETTINGS_KEY)) << "the save made the settings key again, or it is gone";
    if (cornersSaved) {
        EXPECT_EQ((DWORD)-12, StoredSetting("LeftUpX")) << "the calibrated corners were not saved";
        EXPECT_EQ(4321u, StoredSetting("RightDnY"));
    }
}

const std::vector<std::string> AllPrograms(CompanionPrograms, CompanionPrograms + 4);

TEST_F(FinishPageTest, InstallsOnTheFirstTickNamingEachProgramBeforeItsCopy)
{
    Progress.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchProgress, NULL, GetCurrentThreadId());
    Scenario().OnPage(IDD_FINISH, [](HWND page) {
        EXPECT_FALSE(ControlVisible(page, IDC_PROGRESS)) << "the progress line shows before the installation";
        EXPECT_FALSE(ControlEnabled(page, IDC_REBOOT));
        EXPECT_EQ((std::vector<std::string>{ "open", "close" }), ReadSimulationLog())
            << "the page did not release the driver";
        EXPECT_FALSE(KeyExists(STATIC_DRIVER_KEY)) << "installed before the first tick";
    })
        // The pause lets further ticks arrive: none may install again.
        .InstallationEnds(Installed).Pause(450).Click(IDC_REBOOT).Run([] { OpenPage(IDD_FINISH, NULL, FinishPage); });
    UnhookWindowsHookEx(hook);

    const std::vector<std::pair<std::string, int>> want = {
        { "Now Write PADMON.EXE", 0 }, { "Now Write REMOVER.EXE", 1 }, { "Now Write ALIGNER.EXE", 2 },
        { "Now Write TUNER.EXE", 3 }, { Installed, 4 } };
    EXPECT_EQ(want, Progress) << "a program named after its copy, or the installation ran more or less than once";
    ExpectInstalled(AllPrograms);
    EXPECT_EQ(1, RestartRequests);
}

// Whatever fails is named, never reported as a success, and the rest is still done.
TEST_F(FinishPageTest, ProgramMissingFromTheMediumIsNamedAndTheRestIsInstalled)
{
    MakeSetupMedium({ "ALIGNER.EXE" });
    InstallAndReboot("Cannot Write ALIGNER.EXE");
    ExpectInstalled({ "PADMON.EXE", "REMOVER.EXE", "TUNER.EXE" });
}

// Neither the Windows 9x folder nor a Programs folder of the shell: nothing to copy into.
TEST_F(FinishPageTest, WithoutAStartMenuTheCopiesFailButTheDriverIsRegistered)
{
    ShellProgramsHidden hidden;
    RemoveDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU").c_str());
    InstallAndReboot("Cannot Write PADMON.EXE");
    EXPECT_FALSE(FileExists(WindowsDirectoryPath("START MENU"))) << "made more than the last level";
    EXPECT_FALSE(FileExists("C:\\velmora-no-programs-folder"));
    ExpectInstalled({});
}

// Without its entry Windows would not load the driver at the next start; a key that takes
// no value (Wine honours a key's access list, as Windows does) stands for any such failure.
TEST_F(FinishPageTest, DriverEntryThatCannotBeWrittenIsReported)
{
    DenyKeyWrites(STATIC_DRIVER_KEY, true);
    InstallAndReboot("Cannot Write Registry");
    DenyKeyWrites(STATIC_DRIVER_KEY, false);
    EXPECT_EQ(0, CountValues(STATIC_DRIVER_KEY));
    for (const char *name : CompanionPrograms)
        EXPECT_TRUE(FileExists(StartMenuProgram(name))) << name;
}

// Copies from a CD or a write-protected diskette would keep its read-only attribute.
TEST_F(FinishPageTest, ProgramsFromAReadOnlyMediumAreCopiedWritable)
{
    for (const char *name : CompanionPrograms)
        SetReadOnly(medium_ + "\\" + name, true);
    InstallAndReboot(Installed);
    ExpectInstalled(AllPrograms);
}

// The settings key went away after the summary page saved: the save must not make it
// again, and the corners are lost, which the page must not call a success.
TEST_F(FinishPageTest, SettingsThatCannotBeSavedAreReported)
{
    DeleteKeyTree(SETTINGS_KEY);
    InstallAndReboot("Cannot Write Registry");
    ExpectInstalled(AllPrograms, false);
}

TEST_F(FinishPageTest, SecondInstallationOverwritesTheFirst)
{
    InstallAndReboot(Installed);
    WriteFileText(medium_ + "\\PADMON.EXE", "newer PADMON.EXE");
    ResetSetupGlobals();
    LoadPanelSettings();
    InstallAndReboot(Installed);
    ExpectInstalled(AllPrograms);
}

// A Windows directory so deep that two of the destinations no longer fit the 256-byte
// path: those two are not copied (a path cut short would name another file) and the first
// is named; the programs whose destinations fit are copied.
TEST_F(FinishPageTest, DestinationsTooLongForThePathAreNotCopied)
{
    // Levels of at most 40 characters down to a directory of 216, and its Start-menu folders.
    std::vector<std::string> made = { "C:\\velmora-deep" };
    while (made.back().size() < 216)
        made.push_back(made.back() + "\\" + std::string(std::min<size_t>(40, 215 - made.back().size()), 'd'));
    const std::string deep = made.back();
    ASSERT_EQ(216u, deep.size());
    made.insert(made.end(), { deep + "\\START MENU", deep + "\\START MENU\\PROGRAMS" });
    for (const std::string &level : made)
        ASSERT_TRUE(CreateDirectoryA(level.c_str(), NULL)) << level;
    ReportDirectory(WindowsDirectoryLookup, deep);

    InstallAndReboot("Cannot Write REMOVER.EXE");

    // 216 + "\START MENU\PROGRAMS\VELMORA\" + the name + the zero: 256 for PADMON.EXE; TUNER.EXE
    // is shorter, REMOVER.EXE and ALIGNER.EXE longer.
    made.push_back(deep + "\\START MENU\\PROGRAMS\\VELMORA");
    for (const char *name : CompanionPrograms) {
        std::string file = made.back() + "\\" + name;
        EXPECT_EQ(lstrlenA(name) <= 10, !!FileExists(file)) << file;
        DeleteFileA(file.c_str());
    }
    for (auto level = made.rbegin(); level != made.rend(); ++level)
        RemoveDirectoryA(level->c_str());
}

// A recorded run: the installation stands when its answers cannot be written.
TEST_F(FinishPageTest, AnswersThatCannotBeRecordedAreToldOnALineOfTheirOwn)
{
    SetupSwitches.Given[SETUP_SAVEINF] = TRUE;
    lstrcpyA(SetupSwitches.Value[SETUP_SAVEINF], medium_.c_str());
    Scenario().InstallationEnds(Installed).OnPage(IDD_FINISH, [](HWND page) {
        EXPECT_TRUE(ControlVisible(page, IDC_ANSWER_LINE));
        EXPECT_EQ("Cannot Write Answer File", ControlText(page, IDC_ANSWER_LINE));
        ExpectTextFitsItsControl(page, IDC_ANSWER_LINE);
    }).Click(IDC_REBOOT).Run([] { OpenPage(IDD_FINISH, NULL, FinishPage); });
    ExpectInstalled(AllPrograms);
}

TEST_F(FinishPageTest, FailedRestartTellsTheUserToRestart)
{
    RestartResult = FALSE;
    Scenario().InstallationEnds(Installed).Click(IDC_REBOOT).AnswerMessageBox(
        "Windows could not be restarted. Please restart Windows yourself to start the touch screen driver.",
        "Velmora Setup Utility", IDI_EXCLAMATION).Run([] { OpenPage(IDD_FINISH, NULL, FinishPage); });
    EXPECT_EQ(1, RestartRequests);
}

// The platform refuses a timer for a window that is gone; the page must then install at
// once rather than wait for a tick that never comes. (Wine, unlike Windows, grants one for
// another thread's window, so a page already destroyed is the refusal a test can make.)
TEST_F(FinishPageTest, WithoutATimerTheInstallationRunsAtOnce)
{
    HWND page = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(page != NULL);
    DestroyWindow(page);
    ASSERT_EQ(0u, SetTimer(page, 1, 200, NULL)) << "the platform granted a timer to a destroyed window";

    FinishPage(page, WM_INITDIALOG, 0, 0);
    ExpectInstalled(AllPrograms);
}

} // namespace
