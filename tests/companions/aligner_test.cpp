// The aligner: OK stores the new corners, any other way out leaves the registry and the
// driver with the alignment they had.
#include "companion_test.h"
#include "calibration.h"
#include "companions.h"
#include "resource.h"
#include "settings.h"
#include "sim_device.h"

namespace {

const int Targets[4] = { IDC_TARGET_LEFT_UP, IDC_TARGET_RIGHT_UP, IDC_TARGET_LEFT_DN, IDC_TARGET_RIGHT_DN };

// The installed corners handed back to the driver, in the order the screen sends corners.
const std::vector<std::string> Restored = {
    "ioctl 0x22000B 12 20", "ioctl 0x22000F 1010 18", "ioctl 0x220017 9 757",
    "ioctl 0x220013 1006 760", "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "close",
};

class Aligner : public CompanionTest {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        InstallVelmora();
        SetSimulation("QUARLO_SIM_PANEL", "100,900,50,700");
    }
    void TouchTargets(Scenario &s)
    {
        for (int id : Targets)
            TouchControl(s, id, &touched_);
        s.Then("testing", [](HWND screen) { return ControlEnabled(screen, IDC_OK) != FALSE; });
    }
    std::vector<std::string> LogTail(size_t count)
    {
        std::vector<std::string> log = ReadSimulationLog();
        return std::vector<std::string>(log.end() - std::min(count, log.size()), log.end());
    }
    std::vector<DWORD> Installed() { return std::vector<DWORD>(InstalledRecord, InstalledRecord + 13); }
    std::vector<POINT> touched_;
};

TEST_F(Aligner, OkStoresTheNewCornersAndKeepsTheRest)
{
    Scenario s;
    TouchTargets(s);
    s.Click(IDC_OK);
    s.Run([] { RunAligner(); });

    ASSERT_EQ(4u, touched_.size());
    RawPoint raw[4];
    for (int k = 0; k < 4; k++)
        SimulatedPanelRaw(touched_[k].x, touched_[k].y, &raw[k].X, &raw[k].Y);
    PanelCorners c;
    ExtrapolateCorners(raw, &c);
    std::vector<DWORD> expected = Installed();
    LONG corners[8] = { c.LeftUpX, c.LeftUpY, c.RightUpX, c.RightUpY, c.RightDnX, c.RightDnY, c.LeftDnX, c.LeftDnY };
    for (int i = 0; i < 8; i++)
        expected[i] = (DWORD)corners[i];
    EXPECT_EQ(expected, StoredRecord());
    EXPECT_EQ((std::vector<std::string>{ "ioctl 0x22001B 0 0", "close" }), LogTail(2));
}

TEST_F(Aligner, CancelHandsTheStoredCornersBackInEitherPhase)
{
    Scenario collecting;
    TouchControl(collecting, IDC_TARGET_LEFT_UP);
    collecting.Click(IDC_CANCEL);
    collecting.Run([] { RunAligner(); });
    EXPECT_EQ(Installed(), StoredRecord());
    EXPECT_EQ(Restored, LogTail(Restored.size()));

    DeleteFileA(simulationLog_.c_str());
    Scenario testing;
    TouchTargets(testing);
    testing.Click(IDC_CANCEL);
    testing.Run([] { RunAligner(); });
    EXPECT_EQ(Installed(), StoredRecord());
    EXPECT_EQ(Restored, LogTail(Restored.size()));
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
