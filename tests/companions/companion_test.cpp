// An installed Velmora and the steps the companion tests share.
#include "companion_test.h"
#include "companions.h"
#include "settings.h"
#include "setup.h"

const DWORD InstalledRecord[13] = { 12, 20, 1010, 18, 1006, 760, 9, 757, 2, 760, 3, 2, 1 };

void CompanionTest::SetUp()
{
    SetupMachineTest::SetUp();
    SetupInstance = GetModuleHandleA(NULL);
    folder_ = WindowsDirectoryPath(START_MENU_FOLDER);
    DeleteFileA(WindowsDirectoryPath("WININIT.INI").c_str());
}

void CompanionTest::TearDown()
{
    DeleteFileA(WindowsDirectoryPath("WININIT.INI").c_str());
    SetupMachineTest::TearDown();
}

void CompanionTest::InstallVelmora()
{
    for (int i = 0; i < 13; i++)
        WriteDword(SETTINGS_KEY, PanelSettingNames[i], InstalledRecord[i]);
    RegisterStaticDriver();
    WriteFileText(SystemDirectoryPath(DRIVER_FILE_NAME), "installed driver");
    CreateDirectoryA(WindowsDirectoryPath("START MENU").c_str(), NULL);
    CreateDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str(), NULL);
    CreateDirectoryA(folder_.c_str(), NULL);
    for (const char *name : { "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE" })
        WriteFileText(folder_ + "\\" + name, "installed program");
}

std::vector<DWORD> CompanionTest::StoredRecord()
{
    std::vector<DWORD> values;
    for (int i = 0; i < 13; i++) {
        DWORD value = 0xDEADBEEF;
        ReadDword(SETTINGS_KEY, PanelSettingNames[i], &value);
        values.push_back(value);
    }
    return values;
}

Scenario &Answer(Scenario &s, const std::string &text, const char *caption, int button)
{
    std::string wantCaption = caption;
    return s.Then("answer \"" + text.substr(0, 40) + "\"", [text, wantCaption, button](HWND active) {
        MessageBoxSeen seen;
        if (!ReadMessageBox(active, &seen))
            return false;
        EXPECT_EQ(text, seen.text);
        EXPECT_EQ(wantCaption, seen.caption);
        HWND answer = GetDlgItem(active, button);
        EXPECT_TRUE(answer != NULL) << "the box has no button " << button;
        PostMessageA(answer ? answer : active, BM_CLICK, 0, 0);
        return true;
    });
}

Scenario &TouchControl(Scenario &s, int id, std::vector<POINT> *touched)
{
    return s.Then("touch control " + std::to_string(id), [id, touched](HWND active) {
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
