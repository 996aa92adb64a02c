// Registering the driver for every start and removing what a cancelled setup stored,
// against the real registry and system directory.
#include "dialog_driver.h"
#include "test_machine.h"
#include "paths.h"
#include "resource.h"
#include "driver_entry.h"
#include "earlier.h"
#include "removal.h"
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

TEST_F(Installation, RemovalLeavesNothingOfThisRunBehind)
{
    const struct { const char *what; void (*prepare)(void); } cases[] = {
        { "after the first pages", [] { LoadPanelSettings(); } },
        { "with only some values", [] {
            WriteDword(SETTINGS_KEY, "LeftUpX", 5);
            WriteDword(SETTINGS_KEY, "RightButton", 1);
        } },
        // Only an entry that was there when this run first loaded the settings counts: one
        // written later is this run's own and goes with the rest.
        { "entry written after the first load", [] { LoadPanelSettings(); RegisterStaticDriver(); } },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ResetSetupGlobals();
        c.prepare();
        PutDriverFile();
        RemoveInstallation();
        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_FALSE(FileExists(driverFile_));
    }
}

TEST_F(Installation, RemovalWithoutTheSettingsKeyTouchesNoKeyButDeletesTheFile)
{
    WriteDword(SETTINGS_PARENT_KEY, "Owner", 1);
    PutDriverFile();
    RemoveInstallation();
    EXPECT_EQ(1, CountValues(SETTINGS_PARENT_KEY)) << "the parent key went, or lost its value";
    EXPECT_FALSE(FileExists(driverFile_));
}

// A completed earlier setup registered the driver; a run saved its own settings twice over
// its own driver copy and the machine stopped: the next setup puts the aside copy back
// before it begins.
TEST_F(Installation, StoppedRunsAsideCopyComesBackAtTheNextSetup)
{
    enum { MODE = 11 };
    std::vector<DWORD> earlier = InstalledRecord;
    earlier[MODE] = MISSING_VALUE;
    LayOutEarlierInstallation(earlier);
    SetReadOnly(driverFile_, true);
    // Ports other than the installed COM 2, so that only a copy put back can bring it back.
    for (DWORD port : { 1, 3 }) {
        LoadPanelSettings();
        KeepEarlierInstallationAside();
        ASSERT_TRUE(CopyWritableFile(DRIVER_FILE_NAME, driverFile_.c_str()));
        PanelSettings.ComPort = port;
        SavePanelSettings();
    }

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

// 244 characters of directory leave room for "\QUARLO.VXD" and the zero in 256 bytes;
// 245 do not, and then nothing may be deleted rather than a path cut short or overrun.
TEST_F(Installation, SystemDirectoryTooLongForThePathSkipsOnlyTheDelete)
{
    for (size_t length : { 244u, 245u }) {
        SCOPED_TRACE(length);
        std::string directory = "C:\\" + std::string(length - 3, 'd');
        ASSERT_TRUE(CreateDirectoryA(directory.c_str(), NULL));
        std::string file = directory + "\\" + DRIVER_FILE_NAME;
        WriteFileText(file, "driver");
        ASSERT_TRUE(FileExists(file));
        // Copied by this run: the first load found no driver to put back.
        DeleteFileA(driverFile_.c_str());
        LoadPanelSettings();
        PutDriverFile();
        ReportDirectory(SystemDirectoryLookup, directory);

        RemoveInstallation();

        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_EQ(length == 245, FileExists(file));
        EXPECT_TRUE(FileExists(driverFile_));
        DeleteFileA(file.c_str());
        RemoveDirectoryA(directory.c_str());
        ResetSetupGlobals();
    }

    ReportDirectory(SystemDirectoryLookup, "C:\\" + std::string(300, 'd'));
    RemoveInstallation();
    EXPECT_TRUE(FileExists(driverFile_));
}

} // namespace
