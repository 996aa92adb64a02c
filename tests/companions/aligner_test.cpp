// The aligner: OK stores the new corners, any other way out leaves the registry and the
// driver with the alignment they had; a slipped touch is refused, and a fifth target at the
// centre measures the alignment.
#include "companion_test.h"
#include "calibration_screen.h"
#include "sim_device.h"

namespace {

// The four corner targets and the centre.
const int WholeRound = 5;
const char ReadPoint[] = "ioctl 0x220007 0 0";

// The installed corners handed back to the driver, in the order the screen sends corners.
const std::vector<std::string> Restored = {
    "ioctl 0x22000B 12 20", "ioctl 0x22000F 1010 18", "ioctl 0x220017 9 757",
    "ioctl 0x220013 1006 760", "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "close",
};

class Aligner : public InstalledTest {
protected:
    void SetUp() override
    {
        InstalledTest::SetUp();
        SetSimulation("QUARLO_SIM_PANEL", "100,900,50,700");
    }
};

// The stored corners are the ones the driver was sent; the other fields stay as installed.
TEST_F(Aligner, OkStoresTheNewCornersAndKeepsTheRest)
{
    Scenario().TouchTargets(WholeRound).Click(IDC_OK).Run(RunAligner);

    std::vector<DWORD> stored = StoredRecord();
    EXPECT_NE(std::vector<DWORD>(InstalledRecord.begin(), InstalledRecord.begin() + 8),
              std::vector<DWORD>(stored.begin(), stored.begin() + 8)) << "the corners were not stored";
    EXPECT_EQ(std::vector<DWORD>(InstalledRecord.begin() + 8, InstalledRecord.end()),
              std::vector<DWORD>(stored.begin() + 8, stored.end()));
    const std::vector<std::string> tail = {
        IoctlLine("0x22000B", stored[0], stored[1]), IoctlLine("0x22000F", stored[2], stored[3]),
        IoctlLine("0x220017", stored[6], stored[7]), IoctlLine("0x220013", stored[4], stored[5]),
        "ioctl 0x22001B 1 1", ReadPoint, "ioctl 0x22001B 0 0", "ioctl 0x22001B 0 0", "close",
    };
    EXPECT_EQ(tail, LogTail(tail.size()));
}

// While collecting, at the centre target (the new corners already sent) and while testing;
// also when the settings key may be read but not written, and as the session ends, before
// the process does.
TEST_F(Aligner, CancelHandsTheStoredCornersBackInEitherPhase)
{
    const struct { int touches; bool closed, sessionEnds; } rows[] = {
        { 1, false, false }, { 4, false, false }, { 5, false, false }, { 5, true, false }, { 4, false, true } };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(row.touches) + (row.closed ? " touches, key closed" : row.sessionEnds ? " touches, session ended" : " touches"));
        ShutKey(SETTINGS_KEY, row.closed);
        ClearSimulationLog();
        Scenario s;
        s.TouchTargets(row.touches);
        if (row.sessionEnds)
            s.Do("end the session", [](HWND) {
                EndSession();
                EXPECT_EQ(std::vector<std::string>(Restored.begin(), Restored.end() - 1), LogTail(Restored.size() - 1));
            });
        s.Click(IDC_CANCEL).Run(RunAligner);
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
        Scenario().TouchTargets(WholeRound).Do("remove", [this, vanished](HWND) {
            if (vanished) {
                ShutKey(SETTINGS_KEY, false);
                DeleteKeyTree(SETTINGS_PARENT_KEY);
            }
        }).Click(IDC_OK).AnswerMessageBox(ALIGNMENT_NOT_STORED_TEXT, ALIGNER_CAPTION, IDI_EXCLAMATION).Run(RunAligner);
        EXPECT_EQ(vanished ? std::vector<DWORD>(PANEL_SETTING_COUNT, MISSING_VALUE) : InstalledRecord, StoredRecord());
    }
}

// The note the screen must show for a touch at this point on the centre target: the error,
// as the simulated driver maps the point by the corners it now holds. Empty: no note.
std::string CentreNote(POINT at)
{
    LONG x, y, width = GetSystemMetrics(SM_CXSCREEN);
    POINT mapped = { -9999, -9999 };
    SimulatedPanelRaw(at.x, at.y, &x, &y);
    EXPECT_TRUE(SimulatedTouchToScreen(x, y, &mapped));
    LONG error = std::max(std::abs(mapped.x - width / 2), std::abs(mapped.y - GetSystemMetrics(SM_CYSCREEN) / 2));
    std::string good = std::to_string(width / 50);
    return "Alignment error: " + std::to_string(error) + " pixels" +
           (error > width / 50 ? ", more than the " + good + " pixels that are good: press Retry to align again." : " (good within " + good + ")");
}

void ExpectNote(HWND screen, const std::string &note)
{
    EXPECT_EQ(!note.empty(), !!ControlVisible(screen, IDC_ALIGN_NOTE));
    if (!note.empty()) {
        EXPECT_EQ(note, ControlText(screen, IDC_ALIGN_NOTE));
        ExpectTextFitsItsControl(screen, IDC_ALIGN_NOTE);
    }
}

// The screen just after a refused touch: target k alone, and the note saying why.
void ExpectRefused(Scenario &s, int k, const char *note = TOUCH_REFUSED_TEXT)
{
    s.Pause(100).OnPage(IDD_CALIBRATION, [k, note](HWND screen) {
        EXPECT_EQ(k, PointIndex);
        for (int t = 0; t < 4; t++)
            EXPECT_EQ(t == k, !!ControlVisible(screen, CalibrationTargetIds[t])) << "target " << t;
        ExpectNote(screen, note);
    });
}

// On a panel whose X has four times Y's raw units, target 1 touched 40 pixels low counts
// until target 2 gives the Y span, which starts the round again. Then target 2 touched 40
// pixels right of itself, then left: the first is refused with target 2 still shown, the
// second starts again at target 0. Nothing reaches the driver, and the corners come from
// the clean round that follows.
TEST_F(Aligner, SlippedTouchIsRefusedAndASecondInARowStartsAgain)
{
    SetSimulation("QUARLO_SIM_PANEL", "0,4000,0,1000");
    Scenario s;
    ExpectRefused(s.TouchControl(IDC_TARGET_LEFT_UP).Touch(922, 116).TouchControl(IDC_TARGET_LEFT_DN), 0,
                  ROW_REFUSED_TEXT);
    ExpectRefused(s.TouchTargets(2).Touch(142, 692), 2);
    ExpectRefused(s.Touch(62, 692), 0);
    s.TouchTargets(WholeRound).Click(IDC_OK).Run(RunAligner);

    // Eleven reads (seven touches, then the round's four corners) before the corners go.
    std::vector<std::string> log = ReadSimulationLog();
    ASSERT_LE(14u, log.size());
    EXPECT_EQ(std::vector<std::string>(11, ReadPoint), std::vector<std::string>(log.begin() + 2, log.begin() + 13));
    EXPECT_EQ(0u, log[13].find("ioctl 0x22000B")) << "a refused touch reached the driver: " << log[13];
    // The top corners lie where the panel gives Y 0, two units either way at 768 pixels.
    EXPECT_NEAR(0, (LONG)StoredRecord()[1], 2);
    EXPECT_NEAR(0, (LONG)StoredRecord()[3], 2);
}

// After the fourth touch only the centre target and its line are left, OK not yet possible; a touch 30
// pixels right of it shows that error and asks for Retry, a clean one after Retry its own.
TEST_F(Aligner, FifthTargetShowsTheAlignmentErrorThenTesting)
{
    POINT off = { GetSystemMetrics(SM_CXSCREEN) / 2 + 30, GetSystemMetrics(SM_CYSCREEN) / 2 };
    std::vector<POINT> touched;
    Scenario().TouchTargets(4).OnPage(IDD_CALIBRATION, [](HWND screen) {
        EXPECT_FALSE(ControlVisible(screen, IDC_TARGET_RIGHT_DN));
        EXPECT_FALSE(ControlVisible(screen, IDC_HOW_5)) << "the instructions lie under the centre target";
        EXPECT_TRUE(ControlVisible(screen, IDC_ALIGN_CENTRE_HOW));
        EXPECT_EQ("Touch the centre of the target to measure the alignment.", ControlText(screen, IDC_ALIGN_CENTRE_HOW));
        ExpectTextFitsItsControl(screen, IDC_ALIGN_CENTRE_HOW);
        EXPECT_FALSE(ControlEnabled(screen, IDC_OK));
        ExpectNote(screen, "");
    }).Touch(off.x, off.y).WhenEnabled(IDD_CALIBRATION, IDC_OK, [off](HWND screen) {
        EXPECT_FALSE(ControlVisible(screen, IDC_TARGET_CENTRE));
        EXPECT_FALSE(ControlVisible(screen, IDC_ALIGN_CENTRE_HOW));
        EXPECT_NE(std::string::npos, CentreNote(off).find("Retry"));
        ExpectNote(screen, CentreNote(off));
    }).Click(IDC_RETRY).OnPage(IDD_CALIBRATION, [](HWND screen) { ExpectNote(screen, ""); })
        .TouchTargets(WholeRound, &touched).OnPage(IDD_CALIBRATION, [&touched](HWND screen) {
            EXPECT_EQ(std::string::npos, CentreNote(touched.back()).find("Retry"));
            ExpectNote(screen, CentreNote(touched.back()));
        }).Click(IDC_OK).Run(RunAligner);
    EXPECT_EQ(1, CalibrationAccepted);
}

TEST_F(Aligner, NotInstalledOpensNothingAndCreatesNothing)
{
    DeleteKeyTree(SETTINGS_PARENT_KEY);
    RunAnswering(RunAligner, NOT_INSTALLED_TEXT, ALIGNER_CAPTION, IDI_EXCLAMATION);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
    EXPECT_TRUE(ReadSimulationLog().empty()) << "the driver was opened";
}

} // namespace
