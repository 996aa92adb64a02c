// The fault matrix: setup's whole run and the companion programs, each case with one Win32
// call failing on its Nth use (counted over the whole walk). Every case must end without a
// crash or a hang, never hold two driver handles, keep another product's key under
// software\orrimac and an earlier installation, and tell the user the truth; each case
// then says what the user saw and what was left in the registry and on disk.
#include "companion_test.h"
#include "companions.h"
#include "fault_seam.h"
#include "fault_user.h"
#include "settings.h"
#include "driver_entry.h"
#include "setup.h"

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
    const char *function;
    int nth;
    const char *seen;   // the user's transcript, as WalkAsUser gives it
    const char *left;   // LeftBehind() afterwards
};

const char Ok[] = "finish: Installation Driver OK !!";
const char LoadFailed[] = "box Load VXD Message: Cannot Load QUARLO.VXD";
const char NoCardThenOk[] = "box Error Message: Cannot Find Interface Card | finish: Installation Driver OK !!";
const char Installed[] = "13 settings, entry, driver, menu 4";
const char InstalledKept[] = "13 settings, entry, driver, menu 4, record kept";
const char InstalledChanged[] = "13 settings, entry, driver, menu 4, record changed";
const char NotFinished[] = "box Velmora Setup Utility: " NOT_FINISHED_TEXT;
const char TuningNotStored[] = "box " TUNER_CAPTION ": " TUNER_NOT_STORED_TEXT;
#define RemoverAsk "box " REMOVER_CAPTION ": Remove the Velmora touch screen driver?"
#define REMOVED "The Velmora touch screen driver has been removed.\r\n\r\n"
#define RESTART "Windows must be restarted to finish the removal. Restart Windows now?"
#define RemoverDone "box " REMOVER_CAPTION ": " REMOVED RESTART

// Setup's calls over a whole run on a fresh machine, in order: DialogBoxParamA 1 welcome,
// 2 port page, 3 right-button page, 4 summary, 5 calibration, 6 finish; RegSetValueExA
// 1-13 the first-run defaults, 14-26 the summary's save, 27 the driver entry, 28-40 the
// finish page's save, 41-43 the Add/Remove Programs entry; RegOpenKeyExA 1 the look for an
// aside copy, 2 the driver entry's look, 3 the serial-port map, 4 the summary's save, 5 the finish page's save (on Cancel,
// 5 is the removal's); DeviceControl 1 the probe, 2 calibrate (1, 0), 3-6 the touches,
// 7-10 the corners; GetWindowsDirectoryA 1 the Start-menu folder; CopyFileA 1 the driver,
// 2-5 the four programs.
const FaultCase Cases[] = {
    // Setup, walked to Reboot.
    { "WelcomePageNotShown", FRESH, INSTALL, "DialogBoxParamA", 1, "", "no settings, no entry, no driver, menu 0" },
    { "PortPageNotShown", FRESH, INSTALL, "DialogBoxParamA", 2, Ok, Installed },
    { "SummaryPageNotShown", FRESH, INSTALL, "DialogBoxParamA", 4, Ok, Installed },
    { "CalibrationNotShown", FRESH, INSTALL, "DialogBoxParamA", 5, Ok, Installed },
    { "SettingsKeyNotCreated", FRESH, INSTALL, "RegCreateKeyExA", 1, "finish: Cannot Write Registry",
      "no settings, entry, driver, menu 4" },
    { "FirstRunDefaultNotWritten", FRESH, INSTALL, "RegSetValueExA", 1, Ok, Installed },
    { "StoredValueUnreadable", INSTALLED, INSTALL, "RegQueryValueExA", 3, Ok, InstalledChanged },
    { "SerialPortMapUnreadable", FRESH, INSTALL, "RegOpenKeyExA", 3, Ok, Installed },
    { "SystemDirectoryUnknownForCopy", FRESH, INSTALL, "GetSystemDirectoryA", 1, LoadFailed,
      "13 settings, no entry, no driver, menu 0" },
    { "DriverNotCopied", FRESH, INSTALL, "CopyFileA", 1, LoadFailed, "13 settings, no entry, no driver, menu 0" },
    { "SummarySaveCannotOpenKey", FRESH, INSTALL, "RegOpenKeyExA", 4, Ok, Installed },
    { "SummarySaveValueNotWritten", FRESH, INSTALL, "RegSetValueExA", 14, Ok, Installed },
    { "DriverDoesNotOpen", FRESH, INSTALL, "DeviceOpen", 1, LoadFailed, "13 settings, no entry, driver, menu 0" },
    { "ProbeCallFails", FRESH, INSTALL, "DeviceControl", 1, NoCardThenOk, Installed },
    { "CalibrateCallFails", FRESH, INSTALL, "DeviceControl", 2, Ok, Installed },
    { "TouchGivesNoPoint", FRESH, INSTALL, "DeviceControl", 3, Ok, Installed },
    { "CornerCallFails", FRESH, INSTALL, "DeviceControl", 9, Ok, Installed },
    { "FinishTimerNotStarted", FRESH, INSTALL, "SetTimer", 1, Ok, Installed },
    { "DriverEntryKeyNotCreated", FRESH, INSTALL, "RegCreateKeyExA", 2, "finish: Cannot Write Registry",
      "13 settings, no entry, driver, menu 4" },
    { "DriverEntryNotWritten", FRESH, INSTALL, "RegSetValueExA", 27, "finish: Cannot Write Registry",
      "13 settings, no entry, driver, menu 4" },
    { "FinishSaveCannotOpenKey", FRESH, INSTALL, "RegOpenKeyExA", 5, "finish: Cannot Write Registry", Installed },
    { "FinishSaveLastValueNotWritten", FRESH, INSTALL, "RegSetValueExA", 40, "finish: Cannot Write Registry", Installed },
    { "UninstallEntryNotWritten", FRESH, INSTALL, "RegSetValueExA", 41, "finish: Cannot Write Registry", Installed },
    // The programs go to the Programs folder the shell names instead.
    { "WindowsDirectoryUnknownForFolder", FRESH, INSTALL, "GetWindowsDirectoryA", 1, Ok, Installed },
    { "RemoverNotCopied", FRESH, INSTALL, "CopyFileA", 3, "finish: Cannot Write REMOVER.EXE",
      "13 settings, entry, driver, menu 3" },
    { "FolderNotCreated", FRESH, INSTALL, "CreateDirectoryA", 1, "finish: Cannot Write PADMON.EXE",
      "13 settings, entry, driver, menu 0" },
    { "TunerNotCopied", FRESH, INSTALL, "CopyFileA", 5, "finish: Cannot Write TUNER.EXE", "13 settings, entry, driver, menu 3" },
    { "FinishPageNotShown", FRESH, INSTALL, "DialogBoxParamA", 6, NotFinished, "13 settings, no entry, driver, menu 0" },
    { "LoadMessageNotShown", DRIVER_WONT_LOAD, INSTALL, "MessageBoxA", 1, "", "13 settings, no entry, driver, menu 0" },
    { "CardMessageNotShown", CARD_ELSEWHERE, INSTALL, "MessageBoxA", 1,
      "box Error Message: Cannot Find Interface Card | box Error Message: Cannot Find Interface Card | gave up",
      "13 settings, no entry, driver, menu 0" },
    // Setup over an earlier installation, cancelled on the summary page.
    { "EarlierEntryUnreadable", INSTALLED, CANCEL_ON_SUMMARY, "RegOpenKeyExA", 2, "", InstalledKept },
    { "EarlierValueUnreadable", INSTALLED, CANCEL_ON_SUMMARY, "RegQueryValueExA", 9, "", InstalledKept },
    { "EarlierRecordNotRestored", INSTALLED, CANCEL_ON_SUMMARY, "RegSetValueExA", 1,
      "box " SETUP_CAPTION ": " ASIDE_NOT_KEPT_TEXT, InstalledKept },
    // Setup on a fresh machine, cancelled on the summary page: the removal.
    { "RemovalCannotOpenKey", FRESH, CANCEL_ON_SUMMARY, "RegOpenKeyExA", 5, "", "13 settings, no entry, no driver, menu 0" },
    { "RemovalValueNotDeleted", FRESH, CANCEL_ON_SUMMARY, "RegDeleteValueA", 1, "", "no settings, no entry, no driver, menu 0" },
    { "RemovalKeyLooksInUse", FRESH, CANCEL_ON_SUMMARY, "RegQueryInfoKeyA", 1, "", "0 settings, no entry, no driver, menu 0" },
    { "RemovalKeyNotDeleted", FRESH, CANCEL_ON_SUMMARY, "RegDeleteKeyA", 1, "", "0 settings, no entry, no driver, menu 0" },
    { "RemovalDriverNotDeleted", FRESH, CANCEL_ON_SUMMARY, "DeleteFileA", 1, "", "no settings, no entry, driver, menu 0" },
    { "RemovalSystemDirectoryUnknown", FRESH, CANCEL_ON_SUMMARY, "GetSystemDirectoryA", 2, "",
      "no settings, no entry, driver, menu 0" },
    // The companion programs over an installation.
    { "MonitorSettingsKeyUnreadable", INSTALLED, MONITOR, "RegOpenKeyExA", 1,
      "box " PADMON_CAPTION ": " SETTINGS_UNREADABLE_TEXT, InstalledKept },
    { "MonitorDriverDoesNotOpen", INSTALLED, MONITOR, "DeviceOpen", 1, "monitor: Cannot Load QUARLO.VXD", InstalledKept },
    { "MonitorTouchGivesNoPoint", INSTALLED, MONITOR, "DeviceControl", 1, "monitor: The touch driver gave no point.", InstalledKept },
    { "TunerSaveCannotOpenKey", INSTALLED, TUNER, "RegOpenKeyExA", 3, TuningNotStored, InstalledKept },
    { "TunerModeNotWritten", INSTALLED, TUNER, "RegSetValueExA", 1, TuningNotStored, InstalledKept },
    { "TunerMessageNotShown", INSTALLED, TUNER, "MessageBoxA", 1, "", InstalledChanged },
    { "AlignerDriverDoesNotOpen", INSTALLED, ALIGNER, "DeviceOpen", 1, LoadFailed, InstalledKept },
    { "AlignerTouchGivesNoPoint", INSTALLED, ALIGNER, "DeviceControl", 3, "", InstalledChanged },
    { "AlignerScreenNotShown", INSTALLED, ALIGNER, "DialogBoxParamA", 1, "", InstalledKept },
    { "AlignerSaveCannotOpenKey", INSTALLED, ALIGNER, "RegOpenKeyExA", 3,
      "box " ALIGNER_CAPTION ": " ALIGNMENT_NOT_STORED_TEXT, InstalledKept },
    { "RemoverQuestionNotShown", INSTALLED, REMOVER, "MessageBoxA", 1, "", InstalledKept },
    { "RemoverEntryNotDeleted", INSTALLED, REMOVER, "RegDeleteValueA", 1,
      RemoverAsk " | box " REMOVER_CAPTION ": The Velmora touch screen driver could not be removed completely. "
      "Windows did not let these registry keys be changed:\r\nHKEY_LOCAL_MACHINE\\" STATIC_DRIVER_KEY,
      InstalledKept },  // mended: the settings and the driver file went, and Windows loaded a missing driver
    { "RemoverProgramInUse", INSTALLED, REMOVER, "DeleteFileA", 5,
      RemoverAsk " | box " REMOVER_CAPTION ": " REMOVED "Files still in use are deleted at the next start of Windows.\r\n\r\n"
      "Please delete by hand after the restart:\r\nC:\\windows\\START MENU\\PROGRAMS\\VELMORA\r\n\r\n" RESTART,
      "no settings, no entry, no driver, menu 1" },
    { "RemoverFolderNotRemoved", INSTALLED, REMOVER, "RemoveDirectoryA", 1,
      RemoverAsk " | box " REMOVER_CAPTION ": " REMOVED "Please delete by hand after the restart:\r\n"
      "C:\\windows\\START MENU\\PROGRAMS\\VELMORA\r\n\r\n" RESTART, "no settings, no entry, no driver, menu 0" },
    // The empty key is left, and not named to the user.
    { "RemoverSettingsKeyNotDeleted", INSTALLED, REMOVER, "RegDeleteKeyA", 2, RemoverAsk " | " RemoverDone,
      "0 settings, no entry, no driver, menu 0" },
};

const char Sibling[] = SETTINGS_PARENT_KEY "\\inkpad";

DWORD ErrorOf(const std::string &function)
{
    if (function == "DeviceOpen")
        return ERROR_FILE_NOT_FOUND;
    if (function == "DeviceControl" || function == "DialogBoxParamA" || function == "MessageBoxA" ||
        function == "SetTimer")
        return ERROR_NOT_ENOUGH_MEMORY;
    return ERROR_ACCESS_DENIED;
}

int StartMenuPrograms(void)
{
    int count = 0;
    for (const char *name : CompanionPrograms)
        count += FileExists(StartMenuProgram(name)) || FileExists(ShellStartMenuProgram(name)) ? 1 : 0;
    return count;
}

// What the registry and the disk hold of Velmora; over an earlier installation, also
// whether its settings are still the ones it stored.
std::string LeftBehind(Machine machine)
{
    int values = CountValues(SETTINGS_KEY);
    std::string left = values < 0 ? "no settings" : std::to_string(values) + " settings";
    left += StaticDriverRegistered() ? ", entry" : ", no entry";
    left += FileExists(SystemDirectoryPath(DRIVER_FILE_NAME)) ? ", driver" : ", no driver";
    left += ", menu " + std::to_string(StartMenuPrograms());
    if (machine == INSTALLED && values == PANEL_SETTING_COUNT)
        left += StoredRecord() == InstalledRecord ? ", record kept" : ", record changed";
    return left;
}

void RunWalk(Walk walk)
{
    switch (walk) {
    case INSTALL:
    case CANCEL_ON_SUMMARY: RunSetupProgram(); break;
    case MONITOR: RunPadmon(); break;
    case TUNER: RunTuner(); break;
    case ALIGNER: RunAligner(); break;
    case REMOVER: RunRemover(); break;
    }
}

class FaultMatrix : public CompanionTest, public testing::WithParamInterface<FaultCase> {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        MakeStartMenu();
        WriteDword(Sibling, "Speed", 9600);
        const FaultCase &c = GetParam();
        if (c.machine == INSTALLED) {
            InstallVelmora();
            SetSimulation("QUARLO_SIM_CARD", "2,760,3");
        } else if (c.machine == DRIVER_WONT_LOAD) {
            SetSimulation("QUARLO_SIM_FAIL", "open");
        } else if (c.machine == CARD_ELSEWHERE) {
            SetSimulation("QUARLO_SIM_CARD", "2,760,3");
        }
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
        ASSERT_TRUE(ArmFault(c.function, c.nth, ErrorOf(c.function))) << "no import named " << c.function;
        RunWalk(c.walk);
        DisarmFault();
    });
    EXPECT_TRUE(FaultFired()) << c.function << " was not called " << c.nth << " times";
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
    *out << c.function << " #" << c.nth;
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultMatrix, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<FaultCase> &info) { return std::string(info.param.name); });

} // namespace

