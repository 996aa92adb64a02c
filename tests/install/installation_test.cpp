// Putting back what a run stored, whichever pieces it got to, against the real registry and
// system directory.
#include "test_machine.h"
#include "paths.h"
#include "driver_entry.h"
#include "installation.h"
#include "journal.h"

namespace {

class Installation : public SetupMachineTest {
protected:
    std::string driverFile_ = SystemDirectoryPath(DRIVER_FILE_NAME);
};

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
