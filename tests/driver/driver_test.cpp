// The driver link's own promises: the request words each call carries, a reply that
// gives no address is never followed, and the handle is closed once and then forgotten.
#include "driver_machine.h"

namespace {

class DriverLink : public DriverMachine {};

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

} // namespace
