// The calibration screen against the simulated driver: its states as the user sees them,
// the driver's calls in order, Retry, Cancel in both phases, releases it must ignore, and
// real mouse and keyboard input: Enter, double taps, touches that give no span.
#include "dialog_driver.h"
#include "test_machine.h"
#include "calibration_screen.h"
#include "driver.h"
#include "resource.h"
#include "earlier.h"
#include "installation.h"
#include "setup.h"
#include "sim_device.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char ReadPoint[] = "ioctl 0x220007 0 0";

// The cursor display count of this thread, read without changing it.
int CursorCount(void)
{
    int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

class CalibrationScreenTest : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        // X rising, Y falling, edges inside the raw range: 3.5 and 4.4 raw units a pixel.
        SetSimulation("QUARLO_SIM_PANEL", "200,3800,3700,300");
        PutDriverFile();
        LoadPanelSettings();
        loaded_ = PanelSettings;
        before_ = CursorCount();
    }
    // The screen as the summary page opens it: over an open driver.
    static void OpenScreen()
    {
        ASSERT_TRUE(OpenTouchDriver());
        OpenPage(IDD_CALIBRATION, NULL, CalibrationScreen);
    }
    // Collecting target k (0 to 3), or testing (k 4). The wordmark, the display size and the
    // three buttons show in both phases; only target k, the heading and the instructions
    // while collecting, the test lines while testing. Collecting hides the cursor exactly
    // once and leaves only Cancel to press; testing enables OK and Retry. The button that
    // holds the focus, Cancel or OK, is the one drawn as the default, so Enter runs it.
    void ExpectPhase(HWND screen, int k) const
    {
        const bool collecting = k < 4;
        EXPECT_EQ(collecting ? 1 : 0, CaptureActive);
        EXPECT_EQ(k, PointIndex);
        for (int t = 0; t < 4; t++)
            EXPECT_EQ(t == k, !!ControlVisible(screen, CalibrationTargetIds[t])) << "target " << t << " in phase " << k;
        for (int id : { IDC_DISPLAY_SIZE, IDC_ALIGN_WORDMARK, IDC_OK, IDC_CANCEL, IDC_RETRY })
            EXPECT_TRUE(ControlVisible(screen, id)) << "control " << id << " hidden";
        for (int id : { IDC_ALIGN_TITLE, IDC_HOW_1, IDC_HOW_2, IDC_HOW_3, IDC_HOW_4, IDC_HOW_5 })
            EXPECT_EQ(collecting, !!ControlVisible(screen, id)) << "control " << id << (collecting ? " hidden" : " shown");
        for (int id : { IDC_TRY_1, IDC_TRY_2 })
            EXPECT_EQ(!collecting, !!ControlVisible(screen, id)) << "test line " << id << (collecting ? " shown" : " hidden");
        for (int id : { IDC_OK, IDC_RETRY })
            EXPECT_EQ(!collecting, !!ControlEnabled(screen, id)) << "button " << id << " in phase " << k;
        const int focused = collecting ? IDC_CANCEL : IDC_OK;
        EXPECT_EQ(GetDlgItem(screen, focused), GetFocus());
        for (int id : { IDC_OK, IDC_CANCEL, IDC_RETRY })
            EXPECT_EQ(id == focused, (GetWindowLongA(GetDlgItem(screen, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
                << "button " << id << (id == focused ? " not" : "") << " drawn as the default";
        EXPECT_EQ(before_ - (collecting ? 1 : 0), CursorCount())
            << (collecting ? "the cursor is not hidden exactly once" : "the cursor is not shown again exactly once");
    }
    // A step: waits for the screen in phase k (testing once OK is enabled) and checks it.
    Scenario &InPhase(Scenario &s, int k)
    {
        return s.WhenEnabled(IDD_CALIBRATION, k < 4 ? 0 : IDC_OK, [this, k](HWND screen) { ExpectPhase(screen, k); });
    }
    // The screen closed, accepted or not: the capture released, the cursor as it was found.
    void ExpectClosed(int accepted) const
    {
        EXPECT_EQ(accepted, CalibrationAccepted);
        EXPECT_EQ(0, CaptureActive);
        EXPECT_EQ(before_, CursorCount()) << "the cursor is not shown as often as before the screen";
    }
    // Cancel while collecting target k, after `reads` reads of a point: the driver left in
    // calibration, the cursor and the corners as found.
    void CancelWhileCollecting(Scenario &s, int k, int reads)
    {
        InPhase(s, k).Click(IDC_CANCEL).Run(OpenScreen);
        std::vector<std::string> want = { "open", "ioctl 0x22001B 1 0" };
        want.insert(want.end(), reads, ReadPoint);
        EXPECT_EQ(want, ReadSimulationLog());
        ExpectClosed(0);
        EXPECT_EQ(0, memcmp(&loaded_, &PanelSettings, sizeof PanelSettings)) << "the corners changed";
    }
    // A step that notes how many calls the driver's log holds, and the corners, at that point.
    Scenario &Remember(Scenario &s)
    {
        return s.Do("remember", [this](HWND) {
            calls_ = ReadSimulationLog().size();
            corners_ = PanelSettings;
        });
    }
    // The driver's calls from `before` on when a round of four reads is taken and accepted:
    // the reads, the corners the record now holds, testing entered, and OK's call.
    static std::vector<std::string> RoundThenOk(std::vector<std::string> before)
    {
        const PanelCorners &p = PanelSettings.Corners;
        before.insert(before.end(), { ReadPoint, ReadPoint, ReadPoint, ReadPoint,
            IoctlLine("0x22000B", p.LeftUpX, p.LeftUpY), IoctlLine("0x22000F", p.RightUpX, p.RightUpY),
            IoctlLine("0x220017", p.LeftDnX, p.LeftDnY), IoctlLine("0x220013", p.RightDnX, p.RightDnY),
            "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "ioctl 0x22001B 0 0" });
        return before;
    }
    PanelSettingsRecord loaded_, corners_;
    int before_ = 0;
    size_t calls_ = 0;
};

TEST_F(CalibrationScreenTest, OpensFullScreenAndLaidOutForTheDisplay)
{
    Scenario().OnPage(IDD_CALIBRATION, [this](HWND screen) {
        // The client area is the display: the layout and the touches share one origin.
        RECT client, display = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
        GetClientRect(screen, &client);
        MapWindowPoints(screen, NULL, (POINT *)&client, 2);
        EXPECT_TRUE(EqualRect(&display, &client)) << "client area " << client.left << ", " << client.top << " to "
                                                  << client.right << ", " << client.bottom;
        ASSERT_EQ(1024, ScreenWidth) << "the tests run on a 1024 x 768 screen";
        ASSERT_EQ(768, ScreenHeight);
        EXPECT_EQ("Display :  1024 X 768", ControlText(screen, IDC_DISPLAY_SIZE));

        // Every control where the layout puts it (its figures: calibration_geometry_test.cpp).
        ControlPlace places[CALIBRATION_CONTROL_COUNT];
        LayOutCalibrationScreen(ScreenWidth, ScreenHeight, places);
        for (const ControlPlace &place : places) {
            RECT control = ControlRect(screen, place.id);
            EXPECT_EQ(place.x, control.left) << "control " << place.id;
            EXPECT_EQ(place.y, control.top) << "control " << place.id;
        }
        // Moved, not resized: the targets keep their bitmap's 32 pixels.
        RECT target = ControlRect(screen, IDC_TARGET_RIGHT_DN);
        EXPECT_EQ(32, target.right - target.left);
        EXPECT_EQ(32, target.bottom - target.top);
        ExpectPhase(screen, 0);
    }).Click(IDC_CANCEL).Run(OpenScreen);
}

TEST_F(CalibrationScreenTest, FourTouchesHandTheCornersToTheDriverThenOkAccepts)
{
    Scenario s;
    std::vector<POINT> touched;
    for (int k = 0; k < 4; k++)
        InPhase(s, k).TouchControl(CalibrationTargetIds[k], &touched);
    InPhase(s, 4).Click(IDC_OK).Run(OpenScreen);

    ExpectClosed(1);
    EXPECT_EQ(RoundThenOk({ "open", "ioctl 0x22001B 1 0" }), ReadSimulationLog());

    // The driver now puts every target's touch under the finger.
    ASSERT_EQ(4u, touched.size());
    for (const POINT &at : touched) {
        LONG rawX, rawY;
        POINT mapped = { -1, -1 };
        SimulatedPanelRaw(at.x, at.y, &rawX, &rawY);
        ASSERT_TRUE(SimulatedTouchToScreen(rawX, rawY, &mapped));
        EXPECT_LE(std::max(std::abs(mapped.x - at.x), std::abs(mapped.y - at.y)), 1)
            << "touch at " << at.x << ", " << at.y << " maps to " << mapped.x << ", " << mapped.y;
    }
    EXPECT_EQ(1024u, StoredSetting("RightUpX")) << "the screen saved the record: that is the finish page's to do";
}

TEST_F(CalibrationScreenTest, ReleaseWhileTestingChangesNothingAndCancelLeavesTheCursorAsFound)
{
    Scenario s;
    Remember(s.TouchTargets()).Touch(500, 300).Touch(10, 10).Pause(100);
    s.OnPage(IDD_CALIBRATION, [this](HWND screen) {
        ExpectPhase(screen, 4);
        EXPECT_EQ(std::vector<std::string>(), ReadSimulationLog(calls_)) << "a release while testing called the driver";
        EXPECT_EQ(0, memcmp(&corners_, &PanelSettings, sizeof PanelSettings)) << "the corners changed";
    }).Click(IDC_CANCEL).Run(OpenScreen);

    EXPECT_EQ(std::vector<std::string>(), ReadSimulationLog(calls_)) << "Cancel called the driver";
    ExpectClosed(0);
    // The corners stay in the record and in the driver for a later save.
    EXPECT_EQ(0, memcmp(&corners_, &PanelSettings, sizeof PanelSettings));
}

TEST_F(CalibrationScreenTest, CancelWhileCollectingShowsTheCursorAndCallsNothing)
{
    CancelWhileCollecting(Scenario().TouchTargets(2), 2, 2);
}

// The driver gives no position: the release was no touch on the target.
TEST_F(CalibrationScreenTest, ReleaseWithoutAPositionIsIgnored)
{
    SetSimulation("QUARLO_SIM_FAIL", "read");
    CancelWhileCollecting(Scenario().TouchControl(IDC_TARGET_LEFT_UP).TouchControl(IDC_TARGET_LEFT_UP).Touch(900, 700),
                          0, 3);
}

TEST_F(CalibrationScreenTest, RetryCollectsAgainFromTheFirstTarget)
{
    Scenario s;
    Remember(s.TouchTargets()).Click(IDC_RETRY);
    s.OnPage(IDD_CALIBRATION, [this](HWND screen) {
        ExpectPhase(screen, 0);
        EXPECT_EQ(std::vector<std::string>{ "ioctl 0x22001B 1 0" }, ReadSimulationLog(calls_));
    });
    // A second round is taken in full: four reads, the corners, testing again.
    InPhase(s.TouchTargets(), 4).Click(IDC_OK).Run(OpenScreen);

    EXPECT_EQ(RoundThenOk({ "ioctl 0x22001B 1 0" }), ReadSimulationLog(calls_)) << "the round after Retry";
    ExpectClosed(1);
}

// Real clicks and keys: Enter runs the button that has the focus and looks the default one,
// in testing OK, after Retry Cancel again.
TEST_F(CalibrationScreenTest, EnterRunsTheFocusedDefaultButton)
{
    for (bool retry : { false, true }) {
        SCOPED_TRACE(retry ? "after Retry" : "testing");
        ResetSetupGlobals();
        Scenario s;
        for (int k = 0; k < 4; k++)
            s.RealClick(CalibrationTargetIds[k]);
        InPhase(s, 4);
        if (retry)
            InPhase(s.RealClick(IDC_RETRY), 0);
        s.PressEnter().Run(OpenScreen);
        ExpectClosed(retry ? 0 : 1);
        CloseTouchDriver();
    }
}

// A real double tap counts once: on a target, on Retry (whose second tap reaches the screen
// once Retry is disabled), and on the summary's Next, where the screen's Cancel appears.
TEST_F(CalibrationScreenTest, DoubleTapsCountOnce)
{
    // The second tap on Next comes once the screen is up, however long it took to open.
    UINT doubleClickTime = GetDoubleClickTime();
    SetDoubleClickTime(3000);
    POINT next = {};
    Scenario s;
    s.OnPage(IDD_SUMMARY).RealClick(IDC_NEXT, 1, &next).OnPage(IDD_CALIBRATION, [&next](HWND screen) {
        RECT cancel = ControlRect(screen, IDC_CANCEL);
        EXPECT_TRUE(PtInRect(&cancel, next)) << "Cancel does not lie where Next was";
    }).RealClickPoint(&next);
    for (int k = 0; k < 4; k++)
        InPhase(s, k).RealClick(CalibrationTargetIds[k], 2);
    InPhase(s, 4).RealClick(IDC_RETRY, 2).OnPage(IDD_CALIBRATION, [](HWND) {
        EXPECT_EQ(1, CaptureActive);
        EXPECT_EQ(0, PointIndex) << "the second tap on Retry was a touch";
    });
    s.Click(IDC_CANCEL).OnPage(IDD_SUMMARY).Click(IDC_BACK).Run([] {
        LoadPanelSettings();
        OpenPage(IDD_SUMMARY, NULL, SummaryPage);
    });
    SetDoubleClickTime(doubleClickTime);
    EXPECT_EQ(4, CountLogLines(ReadPoint));
}

// Touches that give two targets of one edge the same raw value leave the driver nothing to
// divide by: the screen collects again from the first target, and nothing reaches the driver.
TEST_F(CalibrationScreenTest, TouchesWithoutASpanAreCollectedAgain)
{
    // One target touched on its edge partner's line; the centres on 1024 x 768 lie at x 102
    // and 922, y 76 and 692.
    const struct { const char *edge; int moved; POINT at; } rows[] = {
        { "top", 1, { 102, 86 } }, { "right", 3, { 912, 76 } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.edge);
        TearDown();
        SetUp();
        POINT at[4];
        CalibrationTargetCentres(1024, 768, at);
        at[row.moved] = row.at;
        Scenario s;
        s.OnPage(IDD_CALIBRATION);
        for (const POINT &p : at)
            s.Touch(p.x, p.y);
        InPhase(s, 0).TouchTargets().Click(IDC_OK).Run(OpenScreen);

        EXPECT_EQ(RoundThenOk({ "open", "ioctl 0x22001B 1 0", ReadPoint, ReadPoint, ReadPoint, ReadPoint }),
                  ReadSimulationLog()) << "the driver was sent something after the first four touches";
        ExpectClosed(1);
        EXPECT_NE(PanelSettings.Corners.LeftUpX, PanelSettings.Corners.RightUpX);
        EXPECT_NE(PanelSettings.Corners.LeftUpY, PanelSettings.Corners.LeftDnY);
        EXPECT_NE(0, memcmp(&loaded_, &PanelSettings, sizeof loaded_)) << "the second round stored no corners";
    }
}

} // namespace
