// The calibration screen against the simulated driver: its states as the user sees them,
// the driver's calls in order, Retry, Cancel in both phases, releases it must ignore, and
// real mouse and keyboard input: Enter, double taps, touches that give no span.
#include "dialog_driver.h"
#include "test_machine.h"
#include "calibration_screen.h"
#include "driver.h"
#include "resource.h"
#include "earlier.h"
#include "setup.h"
#include "sim_device.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

const char ReadPoint[] = "ioctl 0x220007 0 0";

// The cursor display count of this thread, read without changing it.
int CursorCount(void)
{
    int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

// The wordmark, the display size and the three buttons show in both phases; the heading
// and the instructions only while collecting, the test lines only while testing.
void ExpectLinesOf(HWND screen, bool collecting)
{
    for (int id : { IDC_DISPLAY_SIZE, IDC_ALIGN_WORDMARK, IDC_OK, IDC_CANCEL, IDC_RETRY })
        EXPECT_TRUE(ControlVisible(screen, id)) << "control " << id << " hidden";
    for (int id : { IDC_ALIGN_TITLE, IDC_HOW_1, IDC_HOW_2, IDC_HOW_3, IDC_HOW_4, IDC_HOW_5 })
        EXPECT_EQ(collecting, !!ControlVisible(screen, id)) << "control " << id << (collecting ? " hidden" : " shown");
    for (int id : { IDC_TRY_1, IDC_TRY_2 })
        EXPECT_EQ(!collecting, !!ControlVisible(screen, id)) << "test line " << id << (collecting ? " shown" : " hidden");
}

// Collecting target k: only that target, the cursor hidden exactly once, only Cancel to
// press and holding the focus.
void ExpectCollecting(HWND screen, int k, int cursorBefore)
{
    EXPECT_EQ(1, CaptureActive);
    EXPECT_EQ(k, PointIndex);
    for (int t = 0; t < 4; t++)
        EXPECT_EQ(t == k, !!ControlVisible(screen, CalibrationTargetIds[t])) << "target " << t << " while collecting " << k;
    ExpectLinesOf(screen, true);
    EXPECT_FALSE(ControlEnabled(screen, IDC_OK));
    EXPECT_FALSE(ControlEnabled(screen, IDC_RETRY));
    EXPECT_EQ(GetDlgItem(screen, IDC_CANCEL), GetFocus());
    EXPECT_EQ(cursorBefore - 1, CursorCount()) << "the cursor is not hidden exactly once";
}

void ExpectTesting(HWND screen, int cursorBefore)
{
    EXPECT_EQ(0, CaptureActive);
    EXPECT_EQ(4, PointIndex);
    for (int t = 0; t < 4; t++)
        EXPECT_FALSE(ControlVisible(screen, CalibrationTargetIds[t])) << "target " << t << " while testing";
    ExpectLinesOf(screen, false);
    EXPECT_TRUE(ControlEnabled(screen, IDC_OK));
    EXPECT_TRUE(ControlEnabled(screen, IDC_RETRY));
    EXPECT_EQ(GetDlgItem(screen, IDC_OK), GetFocus());
    EXPECT_EQ(cursorBefore, CursorCount()) << "the cursor is not shown again exactly once";
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
    // Cancelled while collecting, after `reads` reads of a point: the driver left in
    // calibration, the cursor and the corners as found.
    void ExpectCancelledWhileCollecting(int reads)
    {
        std::vector<std::string> want = { "open", "ioctl 0x22001B 1 0" };
        want.insert(want.end(), reads, ReadPoint);
        EXPECT_EQ(want, ReadSimulationLog());
        EXPECT_EQ(before_, CursorCount());
        EXPECT_EQ(0, CalibrationAccepted);
        EXPECT_EQ(0, CaptureActive);
        EXPECT_EQ(0, memcmp(&loaded_, &PanelSettings, sizeof PanelSettings)) << "the corners changed";
    }
    PanelSettingsRecord loaded_;
    int before_ = 0;
};

TEST_F(CalibrationScreenTest, OpensFullScreenAndLaidOutForTheDisplay)
{
    Scenario s;
    int before = before_;
    s.OnPage(IDD_CALIBRATION, [before](HWND screen) {
        // The client area is the display: the layout and the touches share one origin.
        RECT r;
        POINT origin = { 0, 0 };
        ClientToScreen(screen, &origin);
        GetClientRect(screen, &r);
        EXPECT_EQ(0, origin.x);
        EXPECT_EQ(0, origin.y);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right);
        EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), r.bottom);
        ASSERT_EQ(1024, ScreenWidth) << "the tests run on a 1024 x 768 screen";
        ASSERT_EQ(768, ScreenHeight);
        EXPECT_EQ("Display :  1024 X 768", ControlText(screen, IDC_DISPLAY_SIZE));

        const struct { int id, x, y; } places[] = {
            { IDC_TARGET_LEFT_UP, 86, 60 }, { IDC_TARGET_RIGHT_DN, 906, 676 },
            { IDC_HOW_1, 262, 304 }, { IDC_CANCEL, 457, 484 },
        };
        for (const auto &place : places) {
            RECT control = ControlRect(screen, place.id);
            EXPECT_EQ(place.x, control.left) << "control " << place.id;
            EXPECT_EQ(place.y, control.top) << "control " << place.id;
        }
        // Moved, not resized: the targets keep their bitmap's 32 pixels.
        RECT target = ControlRect(screen, IDC_TARGET_RIGHT_DN);
        EXPECT_EQ(32, target.right - target.left);
        EXPECT_EQ(32, target.bottom - target.top);
        ExpectCollecting(screen, 0, before);
    });
    s.Click(IDC_CANCEL);
    s.Run([] { OpenScreen(); });
}

TEST_F(CalibrationScreenTest, FourTouchesHandTheCornersToTheDriverThenOkAccepts)
{
    Scenario s;
    int before = before_;
    auto touched = std::make_shared<std::vector<POINT>>();
    for (int k = 0; k < 4; k++) {
        s.OnPage(IDD_CALIBRATION, [k, before](HWND screen) { ExpectCollecting(screen, k, before); });
        s.TouchControl(CalibrationTargetIds[k], touched.get());
    }
    s.WhenEnabled(IDD_CALIBRATION, IDC_OK, [before](HWND screen) { ExpectTesting(screen, before); });
    s.Click(IDC_OK);
    s.Run([] { OpenScreen(); });

    EXPECT_EQ(1, CalibrationAccepted);
    EXPECT_EQ(0, CaptureActive);
    EXPECT_EQ(before, CursorCount());
    const PanelSettingsRecord &p = PanelSettings;
    const std::vector<std::string> want = {
        "open", "ioctl 0x22001B 1 0", ReadPoint, ReadPoint, ReadPoint, ReadPoint,
        IoctlLine("0x22000B", p.LeftUpX, p.LeftUpY), IoctlLine("0x22000F", p.RightUpX, p.RightUpY),
        IoctlLine("0x220017", p.LeftDnX, p.LeftDnY), IoctlLine("0x220013", p.RightDnX, p.RightDnY),
        "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0",
        "ioctl 0x22001B 0 0",   // OK
    };
    EXPECT_EQ(want, ReadSimulationLog());

    // The driver now puts every target's touch under the finger.
    ASSERT_EQ(4u, touched->size());
    for (const POINT &at : *touched) {
        LONG rawX, rawY;
        POINT mapped = { -1, -1 };
        SimulatedPanelRaw(at.x, at.y, &rawX, &rawY);
        ASSERT_TRUE(SimulatedTouchToScreen(rawX, rawY, &mapped));
        EXPECT_LE(std::abs(mapped.x - at.x), 1) << "touch at " << at.x << ", " << at.y << " maps to x " << mapped.x;
        EXPECT_LE(std::abs(mapped.y - at.y), 1) << "touch at " << at.x << ", " << at.y << " maps to y " << mapped.y;
    }
    EXPECT_EQ(1024u, StoredSetting("RightUpX")) << "the screen saved the record: that is the finish page's to do";
}

TEST_F(CalibrationScreenTest, ReleaseWhileTestingChangesNothingAndCancelLeavesTheCursorAsFound)
{
    Scenario s;
    int before = before_;
    auto calls = std::make_shared<size_t>(0);
    auto corners = std::make_shared<PanelSettingsRecord>();
    TouchTargets(s).Then("remember", [calls, corners](HWND) {
        *calls = ReadSimulationLog().size();
        *corners = PanelSettings;
        return true;
    });
    s.Touch(500, 300).Touch(10, 10).Pause(100);
    s.OnPage(IDD_CALIBRATION, [before, calls, corners](HWND screen) {
        ExpectTesting(screen, before);
        EXPECT_EQ(std::vector<std::string>(), ReadSimulationLog(*calls)) << "a release while testing called the driver";
        EXPECT_EQ(0, memcmp(corners.get(), &PanelSettings, sizeof PanelSettings)) << "the corners changed";
    });
    s.Click(IDC_CANCEL);
    s.Run([] { OpenScreen(); });

    EXPECT_EQ(std::vector<std::string>(), ReadSimulationLog(*calls)) << "Cancel called the driver";
    EXPECT_EQ(before, CursorCount()) << "Cancel while testing showed the cursor a second time";
    EXPECT_EQ(0, CalibrationAccepted);
    EXPECT_EQ(0, CaptureActive);
    // The corners stay in the record and in the driver for a later save.
    EXPECT_EQ(0, memcmp(corners.get(), &PanelSettings, sizeof PanelSettings));
}

TEST_F(CalibrationScreenTest, CancelWhileCollectingShowsTheCursorAndCallsNothing)
{
    Scenario s;
    int before = before_;
    TouchTargets(s, 2).OnPage(IDD_CALIBRATION, [before](HWND screen) { ExpectCollecting(screen, 2, before); });
    s.Click(IDC_CANCEL);
    s.Run([] { OpenScreen(); });
    ExpectCancelledWhileCollecting(2);
}

// The driver gives no position: the release was no touch on the target.
TEST_F(CalibrationScreenTest, ReleaseWithoutAPositionIsIgnored)
{
    SetSimulation("QUARLO_SIM_FAIL", "read");
    Scenario s;
    int before = before_;
    s.TouchControl(IDC_TARGET_LEFT_UP).TouchControl(IDC_TARGET_LEFT_UP).Touch(900, 700);
    s.OnPage(IDD_CALIBRATION, [before](HWND screen) { ExpectCollecting(screen, 0, before); });
    s.Click(IDC_CANCEL);
    s.Run([] { OpenScreen(); });
    ExpectCancelledWhileCollecting(3);
}

TEST_F(CalibrationScreenTest, RetryCollectsAgainFromTheFirstTarget)
{
    Scenario s;
    int before = before_;
    auto calls = std::make_shared<size_t>(0);
    TouchTargets(s).Then("remember", [calls](HWND) {
        *calls = ReadSimulationLog().size();
        return true;
    });
    s.Click(IDC_RETRY);
    s.OnPage(IDD_CALIBRATION, [before, calls](HWND screen) {
        ExpectCollecting(screen, 0, before);
        EXPECT_EQ(std::vector<std::string>{ "ioctl 0x22001B 1 0" }, ReadSimulationLog(*calls));
    });
    // A second round is taken in full: four reads, the corners, testing again.
    TouchTargets(s).OnPage(IDD_CALIBRATION, [before](HWND screen) { ExpectTesting(screen, before); });
    s.Click(IDC_OK);
    s.Run([] { OpenScreen(); });

    std::vector<std::string> second = ReadSimulationLog(*calls);
    ASSERT_EQ(12u, second.size());
    EXPECT_EQ(4, std::count(second.begin(), second.end(), std::string(ReadPoint)));
    EXPECT_EQ("ioctl 0x22001B 1 1", second[9]);
    EXPECT_EQ(1, CalibrationAccepted);
    EXPECT_EQ(before, CursorCount());
}

// The one button drawn as the default.
void ExpectDefaultButton(HWND screen, int id)
{
    for (int button : { IDC_OK, IDC_CANCEL, IDC_RETRY })
        EXPECT_EQ(button == id, (GetWindowLongA(GetDlgItem(screen, button), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            << "button " << button << (button == id ? " not" : "") << " drawn as the default";
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
            RealClick(s, CalibrationTargetIds[k]);
        s.WhenEnabled(IDD_CALIBRATION, IDC_OK, [](HWND screen) { ExpectDefaultButton(screen, IDC_OK); });
        if (retry) {
            RealClick(s, IDC_RETRY);
            s.OnPage(IDD_CALIBRATION, [](HWND screen) {
                EXPECT_EQ(1, CaptureActive);
                ExpectDefaultButton(screen, IDC_CANCEL);
            });
        }
        s.PressEnter();
        s.Run([] { OpenScreen(); });
        EXPECT_EQ(retry ? 0 : 1, CalibrationAccepted);
        EXPECT_EQ(0, CaptureActive);
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
    auto next = std::make_shared<POINT>();
    Scenario s;
    s.OnPage(IDD_SUMMARY);
    RealClick(s, IDC_NEXT, 1, next.get());
    s.OnPage(IDD_CALIBRATION, [next](HWND screen) {
        RECT cancel = ControlRect(screen, IDC_CANCEL);
        EXPECT_TRUE(PtInRect(&cancel, *next)) << "Cancel does not lie where Next was";
    });
    RealClickPoint(s, next.get());
    for (int k = 0; k < 4; k++) {
        s.OnPage(IDD_CALIBRATION, [k](HWND) { EXPECT_EQ(k, PointIndex); });
        RealClick(s, CalibrationTargetIds[k], 2);
    }
    s.WhenEnabled(IDD_CALIBRATION, IDC_RETRY);
    RealClick(s, IDC_RETRY, 2);
    s.OnPage(IDD_CALIBRATION, [](HWND) {
        EXPECT_EQ(1, CaptureActive);
        EXPECT_EQ(0, PointIndex) << "the second tap on Retry was a touch";
    });
    s.Click(IDC_CANCEL);
    s.OnPage(IDD_SUMMARY).Click(IDC_BACK);
    s.Run([] {
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
    // The target centres on 1024 x 768, and one target touched on its edge partner's line.
    const POINT centre[4] = { { 102, 76 }, { 922, 76 }, { 102, 692 }, { 922, 692 } };
    const struct { const char *edge; int moved; POINT at; } rows[] = {
        { "top", 1, { 102, 86 } }, { "right", 3, { 912, 76 } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.edge);
        ResetSetupGlobals();
        LoadPanelSettings();
        PanelSettingsRecord loaded = PanelSettings;
        ClearSimulationLog();
        POINT at[4] = { centre[0], centre[1], centre[2], centre[3] };
        at[row.moved] = row.at;
        Scenario s;
        int before = before_;
        s.OnPage(IDD_CALIBRATION);
        for (const POINT &p : at)
            s.Touch(p.x, p.y);
        s.OnPage(IDD_CALIBRATION, [before](HWND screen) { ExpectCollecting(screen, 0, before); });
        TouchTargets(s).Click(IDC_OK);
        s.Run([] { OpenScreen(); });

        std::vector<std::string> log = ReadSimulationLog();
        ASSERT_LE(7u, log.size());
        EXPECT_EQ(8, std::count(log.begin(), log.end(), std::string(ReadPoint)));
        EXPECT_EQ(ReadPoint, log[6]) << "the driver was sent something after the first four touches";
        EXPECT_EQ(1, CalibrationAccepted);
        const PanelSettingsRecord &p = PanelSettings;
        EXPECT_NE(p.LeftUpX, p.RightUpX);
        EXPECT_NE(p.LeftUpY, p.LeftDnY);
        EXPECT_NE(0, memcmp(&loaded, &PanelSettings, sizeof loaded)) << "the second round stored no corners";
        CloseTouchDriver();
    }
}

} // namespace
