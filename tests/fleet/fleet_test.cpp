// A fleet's runs without a user: SETUP.EXE /SILENT replaying an answer file and REMOVER.EXE
// /S, each ending with its exit code and log, and the machine installed, emptied, or as the
// run found it; and answers recorded on one machine replayed on another.
#include "companion_test.h"
#include "medium.h"
#include "silent_setup.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

// COM 2 on line 3, mode 3, right button off, aligned with a negative corner.
const std::vector<DWORD> Answered = { (DWORD)-5, 3900, 3950, 3890, 3940, 170, 150, 180, 2, 760, 3, 3, 0 };
const char Replay[] = "/SILENT /LOADINF=\"fleet answers.ini\"";
const char NoCorners[] = "-LeftUpX -LeftUpY -RightUpX -RightUpY -RightDnX -RightDnY -LeftDnX -LeftDnY";
std::vector<HANDLE> Held;

enum Machine { FRESH, EARLIER };

struct FleetRun {
    const char *name;
    Machine machine;
    const char *commandLine;   // after "SETUP.EXE ", unless it names REMOVER.EXE itself
    const char *edit;          // of the answer file: "Key=Value" sets, "+Key=Value" adds, "-Key"
                               // drops; NULL for no file
    void (*prepare)(void);
    int exitCode;
    const char *logLine;       // held by a line of the log; NULL for a box and no log
};

// The answers, edited: "Key=Value" sets, "+Key=Value" adds a line at the end, "-Key" drops.
std::string AnswerFile(const std::string &edit);

// A current directory whose full path with "\ANS.INI" takes 257 characters, one too many.
const std::string LongFolder = "C:\\velmora-test-medium\\" + std::string(226, 'a');

void HoldMutex() { Held.push_back(CreateMutexA(NULL, TRUE, "Velmora Installation")); }
void NoCard() { SetSimulation("QUARLO_SIM_CARD", "none"); }
// The machine as a first replay of the unedited answers leaves it, the driver's calls forgotten.
void ReplayedOnce()
{
    WriteFileText("C:\\velmora-test-medium\\fleet answers.ini", AnswerFile(""));
    RunSetupProgram("SETUP.EXE /SILENT /LOADINF=\"fleet answers.ini\" /NORESTART");
    RestartRequests = 0;
    ClearSimulationLog();
}
void HoldRemover() { Held.push_back(HoldOpen(StartMenuProgram("REMOVER.EXE"))); }
// The same, made on another day, as the installation's entry keeps it.
const char MadeEarlier[] = "2026-01-02 03:04:05";
void ReplayedOnAnotherDay()
{
    ReplayedOnce();
    WriteValue(UninstallKey, "Installed", REG_SZ, MadeEarlier, sizeof MadeEarlier);
}
void InventoryValue() { WriteValue(UninstallKey, "InventoryTag", REG_SZ, "A7", 3); }
// Programs folders of their own: the user who replayed first had the shell's, and the one who
// logs on next has another, here the Windows 9x folder, which only now appears.
void AnotherUserLogsOn()
{
    RemoveDirectoryA(WindowsDirectoryPath("START MENU\\PROGRAMS").c_str());
    RemoveDirectoryA(WindowsDirectoryPath("START MENU").c_str());
    ReplayedOnce();
    MakeStartMenu();
}
void DueAtTheNextStart(const std::string &line)
{
    ReplayedOnce();
    WriteFileText(WindowsDirectoryPath("WININIT.INI"), "[rename]\r\nNUL=" + line + "\r\n");
}
// Started by its full path from this folder, as a login script starts it, the Windows
// directory current unless told.
void StartedFrom(const char *folder, const std::string &current = WindowsDirectoryPath(""))
{
    ReportDirectory(ProgramFolderLookup, folder);
    SetCurrentDirectoryA(current.c_str());
}

const FleetRun Runs[] = {
    { "Replayed", FRESH, Replay, "", nullptr, 0, "Request a restart: done" },
    { "ReplayedOverAnEarlierInstallation", EARLIER,
      "-silent -LoadInf=\"C:\\velmora-test-medium\\fleet answers.ini\" /NoRestart /LOG=fleet.log", "", nullptr,
      3010, "Record in VELMORA.JNL what this run may change: done" },
    { "RestartRefused", FRESH, Replay, "", [] { RestartResult = FALSE; }, 3010, "Request a restart: failed" },
    { "WithoutCornersTheMachineKeepsItsOwn", EARLIER, Replay, NoCorners, nullptr, 0,
      "IRQ 3: done\r\nNo corners: the panel is not aligned; ALIGNER.EXE aligns it\r\nWrite the static-driver entry: done" },
    // Answers refused before anything is touched.
    { "AnswerFileMissing", FRESH, Replay, nullptr, nullptr, 2, "fleet answers.ini is missing" },
    { "AnswerFileTooLong", FRESH, Replay, nullptr, [] {
        WriteFileText("C:\\velmora-test-medium\\fleet answers.ini", AnswerFile("") + std::string(32768, ';'));
    }, 2, "Refused: C:\\velmora-test-medium\\fleet answers.ini is too long" },
    { "KeyMissing", FRESH, Replay, "-ComIrq", nullptr, 2, "Refused: ComIrq: missing" },
    { "KeyTwice", FRESH, Replay, "+comport=2", nullptr, 2, "Refused: comport = \"2\": given twice" },
    { "UnknownKey", FRESH, Replay, "Colour=blue", nullptr, 2, "Refused: Colour = \"blue\": no such key" },
    { "Text", FRESH, Replay, "Mode=two", nullptr, 2, "Refused: Mode = \"two\": not a whole number" },
    { "OutOfRange", FRESH, Replay, "RightButton=2", nullptr, 2, "Refused: RightButton = \"2\": must be 0 to 1" },
    { "Beyond32Bits", FRESH, Replay, "LeftDnY=-2147483649", nullptr, 2, "\"-2147483649\": does not fit 32 bits" },
    { "PortNotInTheMap", FRESH, Replay, "ComPort=3", nullptr, 2, "Refused: ComPort = \"3\": not in the serial-port map" },
    { "BaseOfAnotherPort", FRESH, Replay, "ComBase=1016", nullptr, 2, "\"1016\": must be 760 for COM 2" },
    { "LineWithoutAButton", FRESH, Replay, "ComIrq=6", nullptr, 2, "\"6\": must be 3, 4, 5 or 7" },
    { "SevenCorners", FRESH, Replay, "-RightDnY", nullptr, 2, "Refused: RightDnY: missing; corners: all eight or none" },
    { "FlatCorners", FRESH, Replay, "RightUpX=-5", nullptr, 2, "Refused: LeftUpX = \"-5\": the corners span no edge" },
    { "KeyTwiceInASecondSection", FRESH, Replay, "+[Other] +Mode=1 +[VELMORA];again +Mode=3 +ComPort=2", nullptr, 2,
      "Refused: Mode = \"3\": given twice" },
    // Every other way a replay ends.
    { "SwitchNotUnderstoodQuietly", FRESH, "/SILENT /LOADINF=a.ini /REBOOT", "", nullptr, 1, "The switch \"/REBOOT\" is not known." },
    { "SwitchNotUnderstoodInAWizard", FRESH, "/SAVEINF", "", nullptr, 1, nullptr },
    { "LogNamingTheAnswerFile", EARLIER,
      "/SILENT /LOADINF=\"fleet answers.ini\" /LOG=\"C:\\VELMORA-TEST-MEDIUM\\Fleet Answers.INI\"", "", nullptr, 1,
      "The switch \"/LOG\" names the same file as /LOADINF." },
    // Other names of the same file: its NT forms, and a share that no comparison of names
    // sees, which the run cannot open while it holds its answers.
    { "LogNamingTheAnswerFileByItsNtPath", FRESH,
      "/SILENT /LOADINF=\"fleet answers.ini\" /LOG=\"\\\\?\\C:\\velmora-test-medium\\fleet answers.ini\"", "", nullptr, 1,
      "The switch \"/LOG\" names the same file as /LOADINF." },
    { "LogNamingTheAnswerFileThroughAShare", FRESH,
      "/SILENT /LOADINF=\"fleet answers.ini\" /LOG=\"\\\\velmora-server\\medium\\fleet answers.ini\"", "", nullptr, 0,
      "Cannot make the log \\\\velmora-server\\medium\\fleet answers.ini; logging here instead." },
    { "RelativeNameTooLong", FRESH, "/SILENT /LOADINF=ANS.INI /NORESTART", "", [] {
        CreateDirectoryA(LongFolder.c_str(), NULL);
        SetCurrentDirectoryA(LongFolder.c_str());
        WriteFileText("ANS.INI", AnswerFile(""));
        WriteFileText(WindowsDirectoryPath("ANS.INI"), AnswerFile("Mode=3"));
    }, 1, "The switch \"/LOADINF\" names too long a path." },
    { "LogFolderMissing", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /LOG=C:\\missing\\fleet.log", "", nullptr, 0,
      "Cannot make the log C:\\missing\\fleet.log; logging here instead." },
    { "AnotherSetupRuns", EARLIER, Replay, "", HoldMutex, 3, "Exit code 3: " BUSY_REASON },
    { "DriverDoesNotLoad", FRESH, Replay, "", [] { SetSimulation("QUARLO_SIM_FAIL", "open"); }, 4, "Load the driver \\\\.\\QUARLO.VXD: failed" },
    { "ProbeFailsOverAnEarlierInstallation", EARLIER, Replay, "", [] { SetSimulation("QUARLO_SIM_CARD", "1,1016,4"); },
      5, "Probe the card on COM 2, base 760, IRQ 3: failed" },
    { "ProgramMissingOverAnEarlierInstallation", EARLIER, Replay, "", [] { MakeSetupMedium({ "TUNER.EXE" }); }, 6,
      "Copy C:\\velmora-test-medium\\TUNER.EXE to C:\\windows\\START MENU\\PROGRAMS\\VELMORA: failed" },
    // Started by its full path from elsewhere, as a login script starts it: the medium is
    // taken from beside SETUP.EXE, also on a share, whose path Wine gives in its NT form; a
    // medium found nowhere is named in both places looked.
    { "ReplayedFromAnotherFolder", FRESH, "/SILENT /LOADINF=\"C:\\velmora-test-medium\\fleet answers.ini\" /NoRestart",
      "", [] { StartedFrom("C:\\velmora-test-medium"); }, 3010,
      "Copy C:\\velmora-test-medium\\QUARLO.VXD to C:\\windows\\system32\\QUARLO.VXD: done" },
    { "ReplayedFromAShare", FRESH, "/SILENT /LOADINF=\"\\\\velmora-server\\medium\\fleet answers.ini\" /NoRestart", "",
      [] { StartedFrom("UNC\\velmora-server\\medium"); }, 3010,
      "Copy \\\\velmora-server\\medium\\QUARLO.VXD to C:\\windows\\system32\\QUARLO.VXD: done" },
    { "MediumFoundNowhere", FRESH, "/SILENT /LOADINF=\"C:\\velmora-test-medium\\fleet answers.ini\"", "",
      [] { StartedFrom("UNC\\velmora-server\\gone"); }, 4,
      "Copy C:\\windows\\QUARLO.VXD or \\\\velmora-server\\gone\\QUARLO.VXD to C:\\windows\\system32\\QUARLO.VXD: failed" },
    // A login script's replay at every logon.
    { "ReplayedAgainChangesNothing", FRESH, Replay, "", ReplayedOnce, 0,
      "Already installed with these answers: nothing changed\r\nExit code 0: " },
    { "ReplayedAgainOverAChangedValue", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart", "", [] {
        ReplayedOnce();
        WriteDword(SETTINGS_KEY, "Mode", 1);
    }, 3010, "Save the settings: done" },
    // Anything that differs installs again: the driver due at the next start however its line
    // spells it (one too long to read may name it), a value of another type, which the driver
    // ignores. Another user's logon finds the programs in the folder the entry names.
    { "ReplayedAgainWithTheDriverDueAtTheNextStart", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart", "",
      [] { DueAtTheNextStart("\\WINDOWS\\system32\\..\\SYSTEM32/quarlo.vxd"); }, 3010, "Keep them at the next start: done" },
    { "ReplayedAgainWithALineTooLongToRead", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart", "",
      [] { DueAtTheNextStart("C:\\" + std::string(300, 'q')); }, 3010, "Keep them at the next start: done" },
    { "ReplayedAgainOverAValueOfAnotherType", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart", "",
      [] { ReplayedOnce(); WriteValue(SETTINGS_KEY, "LeftUpX", REG_BINARY, &Answered[0], 4); }, 3010, "Save the settings: done" },
    { "ReplayedAgainByAnotherUser", FRESH, Replay, "", AnotherUserLogsOn, 0,
      "Already installed with these answers: nothing changed" },
    // The system directory current: its installed driver, an older one, is no medium's.
    { "ReplayedAgainFromTheSystemDirectoryWithANewerDriver", FRESH,
      "/SILENT /LOADINF=\"C:\\velmora-test-medium\\fleet answers.ini\" /NoRestart", "",
      [] { ReplayedOnce(); PutDriverFile("older driver"); StartedFrom("C:\\velmora-test-medium", SystemDirectoryPath("")); },
      3010, "Copy C:\\velmora-test-medium\\QUARLO.VXD to C:\\windows\\system32\\QUARLO.VXD: done" },
    { "ProgramMissingOnAFreshMachine", FRESH, Replay, "", [] { MakeSetupMedium({ "TUNER.EXE" }); }, 6, "Put everything back: done" },
    // Installations in part: disabled (no static-driver entry), half removed, a driver left over.
    { "ProbeFailsOverADisabledInstallation", EARLIER, Replay, "", [] { DeleteKeyTree(STATIC_DRIVER_KEY); NoCard(); }, 5,
      "Put everything back: done" },
    { "ProgramMissingOverADisabledInstallation", EARLIER, Replay, "", [] {
        DeleteKeyTree(STATIC_DRIVER_KEY);
        MakeSetupMedium({ "TUNER.EXE" });
    }, 6, "Put everything back: done" },
    { "ProbeFailsOverHalfRemovedSettings", EARLIER, Replay, "", [] {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "LeftUpX");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, SETTINGS_KEY, "Mode");
        NoCard();
    }, 5, "Put everything back: done" },
    { "ProbeFailsWithoutSettings", EARLIER, Replay, "", [] { DeleteKeyTree(SETTINGS_PARENT_KEY); NoCard(); }, 5,
      "Put everything back: done" },
    { "ProbeFailsOverALeftoverDriver", FRESH, Replay, "", [] { PutDriverFile("leftover driver"); NoCard(); }, 5,
      "Put everything back: done" },
    // The status file of a management server, after the log's last line.
    { "StatusFileAfterASuccess", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart /mif=FLEET", "", nullptr, 3010,
      "Write the status file C:\\windows\\FLEET.MIF: done\r\nExit code 3010: " },
    { "StatusFileAfterARefusedAnswerFile", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" -MIF=Fleet_7", "Mode=two",
      nullptr, 2, "Write the status file C:\\windows\\Fleet_7.MIF: done\r\nExit code 2: " },
    { "StatusFileWithoutACard", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /MIF=FLEET", "", NoCard, 5,
      "Write the status file C:\\windows\\FLEET.MIF: done\r\nExit code 5: " },
    { "StatusFileOfAnInstallationInPlace", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /MIF=FLEET", "", ReplayedOnAnotherDay, 0,
      "Already installed with these answers: nothing changed\r\nWrite the status file C:\\windows\\FLEET.MIF: done\r\n"
      "Exit code 0: " },
    { "StatusFileNamingTheAnswerFile", FRESH, "/SILENT /LOADINF=C:\\windows\\FLEET.MIF /MIF=FLEET", "", nullptr, 1,
      "The switch \"/MIF\" names the same file as /LOADINF." },
    // Spelt /Mif: the table then writes no earlier run's status file to the device.
    { "StatusFileNamedAsADevice", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /Mif=Nul", "", nullptr, 1,
      "The switch \"/MIF\" names a device." },
    { "StatusFileHeldByAnotherProgram", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /NoRestart /MIF=FLEET", "", [] {
        WriteFileText(WindowsDirectoryPath("FLEET.MIF"), "an earlier run's");
        Held.push_back(CreateFileA(WindowsDirectoryPath("FLEET.MIF").c_str(), GENERIC_READ, FILE_SHARE_READ, NULL,
                                   OPEN_EXISTING, 0, NULL));
    }, 3010, "Write the status file C:\\windows\\FLEET.MIF: failed\r\nExit code 3010" },
    { "StatusFileNamedAsAPath", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /MIF=..\\FLEET", "", nullptr, 1,
      "The switch \"/MIF\" needs a name of 1 to 8 letters, digits or _." },
    { "StatusFileNameTooLong", FRESH, "/SILENT /LOADINF=\"fleet answers.ini\" /MIF=FLEET_123", "", nullptr, 1,
      "The switch \"/MIF\" needs a name of 1 to 8 letters, digits or _." },
    // The quiet remover, one line a step.
    // The driver Windows loaded at this start runs until the next.
    { "RemovedQuietly", EARLIER, "REMOVER.EXE /S /LOG=fleet.log /MIF=FLEET", "", nullptr, 3010,
      "Exit code 3010: removed, restart needed: the driver Windows loaded runs until the next start of Windows" },
    { "RemovedWithoutADriverToUnload", EARLIER, "REMOVER.EXE /S /LOG=fleet.log", "", [] { DeleteKeyTree(STATIC_DRIVER_KEY); },
      0, "Delete C:\\windows\\START MENU\\PROGRAMS\\VELMORA\\TUNER.EXE: done" },
    { "RemoverInUse", EARLIER, "REMOVER.EXE /s -LOG=fleet.log", "", HoldRemover, 3010,
      "Exit code 3010: removed, restart needed: REMOVER.EXE goes at the next start of Windows, and the driver Windows "
      "loaded runs until then" },
    // A [rename] section too long to read whole cannot take another line.
    { "RemoverCannotSchedule", EARLIER, "REMOVER.EXE /S /LOG=fleet.log", "", [] {
        HoldRemover();
        std::string full = "[rename]\r\n";
        for (int i = 0; i < 300; i++)
            full += "NUL=C:\\OLDSETUP.TMP\r\n";
        WriteFileText(WindowsDirectoryPath("WININIT.INI"), full);
    }, 1, "Stays: C:\\windows\\START MENU\\PROGRAMS\\VELMORA\\REMOVER.EXE" },
    { "RemovedByAnotherUser", FRESH, "REMOVER.EXE /S /LOG=fleet.log", "", AnotherUserLogsOn, 3010,
      "Start Menu\\Programs\\VELMORA\\TUNER.EXE: done" },
    { "RemovedBesideAnotherProgramsValue", EARLIER, "REMOVER.EXE /S /LOG=fleet.log", "", InventoryValue, 3010,
      "Stays: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora: another program's "
      "values or keys\r\nExit code 3010" },
    { "RemoverBesideASetup", EARLIER, "REMOVER.EXE /S /LOG=fleet.log", "", HoldMutex, 3, "Exit code 3: " BUSY_REASON },
    { "RemoverSwitchNotUnderstood", EARLIER, "REMOVER.EXE /S /Q /LOG=fleet.log", "", nullptr, 1, "The switch \"/Q\" is not known." },
    { "RemoverStatusFileNotQuiet", EARLIER, "REMOVER.EXE /MIF=FLEET", "", nullptr, 1, nullptr },
};

// The local time as the logs give it.
std::string Now()
{
    SYSTEMTIME now;
    char text[32];
    GetLocalTime(&now);
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// A MIF's literal string: a backslash and a double quote each escaped with a backslash.
std::string MifLiteral(std::string text)
{
    for (size_t at = 0; (at = text.find_first_of("\\\"", at)) != std::string::npos; at += 2)
        text.insert(at, "\\");
    return text;
}

// The status file as a management server reads it, typed out apart from the programs' own.
std::string StatusFile(const std::string &status, const std::string &reason, const std::string &began)
{
    const std::vector<std::vector<std::string>> groups = {
        { "ComponentID\"\r\nID = 1\r\nCLASS = \"DMTF|ComponentID|1.0", "Manufacturer", "64", "Orrimac Corporation",
          "Product", "64", "Velmora Touch Screen Driver", "Version", "64", "6.04B", "Locale", "16", "ENU",
          "Serial Number", "64", "", "Installation", "64", began },
        { "InstallStatus\"\r\nID = 2\r\nCLASS = \"MICROSOFT|JOBSTATUS|1.0", "Status", "32", status, "Description", "128",
          MifLiteral(reason) } };
    std::string text = "START COMPONENT\r\nNAME = \"WORKSTATION\"\r\n";
    for (const auto &group : groups) {
        text += "START GROUP\r\nNAME = \"" + group[0] + "\"\r\n";
        for (size_t i = 1; i < group.size(); i += 3)
            text += "START ATTRIBUTE\r\nNAME = \"" + group[i] + "\"\r\nID = " + std::to_string(i / 3 + 1) +
                    "\r\nACCESS = READ-ONLY\r\nSTORAGE = SPECIFIC\r\nTYPE = STRING(" + group[i + 1] + ")\r\nVALUE = \"" +
                    group[i + 2] + "\"\r\nEND ATTRIBUTE\r\n";
        text += "END GROUP\r\n";
    }
    return text + "END COMPONENT\r\n";
}

void PrintTo(const FleetRun &run, std::ostream *out)
{
    *out << run.commandLine;
}

std::string AnswerFile(const std::string &edit)
{
    std::string text = "; answers\r\n[Velmora]\r\n";
    for (int i = 0; i < PANEL_SETTING_COUNT; i++)
        text += PanelSettingFields[i].Name + std::string("=") + std::to_string((LONG)Answered[i]) + "\r\n";
    std::istringstream edits(edit);
    for (std::string change; edits >> change;) {
        bool add = change[0] == '+', drop = change[0] == '-';
        std::string setting = change.substr(add || drop);
        // The line of the same key, found from the end of the line before it.
        size_t at = add ? std::string::npos : text.find("\n" + setting.substr(0, setting.find('=')) + "=");
        if (at == std::string::npos)
            text += setting + "\r\n";
        else
            text.replace(at + 1, text.find('\n', at + 1) - at, drop ? "" : setting + "\r\n");
    }
    return text;
}

class FleetMachine : public CompanionTest {
protected:
    void SetUp() override
    {
        CompanionTest::SetUp();
        MakeStartMenu();
        SetSimulation("QUARLO_SIM_CARD", "2,760,3");
    }
    void TearDown() override
    {
        for (HANDLE held : Held)
            CloseHandle(held);
        Held.clear();
        SetCurrentDirectoryA(medium_.c_str());
        for (const char *name : { "fleet answers.ini", "fleet.log", "recorded.ini" })
            DeleteFileA((medium_ + "\\" + name).c_str());
        for (const char *name : { "FLEET.MIF", "FLEET_7.MIF", "FLEET_123.MIF", "..\\FLEET.MIF" })
            DeleteFileA(WindowsDirectoryPath(name).c_str());
        DeleteFileA((LongFolder + "\\ANS.INI").c_str());
        RemoveDirectoryA(LongFolder.c_str());
        DeleteFileA(WindowsDirectoryPath("ANS.INI").c_str());
        CompanionTest::TearDown();
    }
};

class Fleet : public FleetMachine, public testing::WithParamInterface<FleetRun> {};

TEST_P(Fleet, EndsWithItsExitCodeAndLog)
{
    const FleetRun &run = GetParam();
    bool remover = std::string(run.commandLine).find("REMOVER.EXE") == 0;
    std::string line = remover ? run.commandLine : std::string("SETUP.EXE ") + run.commandLine;
    if (run.machine == EARLIER)
        InstallVelmora();
    if (run.prepare)
        run.prepare();
    if (run.edit)
        WriteFileText(medium_ + "\\fleet answers.ini", AnswerFile(run.edit));
    // A status file of an earlier run, which this run replaces once its command line is understood.
    size_t named = line.find("MIF=") != std::string::npos ? line.find("MIF=") : line.find("mif=");
    std::string statusFile = named == std::string::npos ? "" : WindowsDirectoryPath(line.substr(named + 4).c_str()) + ".MIF";
    if (!statusFile.empty())
        WriteFileText(statusFile, "an earlier run's");
    std::string before = InstallationState();
    int code = -1;
    Scenario s;
    if (!run.logLine && remover)
        s.AnswerMessageBox("The switch \"/MIF\" needs /S.", REMOVER_CAPTION, IDI_EXCLAMATION);
    else if (!run.logLine)
        s.AnswerMessageBox("The switch \"/SAVEINF\" needs a value after =.", SETUP_CAPTION, IDI_EXCLAMATION);
    std::string began = Now();
    s.Run([&] { code = remover ? RunRemoverCommand(line.c_str()) : RunSetupProgram(line.c_str()); });
    std::string ended = Now();

    EXPECT_EQ(run.exitCode, code);
    bool unchanged = run.logLine && strstr(run.logLine, "nothing changed");
    bool installed = !remover && !unchanged && (code == 0 || code == 3010), removed = remover && (code == 0 || code == 3010);
    std::string logFile = line.find("LOG=fleet.log") != std::string::npos ? medium_ + "\\fleet.log"
                                                                           : WindowsDirectoryPath("VELMORA.LOG");
    // A run never writes over a file that it reads.
    if (run.edit)
        EXPECT_EQ(AnswerFile(run.edit), ReadFileText(medium_ + "\\fleet answers.ini"));
    std::string text = ReadFileText(logFile);
    bool statusKept = code == 1 || text.find("status file " + statusFile + ": failed") != std::string::npos;
    if (!run.logLine) {
        EXPECT_FALSE(FileExists(logFile)) << "a log without /LOG or a quiet run";
    } else {
        // Every line ends with CR LF: whose the log is and when it began come first, then the
        // command line; the exit code and its reason last.
        char computer[MAX_COMPUTERNAME_LENGTH + 1];
        DWORD size = sizeof computer;
        GetComputerNameA(computer, &size);
        std::string who = std::string(remover ? "Velmora Remover" : "Velmora Setup") + " 6.04B on " + computer + ", ";
        std::string stamp = text.substr(std::min(who.size(), text.size()), 19);
        EXPECT_EQ(0u, text.find(who + stamp + "\r\nCommand line: " + line + "\r\n")) << logFile << ":\n" << text;
        EXPECT_TRUE(began <= stamp && stamp <= ended) << "begun " << stamp << ", not from " << began << " to " << ended;
        std::string exitLine = "\r\nExit code " + std::to_string(run.exitCode) + ": ";
        size_t last = text.rfind(exitLine);
        EXPECT_TRUE(last != std::string::npos && text.find("\r\n", last + 2) == text.size() - 2) << text;
        EXPECT_NE(std::string::npos, text.find(run.logLine)) << "no line holds: " << run.logLine << "\n" << text;
        // A replay's reason is the one setup keeps for its code.
        std::string reason = last == std::string::npos ? "" : text.substr(last + exitLine.size());
        reason = reason.substr(0, reason.size() - 2);
        if (!remover && code != 1)
            EXPECT_EQ(ReplayExitReason(code, unchanged), reason);
        // The management server learns what the log's last line says, or the refusal the log names
        // before it, and when the installation in place was made: none after a failure or a removal.
        size_t refused = text.find("\r\nRefused: ");
        if (code == 2 && refused != std::string::npos)
            reason = text.substr(refused + 2, text.find("\r\n", refused + 2) - refused - 2);
        if (!statusFile.empty() && !statusKept)
            EXPECT_EQ(StatusFile(code == 0 || code == 3010 ? "Success" : "Failed", reason,
                                 unchanged ? MadeEarlier : installed ? stamp : ""),
                      ReadFileText(statusFile));
    }
    if (!statusFile.empty() && statusKept)
        EXPECT_EQ("an earlier run's", ReadFileText(statusFile)) << "a command line not understood, or a file held";
    EXPECT_EQ(installed && line.find("NoRestart") == std::string::npos ? 1 : 0, RestartRequests);
    if (installed) {
        // Installed as the answers say, the corners sent to the driver as OK sends them.
        std::vector<DWORD> want = Answered;
        if (run.edit == NoCorners)
            std::copy(InstalledRecord.begin(), InstalledRecord.begin() + 8, want.begin());
        ExpectInstalled(want, true);
        std::string wininit = ReadFileText(WindowsDirectoryPath("WININIT.INI"));
        EXPECT_EQ(std::string::npos, wininit.find("NUL=")) << "the next start deletes what was installed:\n" << wininit;
        EXPECT_EQ(1, CountLogLines(IoctlLine("0x22000B", (LONG)want[0], (LONG)want[1])));
        EXPECT_EQ((std::vector<std::string>{ "ioctl 0x22001B 1 1", "ioctl 0x22001B 0 0", "close" }), LogTail(3));
    } else if (removed) {
        EXPECT_FALSE(KeyExists(SETTINGS_PARENT_KEY));
        EXPECT_FALSE(StaticDriverRegistered());
        // Nothing of the entry stays; another program's value keeps its key.
        EXPECT_EQ(run.prepare == InventoryValue ? 1 : -1, CountValues(UninstallKey));
    } else if (remover && code == 1 && run.prepare) {
        ExpectUninstallEntry(folder_ + "\\REMOVER.EXE");
    } else {
        EXPECT_EQ(before, InstallationState());
        if (unchanged)
            EXPECT_EQ(0, CountLogLines("open")) << "a driver loaded";
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, Fleet, testing::ValuesIn(Runs),
                         [](const testing::TestParamInfo<FleetRun> &info) { return std::string(info.param.name); });

// Recorded with negative corners and a relative name, which is the current directory's;
// replayed on a machine on which setup never ran.
TEST_F(FleetMachine, AnswersRecordedOnOneMachineReplayTheSameValuesOnAnother)
{
    SetSimulation("QUARLO_SIM_CARD", "1,1016,4");
    SetSimulation("QUARLO_SIM_PANEL", "-300,3950,3900,-200");
    InstallBySetup({ IDC_RIGHT_BUTTON }, "SETUP.EXE /SAVEINF=recorded.ini");
    std::vector<DWORD> recorded = StoredRecord();
    std::string answers = ReadFileText(medium_ + "\\recorded.ini");
    ASSERT_GT(0, (LONG)recorded[0]);
    EXPECT_NE(std::string::npos, answers.find("[Velmora]"));
    EXPECT_NE(std::string::npos, answers.find("LeftUpX=" + std::to_string((LONG)recorded[0])));

    TearDown();
    SetUp();
    SetSimulation("QUARLO_SIM_CARD", "1,1016,4");
    WriteFileText(medium_ + "\\recorded.ini", answers);
    EXPECT_EQ(3010, RunSetupProgram("SETUP.EXE /SILENT /LOADINF=recorded.ini /NORESTART"));
    EXPECT_EQ(recorded, StoredRecord());
}

} // namespace
