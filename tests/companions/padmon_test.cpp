// The panel monitor: the stored settings as they are, and a raw point for a touch in its box.
#include "companion_test.h"
#include "sim_device.h"

namespace {

class Padmon : public InstalledTest {};

// Each control shows its text.
void ExpectLines(HWND window, std::initializer_list<std::pair<int, const char *>> lines)
{
    for (const auto &line : lines)
        EXPECT_EQ(line.second, ControlText(window, line.first)) << "control " << line.first;
}

// Read alike from a key the user may not write.
TEST_F(Padmon, ShowsTheStoredSettingsAndTheDriverStateFromAKeyOpenOrClosedToWriting)
{
    for (bool closed : { false, true }) {
        SCOPED_TRACE(closed ? "closed" : "open");
        ShutKey(SETTINGS_KEY, closed);
        ShutKey(STATIC_DRIVER_KEY, closed);
        ClearSimulationLog();
        Scenario().OnWindowWith(IDC_PADMON_PORT, [](HWND page) {
            ExpectLines(page, { { IDC_PADMON_PORT, "COM Port Setting : COM 2 (2F8h), IRQ 3" },
                                { IDC_PADMON_BUTTON, "Right Button Setting :  ON" },
                                { IDC_PADMON_MODE, "Touch Mode Setting : MODE 2" },
                                { IDC_PADMON_LEFT_UP, "Top left : 12, 20" },
                                { IDC_PADMON_RIGHT_UP, "Top right : 1010, 18" },
                                { IDC_PADMON_LEFT_DN, "Bottom left : 9, 757" },
                                { IDC_PADMON_RIGHT_DN, "Bottom right : 1006, 760" },
                                { IDC_PADMON_STARTUP, "Loaded at every start of Windows : YES" },
                                { IDC_PADMON_DRIVER_FILE, "QUARLO.VXD in the system folder : YES" },
                                { IDC_PADMON_UNINSTALL, "In Add/Remove Programs : YES" } });
            EXPECT_TRUE(SendMessageA(page, WM_GETICON, ICON_BIG, 0)) << "the title bar shows no icon";
        }).PressEscape().Run(RunPadmon);
        EXPECT_EQ((std::vector<std::string>{ "open", "close" }), ReadSimulationLog());
    }
}

TEST_F(Padmon, TouchInTheBoxShowsTheRawPointAndOutsideDoesNothing)
{
    SetSimulation("QUARLO_SIM_PANEL", "100,900,700,50");
    std::vector<POINT> touched;
    Scenario().TouchControl(IDC_PADMON_TEST_AREA, &touched).OnWindowWith(IDC_PADMON_PORT, [&touched](HWND page) {
        LONG x = 0, y = 0;
        SimulatedPanelRaw(touched[0].x, touched[0].y, &x, &y);
        EXPECT_EQ("Raw X : " + std::to_string(x) + "   Raw Y : " + std::to_string(y),
                  ControlText(page, IDC_PADMON_POINT));
    }).TouchControl(IDC_PADMON_PORT).Click(IDCANCEL).Run(RunPadmon);
    EXPECT_EQ((std::vector<std::string>{ "open", "ioctl 0x220007 0 0", "close" }), ReadSimulationLog());
}

TEST_F(Padmon, SaysWhatIsMissing)
{
    DeleteKeyTree(STATIC_DRIVER_KEY);
    DeleteKeyTree(UninstallKey);
    DeleteFileA(SystemDirectoryPath(DRIVER_FILE_NAME).c_str());
    Scenario().OnWindowWith(IDC_PADMON_PORT, [](HWND page) {
        ExpectLines(page, { { IDC_PADMON_STARTUP, "Loaded at every start of Windows : NO" },
                            { IDC_PADMON_DRIVER_FILE, "QUARLO.VXD in the system folder : NO" },
                            { IDC_PADMON_UNINSTALL, "In Add/Remove Programs : NO" },
                            { IDC_PADMON_POINT, "Cannot Load QUARLO.VXD" } });
    }).TouchControl(IDC_PADMON_TEST_AREA).Click(IDCANCEL).Run(RunPadmon);
    EXPECT_EQ(std::vector<std::string>{ "open" }, ReadSimulationLog()) << "a control call without a driver";

    DeleteKeyTree(SETTINGS_PARENT_KEY);
    RunAnswering(RunPadmon, NOT_INSTALLED_TEXT, PADMON_CAPTION, IDI_EXCLAMATION);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
}

} // namespace
