// The aligner: OK stores the new corners, any other way out leaves the registry and the
// driver with the alignment they had.
#include "companion_test.h"
#include "companions.h"
#include "resource.h"
#include "settings.h"

namespace {

// The installed corners handed back to the driver, in the order the screen sends corners.
const std::vector<std::string> Restored = {
    "ioctl 0x22000B 12 20", "ioctl 0x22000F 1010 18", "ioctl 0x220017 9 757",
    "ioctl 0x220013 1006 760", "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "close",
};

std::vector<std::string> LogTail(size_t count)
{
    std::vector<std::string> log = ReadSimulationLog();
    return ReadSimulationLog(log.size() - std::min(count, log.size()));
}

class Aligner : public CompanionTest {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        InstallVelmora();
        SetSimulation("QUARLO_SIM_PANEL", "100,900,50,700");
    }
};

// The stored corners are the ones the driver was sent; the other fields stay as installed.
TEST_F(Aligner, OkStoresTheNewCornersAndKeepsTheRest)
{
    Scenario s;
    TouchTargets(s).Click(IDC_OK);
    s.Run([] { RunAligner(); });

    std::vector<DWORD> stored = StoredRecord();
    EXPECT_NE(std::vector<DWORD>(InstalledRecord.begin(), InstalledRecord.begin() + 8),
              std::vector<DWORD>(stored.begin(), stored.begin() + 8)) << "the corners were not stored";
    EXPECT_EQ(std::vector<DWORD>(InstalledRecord.begin() + 8, InstalledRecord.end()),
              std::vector<DWORD>(stored.begin() + 8, stored.end()));
    const std::vector<std::string> tail = {
        IoctlLine("0x22000B", stored[0], stored[1]), IoctlLine("0x22000F", stored[2], stored[3]),
        IoctlLine("0x220017", stored[6], stored[7]), IoctlLine("0x220013", stored[4], stored[5]),
        "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "ioctl 0x22001B 0 0", "close",
    };
    EXPECT_EQ(tail, LogTail(tail.size()));
}

// Also when the settings key may be read but not written.
TEST_F(Aligner, CancelHandsTheStoredCornersBackInEitherPhase)
{
    const struct { int touches; bool closed; } rows[] = { { 1, false }, { 4, false }, { 4, true } };
    for (const auto &row : rows) {
        int touches = row.touches;
        SCOPED_TRACE(std::to_string(touches) + (row.closed ? " touches, key closed" : " touches"));
        if (row.closed)
            ShutKey();
        ClearSimulationLog();
        Scenario s;
        TouchTargets(s, touches).Click(IDC_CANCEL);
        s.Run([] { RunAligner(); });
        EXPECT_EQ(InstalledRecord, StoredRecord());
        EXPECT_EQ(Restored, LogTail(Restored.size()));
    }
}

// The driver keeps corners the registry could not take only until Windows restarts: said,
// whether the key is closed to writing or went while the screen was up.
TEST_F(Aligner, OkWhoseCornersCannotBeStoredIsTold)
{
    for (bool vanished : { false, true }) {
        SCOPED_TRACE(vanished ? "key removed while testing" : "key closed to writing");
        ShutKey();
        Scenario s;
        TouchTargets(s).Then("remove", [this, vanished](HWND) {
            if (vanished) {
                ShutKey(SETTINGS_KEY, false);
                DeleteKeyTree(SETTINGS_PARENT_KEY);
            }
            return true;
        });
        s.Click(IDC_OK).AnswerMessageBox(ALIGNMENT_NOT_STORED_TEXT, ALIGNER_CAPTION, IDI_EXCLAMATION);
        s.Run([] { RunAligner(); });
        EXPECT_EQ(vanished ? std::vector<DWORD>(PANEL_SETTING_COUNT, MISSING_VALUE) : InstalledRecord, StoredRecord());
    }
}

TEST_F(Aligner, NotInstalledOpensNothingAndCreatesNothing)
{
    DeleteKeyTree(SETTINGS_PARENT_KEY);
    Scenario s;
    s.AnswerMessageBox(NOT_INSTALLED_TEXT, ALIGNER_CAPTION, IDI_EXCLAMATION);
    s.Run([] { RunAligner(); });
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_TRUE(ReadSimulationLog().empty()) << "the driver was opened";
}

} // namespace
