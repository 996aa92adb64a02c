// Registering the driver for every start and putting back what a run stored, against the
// real registry and system directory.
#include "dialog_driver.h"
#include "test_machine.h"
#include "paths.h"
#include "resource.h"
#include "driver_entry.h"
#include "earlier.h"
#include "installation.h"
#include "journal.h"
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

// What a run on a machine without an installation stored goes with its journal, whichever
// pieces it got to: the settings, their key and parent, the driver's entry and the driver.
TEST_F(Installation, RollBackLeavesNothingOfThisRunBehind)
{
    const struct { const char *what; void (*change)(void); } cases[] = {
        { "after the first pages", [] {} },
        { "with only some values", [] { DeleteKeyTree(SETTINGS_KEY); WriteDword(SETTINGS_KEY, "LeftUpX", 5); } },
        { "with the driver's entry", [] { RegisterStaticDriver(); } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetSetupGlobals();
        LoadPanelSettings();
        ASSERT_TRUE(FileExists(WindowsDirectoryPath(JOURNAL_FILE_NAME)));
        c.change();
        PutDriverFile();
        EXPECT_TRUE(RollBackJournal());
        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_FALSE(KeyExists(STATIC_DRIVER_KEY));
        EXPECT_FALSE(FileExists(driverFile_));
        EXPECT_FALSE(FileExists(WindowsDirectoryPath(JOURNAL_FILE_NAME)));
    }
}

// Another product's value in the parent key keeps the parent; a driver file that was there
// comes back as it was.
TEST_F(Installation, RollBackKeepsWhatWasThereBeforeTheRun)
{
    WriteDword(SETTINGS_PARENT_KEY, "Owner", 1);
    PutDriverFile("older driver");
    SetReadOnly(driverFile_, true);
    LoadPanelSettings();
    ASSERT_TRUE(ReplaceWritableFile(DRIVER_FILE_NAME, driverFile_.c_str()));
    EXPECT_TRUE(RollBackJournal());
    EXPECT_EQ(1, CountValues(SETTINGS_PARENT_KEY)) << "the parent key went, or lost its value";
    EXPECT_FALSE(KeyExists(SETTINGS_KEY));
    EXPECT_EQ("older driver", ReadFileText(driverFile_));
    EXPECT_TRUE(IsReadOnly(driverFile_));
    SetReadOnly(driverFile_, false);
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

// 244 characters of directory leave room for "\QUARLO.VXD" and the zero in 256 bytes; 245
// do not: then the journal holds no driver and the run copies none, rather than a path cut
// short or overrun.
TEST_F(Installation, SystemDirectoryTooLongForThePathIsNeitherRecordedNorCopied)
{
    for (size_t length : { 244u, 245u }) {
        SCOPED_TRACE(length);
        std::string directory = "C:\\" + std::string(length - 3, 'd');
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), NULL));
        std::string file = directory + "\\" + DRIVER_FILE_NAME;
        ReportDirectory(SystemDirectoryLookup, directory);
        LoadPanelSettings();
        PrepareDriver();
        EXPECT_EQ(length == 244, FileExists(file));

        CloseTouchDriver();
        EXPECT_TRUE(RollBackJournal());
        EXPECT_FALSE(FileExists(file));
        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        RemoveDirectoryA(directory.c_str());
        ResetSetupGlobals();
    }
}

} // namespace
