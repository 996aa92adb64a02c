// A complete setup run from the welcome page to Reboot, on a card at COM 2, and everything
// it leaves on the machine for the next start of Windows.
#include "calibration_steps.h"
#include "test_machine.h"
#include "resource.h"
#include "settings.h"
#include "setup.h"

#include <cstdlib>
#include <memory>

namespace {

class CompleteRun : public SetupMachineTest {
protected:
    void SetUp() override
    {
        SetupMachineTest::SetUp();
        SetSimulation("QUARLO_SIM_CARD", "2,760,3");
        // The Windows 9x layout, which a Wine prefix lacks.
        CreateDirectoryA(WindowsDirectoryPath("START MENU").c_str(), NULL);
        CreateDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str(), NULL);
    }
};

TEST_F(CompleteRun, FromWelcomeToRebootOnComTwo)
{
    auto pages = std::make_shared<std::vector<HWND>>();
    auto remember = [pages](HWND page) { pages->push_back(page); };
    Scenario s;
    s.OnPage(IDD_WELCOME, remember).Click(IDC_NEXT)
        .OnPage(IDD_PORT, remember).Click(IDC_COM2).Click(IDC_NEXT)
        .OnPage(IDD_RIGHT_BUTTON, remember).Click(IDC_RIGHT_BUTTON).Click(IDC_NEXT)
        .OnPage(IDD_SUMMARY, [pages](HWND page) {
            pages->push_back(page);
            EXPECT_EQ("COM Port Setting : COM 2, IRQ 3", ControlText(page, IDC_PORT_LINE));
            EXPECT_EQ("Right Button Setting :  ON", ControlText(page, IDC_BUTTON_LINE));
        })
        .Click(IDC_NEXT).OnPage(IDD_CALIBRATION);
    TouchAllTargets(s).Click(IDC_OK);
    s.OnPage(IDD_FINISH, [pages](HWND page) {
        // OK closed all four pages below the screen before the finish page opened.
        ASSERT_EQ(4u, pages->size());
        for (HWND closed : *pages)
            EXPECT_FALSE(IsWindow(closed)) << "page " << PageTemplateOf(closed) << " is still open";
        EXPECT_EQ(NULL, GetWindow(page, GW_OWNER));
    });
    s.Then("Reboot offered", [](HWND active) {
        if (PageTemplateOf(active) != IDD_FINISH || !ControlEnabled(active, IDC_REBOOT))
            return false;
        EXPECT_EQ("Installation Driver OK !!", ControlText(active, IDC_PROGRESS));
        return true;
    });
    s.Click(IDC_REBOOT);
    s.Run([] { EXPECT_EQ(0, RunSetupProgram()); }, 15000);

    EXPECT_EQ(1, RestartRequests);
    EXPECT_EQ(1, CalibrationAccepted);
    EXPECT_EQ(0, SetupAborted);

    // The stored record: the chosen port and button, and the corners the driver was sent.
    EXPECT_EQ(PANEL_SETTING_COUNT, CountValues(SETTINGS_KEY));
    DWORD stored[PANEL_SETTING_COUNT] = {};
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        EXPECT_TRUE(ReadDword(SETTINGS_KEY, PanelSettingNames[i], &stored[i])) << PanelSettingNames[i];
    const DWORD chosen[5] = { 2, 760, 3, 1, 1 };   // ComPort, ComBase, ComIrq, Mode, RightButton
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(chosen[i], stored[8 + i]) << PanelSettingNames[8 + i];
    // The simulated panel of an unconfigured machine, X 150 to 3950 and Y 3900 (top) to 180:
    // its edges, to within a unit of rounding and the raw size of a pixel (3.7 across, 4.8 down).
    const LONG edges[8] = { 150, 3900, 3950, 3900, 3950, 180, 150, 180 };
    for (int i = 0; i < 8; i++)
        EXPECT_LE(std::abs((LONG)stored[i] - edges[i]), i % 2 ? 6 : 5) << PanelSettingNames[i] << " is " << (LONG)stored[i];

    // Every call the driver saw, from the summary page's open to the finish page's close.
    const std::string read = "ioctl 0x220007 0 0";
    const std::vector<std::string> calls = {
        "open", "ioctl 0x220027 0 0", "ioctl 0x22001B 1 0", read, read, read, read,
        IoctlLine("0x22000B", (LONG)stored[0], (LONG)stored[1]), IoctlLine("0x22000F", (LONG)stored[2], (LONG)stored[3]),
        IoctlLine("0x220017", (LONG)stored[6], (LONG)stored[7]), IoctlLine("0x220013", (LONG)stored[4], (LONG)stored[5]),
        "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "ioctl 0x22001B 0 0", "close",
    };
    EXPECT_EQ(calls, ReadSimulationLog());

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(ReadValue(STATIC_DRIVER_KEY, STATIC_DRIVER_VALUE, &type, &data));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string("Quarlo.vxd", 11), std::string(data.begin(), data.end()));

    EXPECT_EQ("medium copy of QUARLO.VXD", ReadFileText(SystemDirectoryPath(DRIVER_FILE_NAME)));
    for (const char *name : { "PADMON.EXE", "REMOVER.EXE", "ALIGNER.EXE", "TUNER.EXE" })
        EXPECT_EQ(std::string("medium copy of ") + name,
                  ReadFileText(WindowsDirectoryPath("START MENU\\PROGRAMS\\VELMORA\\") + name));
}

} // namespace
