// An installed Velmora and the steps the companion tests share.
#include "companion_test.h"
#include "companions.h"
#include "driver_entry.h"
#include "earlier.h"

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
    LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &key);
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

void CompanionTest::StopSetupOverTheInstallation()
{
    LoadPanelSettings();
    KeepEarlierInstallationAside();
    PutDriverFile("medium driver");
    PanelSettings.ComPort = 1;
    SavePanelSettings();
    ASSERT_TRUE(EarlierInstallationAside());
    ResetSetupGlobals();   // what runs next is a process of its own
}

Scenario &OnWindowWith(Scenario &s, int id, std::function<void(HWND window)> check)
{
    return s.Then("window with control " + std::to_string(id), [id, check](HWND active) {
        if (!GetDlgItem(active, id) || !IsWindowVisible(active))
            return false;
        if (check)
            check(active);
        return true;
    });
}
