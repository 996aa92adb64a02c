// The fault matrix: setup's whole run and the companion programs, each case with one Win32
// call failing, named by what it does (fault_seam.h). Every case must end without a
// crash or a hang, never hold two driver handles, keep another product's key under
// software\orrimac and an earlier installation, and tell the user the truth; each case
// then says what the user saw and what was left in the registry and on disk.
#include "companion_test.h"
#include "fault_seam.h"
#include "fault_user.h"

#include <cstring>

namespace {

enum Machine {
    FRESH,             // setup never ran
    INSTALLED,         // an earlier, completed setup; the card on its port
    DRIVER_WONT_LOAD,  // setup never ran, and the driver refuses to load
    CARD_ELSEWHERE,    // setup never ran, and the card is on a port the user does not pick
};

struct FaultCase {
    const char *name;
    Machine machine;
    Walk walk;
    const char *call;   // the first call whose name begins so fails
    const char *seen;   // the user's transcript, as WalkAsUser gives it
    const char *left;   // LeftBehind() afterwards
    const char *after;  // where set, only a call made after one whose name begins so
};

const char Ok[] = "finish: Installation Driver OK !!";
const char Unwritten[] = "finish: Cannot Write Registry";
const char LoadFailed[] = "box Load VXD Message: Cannot Load QUARLO.VXD";
const char NoCardThenOk[] = "box Error Message: Cannot Find Interface Card | finish: Installation Driver OK !!";
const char NotFinished[] = "box Velmora Setup Utility: " NOT_FINISHED_TEXT;
const char TuningNotStored[] = "box " TUNER_CAPTION ": " TUNER_NOT_STORED_TEXT;
#define REMOVED "The Velmora touch screen driver has been removed.\r\n\r\n"
#define BY_HAND "Please delete by hand after the restart:\r\nC:\\windows\\START MENU\\PROGRAMS\\VELMORA\r\n\r\n"
#define RESTART "Windows must be restarted to finish the removal. Restart Windows now?"
#define RemoverSaid "box " REMOVER_CAPTION ": Remove the Velmora touch screen driver? | box " REMOVER_CAPTION ": "
// What is left, as LeftBehind() puts it.
const char Installed[] = "13 settings, entry, driver, menu 4";
const char InstalledKept[] = "13 settings, entry, driver, menu 4, record kept";
const char InstalledChanged[] = "13 settings, entry, driver, menu 4, record changed";
const char NoEntry[] = "13 settings, no entry, driver, menu 4";
const char MenuShort[] = "13 settings, entry, driver, menu 3";
const char NotLoaded[] = "13 settings, no entry, driver, menu 0";
const char NoDriver[] = "13 settings, no entry, no driver, menu 0";
const char EmptyKey[] = "0 settings, no entry, no driver, menu 0";
const char Nothing[] = "no settings, no entry, no driver, menu 0";
// The journal stays where a piece would not go back: the next start finishes the roll-back.
const char NothingUntilNextStart[] = "no settings, no entry, no driver, menu 0, journal";
const char DriverLeftUntilNextStart[] = "no settings, no entry, driver, menu 0, journal";
const char NotLoadedUntilNextStart[] = "13 settings, no entry, driver, menu 0, journal";

// Where setup keeps its settings; the driver's entry. Template 202 is TUNER's window.
#define IN_SETTINGS " in " SETTINGS_KEY
#define IN_ENTRY " in " STATIC_DRIVER_KEY
const FaultCase Cases[] = {
    // Setup, walked to Reboot.
    { "WelcomePageNotShown", FRESH, INSTALL, "DialogBoxParamA the welcome page", "", Nothing },
    { "PortPageNotShown", FRESH, INSTALL, "DialogBoxParamA the port page", Ok, Installed },
    { "SummaryPageNotShown", FRESH, INSTALL, "DialogBoxParamA the summary page", Ok, Installed },
    { "CalibrationNotShown", FRESH, INSTALL, "DialogBoxParamA the calibration screen", Ok, Installed },
    { "SettingsKeyNotCreated", FRESH, INSTALL, "RegCreateKeyExA " SETTINGS_KEY, Unwritten,
      "no settings, entry, driver, menu 4" },
    { "FirstRunDefaultNotWritten", FRESH, INSTALL, "RegSetValueExA LeftUpX" IN_SETTINGS " on the port page", Ok, Installed },
    { "StoredValueUnreadable", INSTALLED, INSTALL, "RegQueryValueExA RightUpX" IN_SETTINGS " on the port page", Ok,
      InstalledChanged },
    { "SerialPortMapUnreadable", FRESH, INSTALL, "RegOpenKeyExA " SERIAL_MAP_KEY, Ok, Installed },
    { "SystemDirectoryUnknownForCopy", FRESH, INSTALL, "GetSystemDirectoryA on the summary page", LoadFailed, NoDriver },
    { "DriverNotCopied", FRESH, INSTALL, "CopyFileA QUARLO.VXD", LoadFailed, NoDriver },
    { "SummarySaveCannotOpenKey", FRESH, INSTALL, "RegOpenKeyExA " SETTINGS_KEY " on the summary page", Ok, Installed },
    { "SummarySaveValueNotWritten", FRESH, INSTALL, "RegSetValueExA LeftUpX" IN_SETTINGS " on the summary page", Ok,
      Installed },
    { "DriverDoesNotOpen", FRESH, INSTALL, "DeviceOpen", LoadFailed, NotLoaded },
    { "ProbeCallFails", FRESH, INSTALL, "DeviceControl 0x220027", NoCardThenOk, Installed },
    { "CalibrateCallFails", FRESH, INSTALL, "DeviceControl 0x22001B", Ok, Installed },
    { "TouchGivesNoPoint", FRESH, INSTALL, "DeviceControl 0x220007", Ok, Installed },
    { "CornerCallFails", FRESH, INSTALL, "DeviceControl 0x220017", Ok, Installed },
    { "FinishTimerNotStarted", FRESH, INSTALL, "SetTimer on the finish page", Ok, Installed },
    { "DriverEntryKeyNotCreated", FRESH, INSTALL, "RegCreateKeyExA " STATIC_DRIVER_KEY, Unwritten, NoEntry },
    { "DriverEntryNotWritten", FRESH, INSTALL, "RegSetValueExA StaticVxD" IN_ENTRY, Unwritten, NoEntry },
    { "FinishSaveCannotOpenKey", FRESH, INSTALL, "RegOpenKeyExA " SETTINGS_KEY " on the finish page", Unwritten,
      Installed },
    { "FinishSaveLastValueNotWritten", FRESH, INSTALL, "RegSetValueExA RightButton" IN_SETTINGS " on the finish page",
      Unwritten, Installed },
    { "UninstallEntryNotWritten", FRESH, INSTALL, "RegSetValueExA DisplayName in " UNINSTALL_KEY, Unwritten, Installed },
    // The programs go to the Programs folder the shell names instead.
    { "WindowsDirectoryUnknownForFolder", FRESH, INSTALL, "GetWindowsDirectoryA on the finish page", Ok, Installed },
    { "RemoverNotCopied", FRESH, INSTALL, "CopyFileA REMOVER.EXE", "finish: Cannot Write REMOVER.EXE", MenuShort },
    { "FolderNotCreated", FRESH, INSTALL, "CreateDirectoryA VELMORA", "finish: Cannot Write PADMON.EXE",
      "13 settings, entry, driver, menu 0" },
    { "TunerNotCopied", FRESH, INSTALL, "CopyFileA TUNER.EXE", "finish: Cannot Write TUNER.EXE", MenuShort },
    { "FinishPageNotShown", FRESH, INSTALL, "DialogBoxParamA the finish page", NotFinished, NotLoaded },
    { "LoadMessageNotShown", DRIVER_WONT_LOAD, INSTALL, "MessageBoxA Cannot Load QUARLO.VXD", "", NotLoaded },
    { "CardMessageNotShown", CARD_ELSEWHERE, INSTALL, "MessageBoxA Cannot Find Interface Card",
      "box Error Message: Cannot Find Interface Card | box Error Message: Cannot Find Interface Card | gave up",
      NotLoaded },
    // Setup over an earlier installation, cancelled on the summary page.
    { "EarlierEntryUnreadable", INSTALLED, CANCEL_ON_SUMMARY, "RegOpenKeyExA " STATIC_DRIVER_KEY " on the port page", "",
      InstalledKept },
    { "EarlierValueUnreadable", INSTALLED, CANCEL_ON_SUMMARY, "RegQueryValueExA ComPort" IN_SETTINGS " on the port page", "",
      InstalledKept },
    // The port page's journal is not written: it makes no settings key, and the summary page
    // writes the journal before it changes anything.
    { "JournalNotWrittenOnThePortPage", INSTALLED, CANCEL_ON_SUMMARY, "MoveFileA VELMORA.JN$ on the port page", "",
      InstalledKept },
    // Setup on a fresh machine, cancelled on the summary page: the roll-back, once the driver is
    // open. The key the run made goes with each value put back, so one failure leaves nothing;
    // a piece that would not go back keeps the journal for the next start to finish.
    { "RemovalCannotOpenKey", FRESH, CANCEL_ON_SUMMARY, "RegOpenKeyExA " SETTINGS_KEY, "", NothingUntilNextStart,
      "DeviceOpen" },
    { "RemovalValueNotDeleted", FRESH, CANCEL_ON_SUMMARY, "RegDeleteValueA RightButton" IN_SETTINGS, "",
      NothingUntilNextStart },
    { "RemovalKeyLooksInUse", FRESH, CANCEL_ON_SUMMARY, "RegQueryInfoKeyA " SETTINGS_KEY, "", Nothing },
    { "RemovalKeyNotDeleted", FRESH, CANCEL_ON_SUMMARY, "RegDeleteKeyA " SETTINGS_KEY, "", Nothing },
    { "RemovalDriverNotDeleted", FRESH, CANCEL_ON_SUMMARY, "DeleteFileA QUARLO.VXD", "", DriverLeftUntilNextStart },
    { "RollBackCannotFindItsJournal", FRESH, CANCEL_ON_SUMMARY, "GetWindowsDirectoryA", "", NotLoadedUntilNextStart,
      "DeviceOpen" },
    // The companion programs over an installation.
    { "MonitorSettingsKeyUnreadable", INSTALLED, MONITOR, "RegOpenKeyExA " SETTINGS_KEY,
      "box " PADMON_CAPTION ": " SETTINGS_UNREADABLE_TEXT, InstalledKept },
    { "MonitorDriverDoesNotOpen", INSTALLED, MONITOR, "DeviceOpen", "monitor: Cannot Load QUARLO.VXD", InstalledKept },
    { "MonitorTouchGivesNoPoint", INSTALLED, MONITOR, "DeviceControl 0x220007", "monitor: The touch driver gave no point.",
      InstalledKept },
    { "TunerSaveCannotOpenKey", INSTALLED, TUNER, "RegOpenKeyExA " SETTINGS_KEY " on template 202", TuningNotStored,
      InstalledKept },
    { "TunerModeNotWritten", INSTALLED, TUNER, "RegSetValueExA Mode" IN_SETTINGS, TuningNotStored, InstalledKept },
    { "TunerMessageNotShown", INSTALLED, TUNER, "MessageBoxA The new touch settings take effect", "", InstalledChanged },
    { "AlignerDriverDoesNotOpen", INSTALLED, ALIGNER, "DeviceOpen", LoadFailed, InstalledKept },
    // The second touch.
    { "AlignerTouchGivesNoPoint", INSTALLED, ALIGNER, "DeviceControl 0x220007", "", InstalledChanged,
      "DeviceControl 0x220007" },
    { "AlignerScreenNotShown", INSTALLED, ALIGNER, "DialogBoxParamA the calibration screen", "", InstalledKept },
    { "AlignerSaveCannotOpenKey", INSTALLED, ALIGNER, "RegOpenKeyExA " SETTINGS_KEY,
      "box " ALIGNER_CAPTION ": " ALIGNMENT_NOT_STORED_TEXT, InstalledKept, "DialogBoxParamA the calibration screen" },
    { "RemoverQuestionNotShown", INSTALLED, REMOVER, "MessageBoxA Remove the Velmora touch screen driver?", "",
      InstalledKept },
    { "RemoverEntryNotDeleted", INSTALLED, REMOVER, "RegDeleteValueA StaticVxD" IN_ENTRY,
      RemoverSaid "The Velmora touch screen driver could not be removed completely. "
      "Windows did not let these registry keys be changed:\r\nHKEY_LOCAL_MACHINE\\" STATIC_DRIVER_KEY,
      InstalledKept },  // mended: the settings and the driver file went, and Windows loaded a missing driver
    { "RemoverProgramInUse", INSTALLED, REMOVER, "DeleteFileA PADMON.EXE",
      RemoverSaid REMOVED "Files still in use are deleted at the next start of Windows.\r\n\r\n" BY_HAND RESTART,
      "no settings, no entry, no driver, menu 1" },
    { "RemoverFolderNotRemoved", INSTALLED, REMOVER, "RemoveDirectoryA VELMORA", RemoverSaid REMOVED BY_HAND RESTART,
      Nothing },
    // The empty key is left, and not named to the user.
    { "RemoverSettingsKeyNotDeleted", INSTALLED, REMOVER, "RegDeleteKeyA " SETTINGS_KEY, RemoverSaid REMOVED RESTART,
      EmptyKey },
};

const char Sibling[] = SETTINGS_PARENT_KEY "\\inkpad";

DWORD ErrorOf(const std::string &call)
{
    std::string function = call.substr(0, call.find(' '));
    if (function == "DeviceOpen")
        return ERROR_FILE_NOT_FOUND;
    if (function == "DeviceControl" || function == "DialogBoxParamA" || function == "MessageBoxA" ||
        function == "SetTimer")
        return ERROR_NOT_ENOUGH_MEMORY;
    return ERROR_ACCESS_DENIED;
}

// What the registry and the disk hold of Velmora; over an earlier installation, also
// whether its settings are still the ones it stored.
std::string LeftBehind(Machine machine)
{
    int values = CountValues(SETTINGS_KEY);
    std::string left = values < 0 ? "no settings" : std::to_string(values) + " settings";
    left += StaticDriverRegistered() ? ", entry" : ", no entry";
    left += FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)) ? ", driver" : ", no driver";
    int menu = 0;
    for (const char *name : CompanionPrograms)
        menu += FileExists(StartMenuProgram(name)) || FileExists(ShellStartMenuProgram(name)) ? 1 : 0;
    left += ", menu " + std::to_string(menu);
    if (machine == INSTALLED && values == PANEL_SETTING_COUNT)
        left += StoredRecord() == InstalledRecord ? ", record kept" : ", record changed";
    if (FileExists(WindowsDirectoryPath(JOURNAL_FILE_NAME)))
        left += ", journal";
    return left;
}

// The program each walk runs, in the order of Walk.
const auto RunSetup = [] { return RunSetupProgram(); };
int (*const Programs[])(void) = { RunSetup, RunSetup, RunPadmon, RunTuner, RunAligner, RunRemover };

class FaultMatrix : public CompanionTest, public testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        MakeStartMenu();
        WriteDword(Sibling, "Speed", 9600);
        Machine machine = GetParam().machine;
        if (machine == INSTALLED)
            InstallVelmora();
        if (machine == INSTALLED || machine == CARD_ELSEWHERE)
            SetSimulation("QUARLO_SIM_CARD", "2,760,3");
        if (machine == DRIVER_WONT_LOAD)
            SetSimulation("QUARLO_SIM_FAIL", "open");
    }
    void TearDown() override
    {
        DisarmFault();
        CompanionTest::TearDown();
    }
};

TEST_P(FaultMatrix, EndsCleanAndTellsTheTruth)
{
    const FaultCase &c = GetParam();
    std::string seen = WalkAsUser(c.walk, [&c] {
        CountDriverHandles();
        ASSERT_TRUE(ArmFault(c.call, c.after ? c.after : "", ErrorOf(c.call))) << "no import for " << c.call;
        Programs[c.walk]();
        DisarmFault();
    });
    // The trace is taken only when the fault did not fire.
    EXPECT_TRUE(FaultFired()) << "no call " << c.call << (c.after ? std::string(" after ") + c.after : "")
                              << "; the calls: " << testing::PrintToString(TakeCallTrace());
    std::string left = LeftBehind(c.machine);
    EXPECT_EQ(c.seen, seen) << "left: " << left;
    EXPECT_EQ(c.left, left);
    EXPECT_LE(MostDriverHandlesHeld(), 1) << "two driver handles at once";
    EXPECT_EQ(0, DriverHandlesHeld()) << "the driver was left open";
    EXPECT_EQ(9600u, StoredDword(Sibling, "Speed")) << "another product's key was lost";
    if (c.machine == INSTALLED && c.walk != REMOVER)
        EXPECT_EQ(0u, left.find(Installed)) << "the earlier installation lost something: " << left;
    if (seen.find("Installation Driver OK !!") != std::string::npos) {
        EXPECT_EQ(0u, left.find(Installed)) << "told installed, but: " << left;
        EXPECT_EQ(std::vector<DWORD>((DWORD *)&PanelSettings, (DWORD *)&PanelSettings + PANEL_SETTING_COUNT),
                  StoredRecord()) << "told installed, but the accepted settings are not stored";
    }
}

void PrintTo(const FaultCase &c, std::ostream *out)
{
    *out << std::string(c.call, std::strcspn(c.call, " "));
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultMatrix, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<FaultCase> &info) { return std::string(info.param.name); });

} // namespace

