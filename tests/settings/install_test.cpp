// Registering the driver for every start and removing what a cancelled setup stored,
// against the real registry and system directory.
#include "test_machine.h"
#include "paths.h"
#include "settings.h"

namespace {

class Installation : public SetupMachineTest {
protected:
    void PutDriverFile(const std::string &path) { WriteFileText(path, "driver"); }
    std::string driverFile_ = SystemDirectoryPath(DRIVER_FILE_NAME);
};

void ExpectStaticDriverEntry(void)
{
    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, &type, &data));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string("Quarlo.vxd", 11), std::string(data.begin(), data.end()));
}

TEST_F(Installation, RegistrationWritesItsValueAndLeavesTheOthers)
{
    RegisterStaticDriver();
    ExpectStaticDriverEntry();
    EXPECT_EQ(1, CountValues(STATIC_DRIVER_KEY));

    WriteValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, REG_SZ, "OTHER.VXD", 10);
    WriteDword(STATIC_DRIVER_KEY, "Start", 7);
    RegisterStaticDriver();
    ExpectStaticDriverEntry();
    DWORD start = 0;
    EXPECT_TRUE(ReadDword(STATIC_DRIVER_KEY, "Start", &start));
    EXPECT_EQ(7u, start);
    EXPECT_EQ(2, CountValues(STATIC_DRIVER_KEY));
}

TEST_F(Installation, RemovalAfterTheFirstPagesLeavesNothingBehind)
{
    LoadPanelSettings();
    PutDriverFile(driverFile_);
    RemoveInstallation();
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(FileExists(driverFile_));
}

TEST_F(Installation, RemovalWithOnlySomeValuesStillDeletesBothKeys)
{
    WriteDword(SETTINGS_KEY, "LeftUpX", 5);
    WriteDword(SETTINGS_KEY, "ComIrq", 3);
    WriteDword(SETTINGS_KEY, "RightButton", 1);
    PutDriverFile(driverFile_);
    RemoveInstallation();
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(FileExists(driverFile_));
}

TEST_F(Installation, RemovalWithoutTheSettingsKeyTouchesNoKeyButDeletesTheFile)
{
    WriteDword(SETTINGS_PARENT_KEY, "Owner", 1);
    PutDriverFile(driverFile_);
    RemoveInstallation();
    EXPECT_TRUE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_EQ(1, CountValues(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(FileExists(driverFile_));
}

// A completed earlier setup registered the driver; this run loads its settings, changes
// and saves them twice (the summary page, Back, the port page afresh, the summary page
// again) and is cancelled. The earlier installation must go on working as before.
TEST_F(Installation, CancelOverAnEarlierInstallationPutsItsSettingsBack)
{
    const DWORD earlier[PANEL_SETTING_COUNT] = { 10, 20, 1000, 30, 990, 1010, 15, 1005, 3, 888, 7, 0, 1 };
    enum { MODE = 11 };
    RegisterStaticDriver();
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        if (i != MODE)
            WriteDword(SETTINGS_KEY, PanelSettingNames[i], earlier[i]);
    PutDriverFile(driverFile_);

    for (DWORD port = 1; port <= 2; port++) {
        LoadPanelSettings();
        PanelSettings.ComPort = port;
        PanelSettings.LeftUpX = 99;
        SavePanelSettings();
    }
    RemoveInstallation();

    EXPECT_TRUE(FileExists(driverFile_)) << "the installed driver was deleted";
    ExpectStaticDriverEntry();
    for (int i = 0; i < PANEL_SETTING_COUNT; i++) {
        DWORD stored = 0xDEADBEEF;
        EXPECT_TRUE(ReadDword(SETTINGS_KEY, PanelSettingNames[i], &stored)) << PanelSettingNames[i];
        // The value missing at the first load comes back as the default the driver used.
        EXPECT_EQ(i == MODE ? 1u : earlier[i], stored) << PanelSettingNames[i];
    }
}

// Only an entry that was there when this run first loaded the settings counts: one
// written later is this run's own and goes with the rest.
TEST_F(Installation, EntryWrittenAfterTheFirstLoadIsNoEarlierInstallation)
{
    LoadPanelSettings();
    RegisterStaticDriver();
    PutDriverFile(driverFile_);
    RemoveInstallation();
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_FALSE(FileExists(driverFile_));
}

std::string ReportedDirectory;

// Answers as GetSystemDirectoryA does: the length copied, or the size needed when the
// directory does not fit, with nothing written.
UINT ReportDirectory(char *buffer, UINT size)
{
    if (ReportedDirectory.size() >= size)
        return (UINT)ReportedDirectory.size() + 1;
    lstrcpynA(buffer, ReportedDirectory.c_str(), size);
    return (UINT)ReportedDirectory.size();
}

// 244 characters of directory leave room for "\QUARLO.VXD" and the zero in 256 bytes;
// 245 do not, and then nothing may be deleted rather than a path cut short or overrun.
TEST_F(Installation, SystemDirectoryTooLongForThePathSkipsOnlyTheDelete)
{
    for (size_t length : { 244u, 245u }) {
        SCOPED_TRACE(length);
        ReportedDirectory = "C:\\" + std::string(length - 3, 'd');
        ASSERT_TRUE(CreateDirectoryA(ReportedDirectory.c_str(), NULL));
        std::string file = ReportedDirectory + "\\" + DRIVER_FILE_NAME;
        PutDriverFile(file);
        ASSERT_TRUE(FileExists(file));
        PutDriverFile(driverFile_);
        LoadPanelSettings();
        SystemDirectoryLookup = ReportDirectory;

        RemoveInstallation();
        SystemDirectoryLookup = NULL;

        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_EQ(length == 245, FileExists(file));
        EXPECT_TRUE(FileExists(driverFile_));
        DeleteFileA(file.c_str());
        RemoveDirectoryA(ReportedDirectory.c_str());
        ResetSetupGlobals();
    }

    ReportedDirectory = "C:\\" + std::string(300, 'd');
    SystemDirectoryLookup = ReportDirectory;
    RemoveInstallation();
    EXPECT_TRUE(FileExists(driverFile_));
}

} // namespace
