// The stop matrix: a run stopped at any one of its changes, as a power cut or an ended task
// stops it, and the run after it. Each row runs one front end over one machine once, whole,
// and takes the machine's image before every call that may change it, and inside a copy or
// a write the file cut off half-way: each distinct image is what a stop there leaves, since
// nothing of the run after a stop reaches the machine. Each is then put on the machine and
// the next run started. A replay that fails (the card does not answer) leaves the machine as
// it was before the stopped run; one that succeeds, as a clean replay leaves it. A quiet
// remover stopped so and run again leaves what a whole removal leaves.
#include "companion_test.h"
#include "fault_seam.h"

#include <algorithm>

namespace {

// What the machine held before the stopped run: nothing; a whole installation from an older
// medium with a technician's corners; its settings only; its driver file and entry only; a
// whole one disabled (no driver entry).
enum Layout { FRESH, OLDER_MEDIUM, SETTINGS_ONLY, DRIVER_AND_ENTRY, DISABLED };
enum FrontEnd { REPLAY, WIZARD_TO_REBOOT, WIZARD_CANCELLED_ON_SUMMARY, QUIET_REMOVER };

// Every front end over every layout; the remover over the layouts it has something to
// remove from.
struct StopRow {
    Layout layout;
    FrontEnd front;
};

const char *const LayoutNames[] = { "OnAFreshMachine", "OverAnOlderMedium", "OverSettingsOnly",
                                    "OverADriverAndEntryOnly", "OverADisabledInstallation" };
const char *const FrontEndNames[] = { "Replay", "Wizard", "Cancel", "Remover" };

std::vector<StopRow> Rows(void)
{
    std::vector<StopRow> rows;
    for (FrontEnd front : { REPLAY, WIZARD_TO_REBOOT, WIZARD_CANCELLED_ON_SUMMARY, QUIET_REMOVER })
        for (Layout layout : { FRESH, OLDER_MEDIUM, SETTINGS_ONLY, DRIVER_AND_ENTRY, DISABLED })
            if (front != QUIET_REMOVER || layout == OLDER_MEDIUM || layout == DISABLED)
                rows.push_back({ layout, front });
    return rows;
}

std::string RowName(const StopRow &row)
{
    return std::string(FrontEndNames[row.front]) + LayoutNames[row.layout];
}

// Corners a technician aligned, COM 2 on line 3: the layouts' stored settings.
const std::vector<DWORD> TechnicianRecord = { 131, 3871, 3922, 3866, 3917, 207, 149, 214, 2, 760, 3, 1, 0 };
// A fleet's file without corners that turns the right button on: the corners stay each
// machine's own.
const char Answers[] = "[Velmora]\r\nComPort=2\r\nComBase=760\r\nComIrq=3\r\nMode=1\r\nRightButton=1\r\n";
const char Replay[] = "SETUP.EXE /SILENT /LOADINF=fleet.ini /NORESTART";
const char QuietRemover[] = "REMOVER.EXE /S";

std::string JournalFile(void)
{
    return WindowsDirectoryPath(JOURNAL_FILE_NAME);
}

void StoreRecord(const std::vector<DWORD> &record)
{
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        WriteDword(SETTINGS_KEY, PanelSettingFields[i].Name, record[i]);
}

// A stop point: the call it came before, and the machine there.
struct Stop {
    std::string call;
    MachineImage image;
};

class StopMatrix : public CompanionTest, public testing::WithParamInterface<StopRow> {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        MakeStartMenu();
        Layout layout = GetParam().layout;
        if (layout == OLDER_MEDIUM || layout == DISABLED)
            InstallVelmora();
        if (layout == SETTINGS_ONLY || layout == OLDER_MEDIUM || layout == DISABLED)
            StoreRecord(TechnicianRecord);
        if (layout == DISABLED)
            DeleteKeyTree(STATIC_DRIVER_KEY);
        if (layout == DRIVER_AND_ENTRY) {
            RegisterStaticDriver();
            PutDriverFile("installed driver");
        }
        WriteFileText(medium_ + "\\fleet.ini", Answers);
        SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    }
    void TearDown() override
    {
        WatchChanges(nullptr);
        CompanionTest::TearDown();
    }

    // The front end, whole, as a new process runs it; a replay's exit code.
    int RunFrontEnd(FrontEnd front)
    {
        int code = EXIT_DONE;
        ResetSetupGlobals();
        SetupInstance = GetModuleHandleA(NULL);
        if (front == REPLAY) {
            code = RunSetupProgram(Replay);
        } else if (front == QUIET_REMOVER) {
            RunRemoverCommand(QuietRemover);
        } else if (front == WIZARD_TO_REBOOT) {
            Scenario().WalkToPage(IDD_CALIBRATION, { IDC_COM2 }).TouchTargets().Click(IDC_OK).InstallationEnds()
                .Click(IDC_REBOOT).Run([] { RunSetupProgram(); });
        } else {
            Scenario().WalkToPage(IDD_SUMMARY, { IDC_COM2 }).Click(IDC_CANCEL).RunSetupToAbort();
        }
        CloseTouchDriver();
        return code;
    }

    // The run after a stop, from the image the stop left; the machine it leaves, as text. An
    // installation keeps the time its run began, which no two runs share: an installing run
    // leaves it as "time".
    std::string AfterNextRun(const MachineImage &stopped, FrontEnd front, bool cardAnswers)
    {
        PutMachineImage(stopped);
        SetSimulation("QUARLO_SIM_CARD", cardAnswers ? "2,760,3" : "none");
        int code = RunFrontEnd(front);
        if (front == REPLAY)
            EXPECT_EQ(cardAnswers ? EXIT_RESTART_NEEDED : EXIT_CARD, code);
        std::string state = InstallationState();
        size_t time = state.find(" Installed(");
        if (cardAnswers && time != std::string::npos)
            state.replace(time, state.find(')', time) - time + 1, " Installed(time)");
        return state;
    }

    // The whole run once, with the machine's image taken before each change: the distinct
    // images in their order, and a file cut off half-way inside a copy or a write.
    std::vector<Stop> StopPoints(FrontEnd front)
    {
        std::vector<Stop> stops;
        std::vector<std::string> seen;
        auto keep = [&stops, &seen](const std::string &call, const MachineImage &image) {
            std::string text = ImageText(image);
            if (std::find(seen.begin(), seen.end(), text) == seen.end()) {
                seen.push_back(text);
                stops.push_back({ call, image });
            }
        };
        // Setup writes a file of the installation under a name of its own first, its last
        // letter '$', and then renames it into place.
        WatchChanges([&keep](const Change &change) {
            MachineImage image = TakeMachineImage();
            keep(change.call, image);
            if (change.path.empty() || change.path.back() != '$')
                return;
            std::string &file = image.pieces["file " + change.path];
            file = change.torn;
            keep(change.call + " cut off half-way", image);
        });
        int code = RunFrontEnd(front);
        WatchChanges(nullptr);
        if (front == REPLAY)
            EXPECT_EQ(EXIT_RESTART_NEEDED, code);
        // Once its journal is deleted a run has ended as a whole: what it writes after that
        // (its log) is no stop inside it.
        auto journaled = [](const Stop &stop) { return stop.image.pieces.count("file " + JournalFile()) > 0; };
        auto last = std::find_if(stops.rbegin(), stops.rend(), journaled);
        if (last != stops.rend())
            stops.erase(last.base(), stops.end());
        return stops;
    }
};

TEST_P(StopMatrix, EveryStopIsPutBackByTheNextRun)
{
    const StopRow &row = GetParam();
    bool remover = row.front == QUIET_REMOVER;
    MachineImage before = TakeMachineImage();
    const std::string found = ImageText(before);
    // What a clean replay, or a whole removal, makes of this machine.
    const std::string whole = AfterNextRun(before, remover ? QUIET_REMOVER : REPLAY, true);
    PutMachineImage(before);
    SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    std::vector<Stop> stops = StopPoints(row.front);
    ASSERT_GT(stops.size(), 5u) << "the run changed next to nothing";

    int wrong = 0;
    for (size_t i = 0; i < stops.size(); i++) {
        SCOPED_TRACE("stopped before " + stops[i].call + " (stop " + std::to_string(i + 1) + " of " +
                     std::to_string(stops.size()) + ")");
        if (remover) {
            EXPECT_EQ(whole, AfterNextRun(stops[i].image, QUIET_REMOVER, true)) << ++wrong;
        } else {
            EXPECT_EQ(found, AfterNextRun(stops[i].image, REPLAY, false)) << "the next run failed" << ++wrong;
            EXPECT_EQ(whole, AfterNextRun(stops[i].image, REPLAY, true)) << "the next run installed" << ++wrong;
        }
        if (wrong > 3)
            break;
    }
    std::printf("%s: %u stop points, %d put back wrong\n", RowName(row).c_str(), (unsigned)stops.size(), wrong);
}

void PrintTo(const StopRow &row, std::ostream *out)
{
    *out << RowName(row);
}

INSTANTIATE_TEST_SUITE_P(Rows, StopMatrix, testing::ValuesIn(Rows()),
                         [](const testing::TestParamInfo<StopRow> &info) { return RowName(info.param); });

} // namespace
