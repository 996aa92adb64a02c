// An installed Velmora and the steps the companion tests share.
#include "companion_test.h"
#include "registry.h"

void CompanionTest::SetUp()
{
    SetupMachineTest::SetUp();
    folder_ = WindowsDirectoryPath(START_MENU_FOLDER);
    DeleteFileA(WindowsDirectoryPath("WININIT.INI").c_str());
}

void CompanionTest::ShutKey(const char *path, bool shut)
{
    DenyKeyWrites(path, shut);
    HKEY key;
    LONG status = OpenKey(path, KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS)
        RegCloseKey(key);
    EXPECT_EQ(shut, status == ERROR_ACCESS_DENIED) << path << " opened for writing with " << status;
}

void CompanionTest::TearDown()
{
    for (const char *path : { SETTINGS_KEY, STATIC_DRIVER_KEY })
        if (KeyExists(path))
            ShutKey(path, false);
    DeleteFileA(WindowsDirectoryPath("WININIT.INI").c_str());
    SetupMachineTest::TearDown();
}

void CompanionTest::InstallVelmora()
{
    LayOutEarlierInstallation();
    MakeStartMenu();
    CreateDirectoryA(folder_.c_str(), NULL);
    for (const char *name : CompanionPrograms)
        WriteFileText(StartMenuProgram(name), "installed program");
    WriteUninstallEntryFor(folder_ + "\\REMOVER.EXE");
}

void InstalledTest::SetUp()
{
    CompanionTest::SetUp();
    InstallVelmora();
}

void CompanionTest::StopSetupOverTheInstallation()
{
    LoadPanelSettings();
    PutDriverFile("medium driver");
    PanelSettings.ComPort = 1;
    SavePanelSettings();
    ASSERT_TRUE(JournalPresent());
    ResetSetupGlobals();   // what runs next is a process of its own
}

void CompanionTest::InstallBySetup(const std::vector<int> &choices, const char *commandLine)
{
    Scenario().WalkToPage(IDD_CALIBRATION, choices).TouchTargets().Click(IDC_OK).InstallationEnds().Click(IDC_REBOOT)
        .Run([commandLine] { RunSetupProgram(commandLine); });
}

void CompanionTest::ExpectInstalled(const std::vector<DWORD> &record, bool fromMedium)
{
    EXPECT_EQ(record, StoredRecord());
    ExpectStaticDriverEntry();
    EXPECT_EQ(fromMedium ? "medium copy of QUARLO.VXD" : "installed driver",
              ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    for (const char *name : CompanionPrograms)
        EXPECT_EQ(fromMedium ? std::string("medium copy of ") + name : "installed program",
                  ReadFileText(StartMenuProgram(name))) << name;
    ExpectUninstallEntry(folder_ + "\\REMOVER.EXE");
    EXPECT_FALSE(EarlierInstallationAside());
}

void CompanionTest::ExpectNothingInstalled()
{
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(KeyExists(STATIC_DRIVER_KEY));
    EXPECT_FALSE(FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)));
    EXPECT_FALSE(FileExists(folder_)) << "the Start-menu folder stayed";
    EXPECT_FALSE(EarlierInstallationAside());
    ExpectUninstallEntry("");
    EXPECT_FALSE(VelmoraPresent());
}

std::vector<std::string> LogTail(size_t count)
{
    std::vector<std::string> log = ReadSimulationLog();
    log.erase(log.begin(), log.end() - std::min(count, log.size()));
    return log;
}

void RunAnswering(int (*program)(void), const std::string &text, const char *caption, LPCSTR icon)
{
    Scenario().AnswerMessageBox(text, caption, icon).Run(program);
}

static BOOL CALLBACK TellWindow(HWND window, LPARAM message)
{
    SendMessageA(window, (UINT)message, message == WM_ENDSESSION, 0);
    return TRUE;
}

void EndSession(void)
{
    for (UINT message : { WM_QUERYENDSESSION, WM_ENDSESSION })
        EnumThreadWindows(GetCurrentThreadId(), TellWindow, message);
}

HANDLE HoldOpen(const std::string &path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
}

std::function<void(HWND window)> TunerShows(DWORD mode, DWORD button)
{
    return [mode, button](HWND page) {
        for (int m = 1; m <= 3; m++)
            EXPECT_EQ(mode == (DWORD)m ? BST_CHECKED : BST_UNCHECKED, ControlChecked(page, IDC_TUNER_MODE1 + m - 1))
                << "mode " << m;
        EXPECT_EQ(button == 1 ? BST_CHECKED : BST_UNCHECKED, ControlChecked(page, IDC_TUNER_RIGHT_BUTTON));
    };
}
