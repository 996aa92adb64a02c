// The driver link and the simulated driver behind it keep the promises setup relies on
// from the real one: the request words each call carries, a reply that gives no address is
// never followed, the handle is closed once and then forgotten; if the simulation did not
// keep them, the page tests that use it would prove nothing.
#include "device.h"
#include "driver.h"
#include "panel.h"
#include "settings.h"
#include "sim_device.h"
#include "sim_settings.h"
#include "test_machine.h"
#include "touch_agreement.h"

#include <set>

namespace {

// Setup's clean machine with a driver file in the system directory.
class SimulatedDriver : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        PutDriverFile();
    }
    // The desktop, in pixels.
    const int width_ = GetSystemMetrics(SM_CXSCREEN), height_ = GetSystemMetrics(SM_CYSCREEN);
    // The status the probe reports, or -1 when the call gave no address.
    static LONG Probe()
    {
        PanelReply reply;
        LONG status = -1;
        if (PanelControl(IOCTL_PANEL_PROBE_CARD, 0, 0, &reply))
            ReadReplyValue(&reply, 1, &status);
        return status;
    }
    // Reads the point while handling a message posted with the cursor at (x, y), as the
    // calibration screen does while handling a release.
    static BOOL ReadPointAt(int x, int y, LONG *rawX, LONG *rawY)
    {
        MSG message;
        SetCursorPos(x, y);
        PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
        while (GetMessageA(&message, NULL, 0, 0) && message.message != WM_APP) {
        }
        PanelReply reply;
        return PanelControl(IOCTL_PANEL_READ_POINT, 0, 0, &reply) &&
               ReadReplyValue(&reply, 0, rawX) && ReadReplyValue(&reply, 1, rawY);
    }
};
// The link's own promises, on the same machine.
using DriverLink = SimulatedDriver;

TEST(ReplyValue, ReadsThroughTheAddressAWordGivesAndNothingElse)
{
    LONG status = -7;
    PanelReply reply = { { 0, (DWORD)&status, 0 } };
    LONG value = 12345;
    EXPECT_TRUE(ReadReplyValue(&reply, 1, &value));
    EXPECT_EQ(-7, value);

    value = 12345;
    EXPECT_FALSE(ReadReplyValue(&reply, 0, &value)) << "followed a word that gave no address";
    EXPECT_FALSE(ReadReplyValue(&reply, 2, &value));
    EXPECT_FALSE(ReadReplyValue(&reply, 3, &value)) << "read past the reply";
    EXPECT_FALSE(ReadReplyValue(&reply, -1, &value)) << "read before the reply";
    EXPECT_EQ(12345, value) << "a refused read changed the value";
}

TEST_F(DriverLink, CallsCarryWordsZeroAndOneAndAFailedCallLeavesNoAddress)
{
    ASSERT_TRUE(OpenTouchDriver());
    PanelReply reply;
    reply.Word[0] = reply.Word[1] = reply.Word[2] = 0xDEADBEEF;
    EXPECT_TRUE(PanelControl(IOCTL_PANEL_SET_LEFT_UP, 123, -45, &reply));
    PanelControl(IOCTL_PANEL_SET_CALIBRATE, 1, 0, &reply);
    EXPECT_EQ(0, Probe()) << "the card on the stored default port did not answer";
    CloseTouchDriver();

    const std::vector<std::string> expected = {
        "open", "ioctl 0x22000B 123 -45", "ioctl 0x22001B 1 0", "ioctl 0x220027 0 0", "close",
    };
    EXPECT_EQ(expected, ReadSimulationLog());

    SetSimulation("QUARLO_SIM_FAIL", "probe,read");
    ASSERT_TRUE(OpenTouchDriver());
    for (DWORD code : { IOCTL_PANEL_PROBE_CARD, IOCTL_PANEL_READ_POINT }) {
        reply.Word[0] = reply.Word[1] = reply.Word[2] = 0xDEADBEEF;
        EXPECT_FALSE(PanelControl(code, 0, 0, &reply));
        LONG value = 12345;
        EXPECT_FALSE(ReadReplyValue(&reply, 0, &value) || ReadReplyValue(&reply, 1, &value))
            << "a failed call " << std::hex << code << " left an address to follow";
        EXPECT_EQ(12345, value);
    }
}

// A value of its own for every corner: one sent under another corner's code, or with X and
// Y crossed, shows in the log.
TEST_F(DriverLink, EachCornerGoesUnderItsOwnCodeThenTheDriverMapsByThem)
{
    ASSERT_TRUE(OpenTouchDriver());
    const PanelCorners corners = { 11, 12, 21, 22, 31, 32, 41, 42 };
    SetPanelCorners(&corners);
    CloseTouchDriver();

    const std::vector<std::string> expected = {
        "open", "ioctl 0x22000B 11 12", "ioctl 0x22000F 21 22", "ioctl 0x220017 41 42",
        "ioctl 0x220013 31 32", "ioctl 0x22001B 1 1", "close",
    };
    EXPECT_EQ(expected, ReadSimulationLog());
}

TEST_F(DriverLink, CloseUnloadsOnceAndForgetsTheHandle)
{
    CloseTouchDriver();
    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_NE(INVALID_HANDLE_VALUE, DriverHandle);
    CloseTouchDriver();
    EXPECT_EQ(INVALID_HANDLE_VALUE, DriverHandle);
    CloseTouchDriver();

    DeleteFileA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str());
    EXPECT_FALSE(OpenTouchDriver()) << "loaded with no driver in the system directory";
    EXPECT_EQ(INVALID_HANDLE_VALUE, DriverHandle);
    CloseTouchDriver();

    const std::vector<std::string> expected = { "open", "close", "open" };
    EXPECT_EQ(expected, ReadSimulationLog()) << "a close reached the driver with nothing open";
}

TEST_F(SimulatedDriver, LoadsOnlyFromTheSystemDirectoryAndOnlyOnce)
{
    DeleteFileA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str());
    EXPECT_FALSE(OpenTouchDriver()) << "opened with no driver file in the system directory";
    ASSERT_TRUE(CreateDirectoryA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str(), NULL));
    EXPECT_FALSE(OpenTouchDriver()) << "a directory of the driver's name loaded";
    RemoveDirectoryA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str());

    PutDriverFile();
    SetSimulation("QUARLO_SIM_FAIL", "open");
    EXPECT_FALSE(OpenTouchDriver()) << "the open fault was not honoured";

    SetSimulation("QUARLO_SIM_FAIL", NULL);
    ASSERT_TRUE(OpenTouchDriver());
    HANDLE first = DriverHandle;
    EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceOpen(DRIVER_DEVICE_NAME, 0, 0, NULL, CREATE_NEW,
                                               FILE_FLAG_DELETE_ON_CLOSE, NULL))
        << "a second handle while the first is open";
    EXPECT_EQ(INVALID_HANDLE_VALUE, DeviceOpen(DRIVER_DEVICE_NAME, 0, 0, NULL, OPEN_EXISTING, 0, NULL));
    DriverHandle = first;
    CloseTouchDriver();
    EXPECT_FALSE(DeviceClose(first)) << "closed twice";
    EXPECT_TRUE(OpenTouchDriver()) << "cannot load again after the close";
}

TEST_F(SimulatedDriver, CardAnswersOnlyOnThePortStoredBeforeTheOpen)
{
    SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    StorePort(1, 1016, 4);
    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_EQ(1, Probe()) << "answered on COM 1";
    // Settings stored while it runs are not seen: the driver read them when it loaded.
    StorePort(2, 760, 3);
    EXPECT_EQ(1, Probe());
    CloseTouchDriver();

    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_EQ(0, Probe()) << "did not answer on COM 2 at 760, line 3";
    CloseTouchDriver();

    StorePort(2, 760, 4);
    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_EQ(1, Probe()) << "answered on the wrong interrupt line";
    CloseTouchDriver();

    SetSimulation("QUARLO_SIM_CARD", "none");
    StorePort(1, 1016, 4);
    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_EQ(1, Probe()) << "a machine without a card answered";
}

TEST_F(SimulatedDriver, ReadsTheReleasePositionThroughThePanel)
{
    SetSimulation("QUARLO_SIM_PANEL", "4000,100,200,3800");
    ASSERT_TRUE(OpenTouchDriver());
    LONG x = 12345, y = 12345;
    ASSERT_TRUE(ReadPointAt(0, 0, &x, &y));
    EXPECT_EQ(4000, x);
    EXPECT_EQ(200, y);
    ASSERT_TRUE(ReadPointAt(width_ / 4, height_ / 2, &x, &y));
    // 4000 - 3900 / 4 = 3025; 200 + 3600 / 2 = 2000.
    EXPECT_EQ(3025, x);
    EXPECT_EQ(2000, y);
    ASSERT_TRUE(ReadPointAt(width_ - 1, height_ - 1, &x, &y));
    EXPECT_NEAR(100 + 3900 / width_, x, 1);
    EXPECT_NEAR(3800 - 3600 / height_, y, 1);
    CloseTouchDriver();

    SetSimulation("QUARLO_SIM_FAIL", "read");
    ASSERT_TRUE(OpenTouchDriver());
    EXPECT_FALSE(ReadPointAt(10, 10, &x, &y)) << "the read fault gave a point";
    CloseTouchDriver();

    // Jitter: every offset from -3 to 3 about the clean point, the same ones again from an open.
    SetSimulation("QUARLO_SIM_FAIL", NULL);
    SetSimulation("QUARLO_SIM_NOISE", "3");
    std::vector<LONG> runs[2];
    for (std::vector<LONG> &run : runs) {
        ASSERT_TRUE(OpenTouchDriver());
        for (int i = 0; i < 30 && ReadPointAt(width_ / 4, height_ / 2, &x, &y); i++)
            run.insert(run.end(), { x - 3025, y - 2000 });
        CloseTouchDriver();
    }
    EXPECT_EQ(runs[0], runs[1]) << "the jitter does not repeat";
    EXPECT_EQ(std::set<LONG>({ -3, -2, -1, 0, 1, 2, 3 }), std::set<LONG>(runs[0].begin(), runs[0].end()));
}

// A value that does not parse fails the load instead of leaving the user with a default
// they did not ask for; the reader names the variable, for the walk to report it.
TEST_F(SimulatedDriver, RefusesToLoadOnAMalformedVariable)
{
    const std::string tooLong(MAX_PATH + 10, 'x');
    const struct {
        const char *name;
        std::string value;
        bool loads;
    } rows[] = {
        { "QUARLO_SIM_PANEL", "abc", false },
        { "QUARLO_SIM_PANEL", "1,2,3", false },
        { "QUARLO_SIM_PANEL", "1,2,3,", false },
        { "QUARLO_SIM_PANEL", "1, 2,3,4", false },
        { "QUARLO_SIM_PANEL", "1234567890,2,3,4", false },  // beyond nine digits it would overflow
        { "QUARLO_SIM_PANEL", "100,100,200,300", false },   // no extent along X
        { "QUARLO_SIM_PANEL", "-100,3900,3800,-50", true },
        { "QUARLO_SIM_CARD", "com1", false },
        { "QUARLO_SIM_CARD", "1,-1016,4", false },
        { "QUARLO_SIM_CARD", "NONE", true },
        { "QUARLO_SIM_FAIL", "opne", false },
        { "QUARLO_SIM_FAIL", "probe,", false },
        { "QUARLO_SIM_FAIL", "Probe,READ", true },
        { "QUARLO_SIM_NOISE", "-3", false },
        { "QUARLO_SIM_NOISE", "3,", false },
        { "QUARLO_SIM_NOISE", "3", true },
        { "QUARLO_SIM_LOG", tooLong, false },
    };
    for (const auto &row : rows) {
        SetSimulation(row.name, row.value.c_str());
        SimulationSettings settings;
        const char *malformed = "poison";
        EXPECT_EQ(row.loads, ReadSimulationSettings(&settings, &malformed) != FALSE) << row.name << "=" << row.value;
        EXPECT_STREQ(row.loads ? NULL : row.name, malformed) << row.name << "=" << row.value;
        EXPECT_EQ(row.loads, OpenTouchDriver() != FALSE) << row.name << "=" << row.value;
        if (!row.loads)
            EXPECT_EQ((DWORD)ERROR_BAD_CONFIGURATION, GetLastError()) << row.name << "=" << row.value;
        CloseTouchDriver();
        SetSimulation(row.name, row.name == std::string("QUARLO_SIM_LOG") ? simulationLog_.c_str() : NULL);
    }
}

TEST_F(SimulatedDriver, MapsTouchesByTheCornersItWasSent)
{
    ASSERT_TRUE(OpenTouchDriver());
    // Sent under the codes EachCornerGoesUnderItsOwnCodeThenTheDriverMapsByThem pins down.
    const PanelCorners corners = { 3000, 100, 1000, 100, 1000, 900, 3000, 900 };
    SetPanelCorners(&corners);
    POINT p = { -1, -1 };
    ASSERT_TRUE(SimulatedTouchToScreen(2000, 500, &p));
    EXPECT_EQ(width_ / 2, p.x);
    EXPECT_EQ(height_ / 2, p.y);
    ASSERT_TRUE(SimulatedTouchToScreen(3000, 900, &p));
    EXPECT_EQ(0, p.x);
    EXPECT_EQ(height_, p.y);
}

// The panel and the driver's mapping at any screen size. Rounding is to the nearest whole
// unit, halves away from zero whichever way an axis runs; a rounding that drifted by one
// on falling axes would skew every alignment the benchmarks report, and ALIGNER's error.
TEST(SimulatedMapping, PanelAndCornersRoundToTheNearestUnitBothWays)
{
    const struct {
        LONG panel[4];
        LONG width, height;
        int x, y;
        LONG rawX, rawY;
    } panels[] = {
        { { 150, 3950, 3900, 180 }, 800, 600, 0, 0, 150, 3900 },
        { { 150, 3950, 3900, 180 }, 800, 600, 400, 300, 2050, 2040 },
        { { 0, 256, 256, 0 }, 512, 512, 1, 1, 1, 255 },         // halves: 0.5 up, -0.5 down
        { { 0, 256, 256, 0 }, 512, 512, 511, 511, 256, 0 },      // 255.5 up; 256 - 255.5 down
        { { -500, 1548, 37, 293 }, 640, 480, 100, 479, -180, 292 }, // 320.0; 255.47 down
        { { 0, 256, 0, 256 }, 1600, 1200, 3, 2, 0, 0 },          // 0.48, 0.43: below half a unit
        { { 0, 999999999, 999999999, 0 }, 800, 600, 400, 300, 500000000, 499999999 }, // beyond 32 bits
    };
    for (const auto &c : panels) {
        LONG x = -99999, y = -99999;
        PanelPointRaw(c.panel, c.width, c.height, c.x, c.y, &x, &y);
        EXPECT_EQ(c.rawX, x) << "pixel " << c.x << " on panel X " << c.panel[0] << ".." << c.panel[1];
        EXPECT_EQ(c.rawY, y) << "pixel " << c.y << " on panel Y " << c.panel[2] << ".." << c.panel[3];
    }

    const struct {
        PanelCorners corner;
        LONG rawX, rawY;
        BOOL mapped;
        LONG x, y;
    } corners[] = {
        { { 0, 0, 1024, 0, 1024, 768, 0, 768 }, 512, 384, TRUE, 400, 300 },
        // Each edge is the mean of its two corners: left 105, right 905, top 45, bottom 655.
        { { 100, 40, 900, 50, 910, 650, 110, 660 }, 105, 655, TRUE, 0, 600 },
        { { 3000, 900, 1000, 900, 1000, 100, 3000, 100 }, 2999, 101, TRUE, 0, 599 }, // falling: 0.4 and 599.25
        { { 3000, 900, 1000, 900, 1000, 100, 3000, 100 }, 3001, 899, TRUE, 0, 1 },   // -0.4 and 0.75
        { { 0, 0, 256, 0, 256, 256, 0, 256 }, 1, 255, TRUE, 3, 598 },             // 3.125 and 597.66
        { { 0, 0, 1600, 0, 1600, 1200, 0, 1200 }, -1, -1, TRUE, -1, -1 },        // -0.5 both ways
        { { 500, 0, 500, 0, 501, 600, 501, 600 }, 500, 300, FALSE, -77, -77 },    // both edges 500
        { { 0, 300, 800, 301, 800, 301, 0, 300 }, 400, 300, FALSE, -77, -77 },    // both edges 300
        { { -999999999, -999999999, 999999999, -999999999, 999999999, 999999999, -999999999, 999999999 },
          0, 999999999, TRUE, 400, 600 },                                         // beyond 32 bits
    };
    for (const auto &c : corners) {
        POINT p = { -77, -77 };
        EXPECT_EQ(c.mapped, CornersPointScreen(&c.corner, 800, 600, c.rawX, c.rawY, &p))
            << "raw " << c.rawX << ", " << c.rawY << " by corners " << c.corner.LeftUpX << ", " << c.corner.LeftUpY << "...";
        EXPECT_EQ(c.x, p.x) << "raw X " << c.rawX << " by left-up corner " << c.corner.LeftUpX << ", " << c.corner.LeftUpY;
        EXPECT_EQ(c.y, p.y) << "raw Y " << c.rawY << " by left-up corner " << c.corner.LeftUpX << ", " << c.corner.LeftUpY;
        // ALIGNER's centre target measures by the same mapping (the corners in the same order).
        LONG error = c.mapped ? std::max(std::abs(c.x - 400), std::abs(c.y - 300)) : TOUCH_MISS_UNBOUNDED;
        EXPECT_EQ(error, CentreTouchError(&c.corner, 800, 600, RawPoint{ c.rawX, c.rawY })) << "raw " << c.rawX << ", " << c.rawY;
    }
}

} // namespace
