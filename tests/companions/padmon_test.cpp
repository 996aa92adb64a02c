// The panel monitor: the stored settings as they are, a raw point for a touch in its box, and
// the check of the alignment, which reads raw points and leaves the driver mapping.
#include "alignment_check.h"
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
                                { IDC_PADMON_ALIGNED, "" },
                                { IDC_PADMON_STARTUP, "Loaded at every start of Windows : YES" },
                                { IDC_PADMON_DRIVER_FILE, "QUARLO.VXD in the system folder : YES" },
                                { IDC_PADMON_UNINSTALL, "In Add/Remove Programs : YES" } });
            EXPECT_TRUE(SendMessageA(page, WM_GETICON, ICON_BIG, 0)) << "the title bar shows no icon";
            ExpectTextFitsItsControl(page, IDC_PADMON_CHECK);
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
        EXPECT_FALSE(ControlEnabled(page, IDC_PADMON_CHECK)) << "a check without a driver";
    }).TouchControl(IDC_PADMON_TEST_AREA).Click(IDCANCEL).Run(RunPadmon);
    EXPECT_EQ(std::vector<std::string>{ "open" }, ReadSimulationLog()) << "a control call without a driver";

    DeleteKeyTree(SETTINGS_PARENT_KEY);
    RunAnswering(RunPadmon, NOT_INSTALLED_TEXT, PADMON_CAPTION, IDI_EXCLAMATION);
    EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
}

const std::string ReadPoint = "ioctl 0x220007 0 0", Raw = "ioctl 0x22001B 1 0", Mapping = "ioctl 0x22001B 0 0";

std::string Asked(int target)
{
    return "Target " + std::to_string(target + 1) + " of 9";
}

// Opens the check from PADMON's window and touches the first `count` targets where the
// screen draws them, each once the screen asks for it.
Scenario &CheckTouching(Scenario &s, int count)
{
    s.OnWindowWith(IDC_PADMON_PORT).Click(IDC_PADMON_CHECK);
    for (int t = 0; t < count; t++)
        s.When(Asked(t), [t](HWND screen) { return ControlText(screen, IDC_CHECK_PROGRESS) == Asked(t); },
               [t](HWND screen) { TouchAt(screen, CheckTargetCentre(t, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))); });
    return s;
}

// The driver's log of a check with these reads between calibrate (1, 0) and (0, 0), then Retry
// and Close where asked, then PADMON's close.
std::vector<std::string> CheckLog(int reads, bool retried)
{
    std::vector<std::string> log = { "open", Raw };
    log.insert(log.end(), reads, ReadPoint);
    log.push_back(Mapping);
    if (retried)
        log.insert(log.end(), { Raw, Mapping });
    log.push_back("close");
    return log;
}

// On 1024 x 768 the stored corners map raw X 10 to 1008 and Y 19 to 758. A panel there: the
// centre's raw Y 369.5 rounds to 370, which maps to 384.5, a pixel off. One stretched by a
// twentieth to the right, as a panel drifts: target x 922 reads 944, which maps to 968.6, 47
// pixels off. One moved by 50 raw units: every touch about 51 pixels to the left, the worst 52
// after rounding. Stored corners
// that are setup's defaults: the panel was never aligned, whatever its touches show, and
// PADMON's window says so too. Retry asks for the first target again. The driver reads raw
// points only while the targets are touched, and is sent no corner.
TEST_F(Padmon, CheckAlignmentJudgesTheStoredCornersAndChangesNothing)
{
    const std::string again = " Run ALIGNER to align the panel again.";
    const struct { const char *panel; bool defaults; std::string verdict; } rows[] = {
        { "10,1008,19,758", false, "Alignment good." },
        { "10,1058,19,758", false, "Alignment off by 47 pixels at the top right." + again },
        { "-40,958,19,758", false, "Alignment off by 52 pixels: every touch lands about 51 pixels to the left of its target." + again },
        { "10,1008,19,758", true, NOT_ALIGNED_TEXT },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.panel);
        SetSimulation("QUARLO_SIM_PANEL", row.panel);
        for (int i = 0; row.defaults && i < 8; i++)
            WriteDword(SETTINGS_KEY, PanelSettingFields[i].Name, PanelSettingFields[i].Default);
        std::vector<DWORD> record = StoredRecord();
        ClearSimulationLog();
        Scenario s;
        s.OnWindowWith(IDC_PADMON_ALIGNED, [&row](HWND page) {
            EXPECT_EQ(row.defaults ? NOT_ALIGNED_TEXT : "", ControlText(page, IDC_PADMON_ALIGNED));
            ExpectTextFitsItsControl(page, IDC_PADMON_ALIGNED);
        });
        CheckTouching(s, 9).OnWindowWith(IDC_CHECK_VERDICT, [&row](HWND screen) {
            EXPECT_TRUE(ControlVisible(screen, IDC_CHECK_VERDICT));
            EXPECT_FALSE(ControlVisible(screen, IDC_CHECK_PROGRESS));
            EXPECT_EQ(row.verdict, ControlText(screen, IDC_CHECK_VERDICT));
            EXPECT_EQ(row.defaults, ControlText(screen, IDC_CHECK_ERRORS).empty()) << "a figure for a panel never aligned";
            for (int id : { IDC_CHECK_ERRORS, IDC_CHECK_VERDICT, IDC_CHECK_SCALE })
                ExpectTextFitsItsControl(screen, id);
            EXPECT_TRUE(ControlEnabled(screen, IDC_CHECK_RETRY));
        }).Click(IDC_CHECK_RETRY).When("the first target again", [](HWND screen) {
            return ControlText(screen, IDC_CHECK_PROGRESS) == Asked(0) && !ControlVisible(screen, IDC_CHECK_VERDICT);
        }).Click(IDCANCEL).OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL).Run(RunPadmon);
        EXPECT_EQ(CheckLog(9, true), ReadSimulationLog());
        EXPECT_EQ(record, StoredRecord());
    }
}

// However the check ends, the driver maps again before the screen goes; a read without a
// point keeps the target and says so.
TEST_F(Padmon, CheckAlignmentLeavesTheDriverMappingOnEveryWayOut)
{
    auto ownWindowClosed = [](HWND screen) { PostMessageA(GetWindow(screen, GW_OWNER), WM_CLOSE, 0, 0); };
    const struct { const char *how; int touches; const char *fail; std::function<void(Scenario &)> leave; } rows[] = {
        { "Close", 2, "", [](Scenario &s) { s.Click(IDCANCEL).OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL); } },
        { "Escape", 1, "", [](Scenario &s) { s.PressEscape().OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL); } },
        { "close command", 0, "", [](Scenario &s) { s.CloseBox().OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL); } },
        { "no point, then Close", 1, "read", [](Scenario &s) { s.Click(IDCANCEL).OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL); } },
        { "PADMON's window closed", 3, "", [ownWindowClosed](Scenario &s) { s.Do("close PADMON", ownWindowClosed); } },
        { "session ended", 2, "", [](Scenario &s) {
            s.Do("end the session", [](HWND) { EndSession(); EXPECT_EQ(Mapping, LogTail(1).back()) << "as the session ends"; })
                .Click(IDCANCEL).OnWindowWith(IDC_PADMON_PORT).Click(IDCANCEL);
        } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.how);
        SetSimulation("QUARLO_SIM_FAIL", row.fail);
        ClearSimulationLog();
        Scenario s;
        std::string shown = *row.fail ? NO_POINT_TEXT : Asked(row.touches);
        CheckTouching(s, row.touches).When(shown, [shown](HWND screen) { return ControlText(screen, IDC_CHECK_PROGRESS) == shown; });
        row.leave(s);
        s.Run(RunPadmon);
        EXPECT_EQ(CheckLog(row.touches, false), ReadSimulationLog());
        EXPECT_EQ(InstalledRecord, StoredRecord());
    }
}

} // namespace
