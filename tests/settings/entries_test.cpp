// The driver's entry for every start, the Add/Remove entry and an older setup's aside copy,
// against the real registry and system directory.
#include "dialog_driver.h"
#include "test_machine.h"
#include "resource.h"
#include "driver_entry.h"
#include "earlier.h"
#include "uninstall_entry.h"

namespace {

class Installation : public SetupMachineTest {
protected:
    std::string driverFile_ = SystemDirectoryPath(DRIVER_FILE_NAME);
};

TEST_F(Installation, RegistrationWritesItsValueAndLeavesTheOthers)
{
    RegisterStaticDriver();
    ExpectStaticDriverEntry();

    WriteValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, REG_SZ, "OTHER.VXD", 10);
    WriteDword(STATIC_DRIVER_KEY, "Start", 7);
    RegisterStaticDriver();
    ExpectStaticDriverEntry(1);
    EXPECT_EQ(7u, StoredDword(STATIC_DRIVER_KEY, "Start"));
}

// The entry as setup writes it, each value checked by name, type and bytes; another program's
// value beside them does not count. Setup's own write and the tests' copy agree.
TEST_F(Installation, UninstallEntryIsAsWrittenOnlyWhenEveryValueIs)
{
    const std::string folder = "C:\\Program Files\\VELMORA", remover = folder + "\\REMOVER.EXE";
    const struct { const char *what; void (*change)(void); } changes[] = {
        { "an older version", [] { WriteValue(UninstallKey, "DisplayVersion", REG_SZ, "6.03", 5); } },
        { "a flag as text", [] { WriteValue(UninstallKey, "NoRepair", REG_SZ, "1", 2); } },
        { "no icon", [] { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, UninstallKey, "DisplayIcon"); } },
    };
    EXPECT_FALSE(UninstallEntryIsAsWritten(folder.c_str())) << "no entry";
    ASSERT_TRUE(WriteUninstallEntry(folder.c_str(), "2026-12-08 10:42:17"));
    ExpectUninstallEntry(remover);
    WriteValue(UninstallKey, "InstallLocation", REG_SZ, "C:\\", 4);
    EXPECT_TRUE(UninstallEntryIsAsWritten(folder.c_str()));
    EXPECT_FALSE(UninstallEntryIsAsWritten("C:\\VELMORA"));
    for (const auto &change : changes) {
        WriteUninstallEntryFor(remover);
        change.change();
        EXPECT_FALSE(UninstallEntryIsAsWritten(folder.c_str())) << change.what;
    }
    // The removal takes every value of its own and leaves the other program's.
    EXPECT_TRUE(DeleteUninstallEntry());
    EXPECT_EQ(1, CountValues(UninstallKey));
    DeleteKeyTree(UninstallKey);
}

// An older setup, stopped while it replaced a completed installation, left it aside: the
// settings it ran with (one missing) in their key and its driver as QUARLO.OLD. The next
// setup puts it back before it begins.
TEST_F(Installation, OlderSetupsAsideCopyComesBackAtTheNextSetup)
{
    enum { MODE = 11 };
    std::vector<DWORD> earlier = InstalledRecord;
    earlier[MODE] = MISSING_VALUE;
    LayOutEarlierInstallation(earlier);
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (earlier[i] != MISSING_VALUE)
            WriteDword(EARLIER_SETTINGS_KEY, PanelSettingFields[i].Name, earlier[i]);
    MoveFileA(driverFile_.c_str(), SystemDirectoryPath(EARLIER_DRIVER_FILE_NAME).c_str());
    PutDriverFile("medium driver");
    WriteDword(SETTINGS_KEY, "ComPort", 1);

    ResetSetupGlobals();
    Scenario().OnPage(IDD_WELCOME, [](HWND) {
        EXPECT_FALSE(EarlierInstallationAside()) << "not put back before the run began";
    }).Click(IDC_CANCEL).Run([] { RunSetupProgram(); });

    EXPECT_EQ("installed driver", ReadFileText(driverFile_));
    EXPECT_FALSE(FileExists(SystemDirectoryPath(EARLIER_DRIVER_FILE_NAME)));
    ExpectStaticDriverEntry();
    // The value missing at the first load stays missing: the driver goes on using its default.
    EXPECT_EQ(earlier, StoredRecord());
}

} // namespace
