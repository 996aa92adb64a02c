// The machine a test runs on: a clean slate of setup's globals, registry keys and files,
// a setup medium as the current directory, and small readers for what setup left behind.
#ifndef VELMORA_TEST_MACHINE_H
#define VELMORA_TEST_MACHINE_H

#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "paths.h"
#include "test_registry.h"

// The restart recorder that tests link in place of the real request.
extern int RestartRequests;
extern BOOL RestartResult;

// Every process-wide global of setup back to its value at load.
void ResetSetupGlobals(void);

// Runs the whole program as its entry does, with this command line (the program's name
// first), then removes the hidden window and its class so that the next run in this
// process starts as a fresh process would.
int RunSetupProgram(const char *commandLine = "SETUP.EXE");

// Files.
std::string SystemDirectoryPath(const char *name);
std::string WindowsDirectoryPath(const char *name);
BOOL FileExists(const std::string &path);
std::string ReadFileText(const std::string &path);
void WriteFileText(const std::string &path, const std::string &text);
// A driver file in the system directory, as an earlier copy would leave it.
void PutDriverFile(const char *text = "driver");

// Settings records in registry order: what setup's first run stores, and what a completed
// setup stored (calibrated corners, COM 2 on line 3, mode 2, right button on).
extern const std::vector<DWORD> FirstRunRecord;
extern const std::vector<DWORD> InstalledRecord;

// The four companion programs, and where setup puts them below the Windows directory.
extern const char *const CompanionPrograms[4];
std::string StartMenuProgram(const char *name);
// The Start-menu folders of Windows 9x, which a Wine prefix lacks.
void MakeStartMenu(void);
// The user's Programs folder as the prefix's shell names it, and a program in its VELMORA.
std::string ShellProgramsFolder(void);
std::string ShellStartMenuProgram(const char *name);
// Read-only or normal attributes for a file; whether it is read-only.
void SetReadOnly(const std::string &path, bool readOnly);
bool IsReadOnly(const std::string &path);

// Everything of the machine that a run of setup or the remover may change: the keys with
// their values' types and bytes (every Orrimac product's, the driver's entry and the key above
// it, the Add/Remove entry, the pending deletions), the driver and its aside copy, WININIT.INI,
// the journal, the programs' folders with everything in them, and each file under the name
// setup first writes it to. Taken, then put back, the machine holds exactly that again.
struct MachineImage {
    std::map<std::string, std::string> pieces;   // "key <path>", "file <path>", "folder <path>"
};
MachineImage TakeMachineImage(void);
void PutMachineImage(const MachineImage &image);
// As text to compare, a line a piece; InstallationState() is the machine's now.
std::string ImageText(const MachineImage &image);
std::string InstallationState(void);
// A setup medium: a folder holding QUARLO.VXD and the four companion programs (stand-in
// contents that name each file), made the current directory and chosen as setup's medium.
// Files named in `without` are left off.
std::string MakeSetupMedium(const std::vector<std::string> &without = {});

// A stored port: its number, base and interrupt line in the settings key.
void StorePort(DWORD port, DWORD base, DWORD irq);

// The simulated driver's settings, as the README documents them; empty text removes one.
void SetSimulation(const char *name, const char *value);
// The driver's log from line `from` (counted from 0) on.
std::vector<std::string> ReadSimulationLog(size_t from = 0);
void ClearSimulationLog(void);
int CountLogLines(const std::string &line);
// A control call as the driver logs it: code in upper-case hex, words signed.
std::string IoctlLine(const char *code, LONG word0, LONG word1);

// The base of every test that runs setup's pages: it starts from a machine on which setup
// never ran (no settings, no driver entry, no driver file, no Start-menu folder; a serial
// map listing COM1 and COM2), with a fresh medium as the current directory, the pages'
// module as start-up leaves it and a simulated card on COM 1 (every other simulation setting
// at its default), and it removes all of that again afterwards, closing a driver left open.
class SetupMachineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // An earlier, completed setup: its record (a MISSING_VALUE in it is left out), the
    // static-driver entry and the driver file "installed driver".
    void LayOutEarlierInstallation(const std::vector<DWORD> &record = InstalledRecord);
    std::string medium_;
    std::string simulationLog_ = "C:\\velmora-test-sim.log";
};

// Makes a directory lookup of paths.h (SystemDirectoryLookup or WindowsDirectoryLookup)
// answer with this directory as GetSystemDirectoryA does: the length copied, or, with
// nothing written, the size needed when it does not fit the buffer (no real machine has one
// that long). One directory at a time: a second call changes what the first lookup reports.
void ReportDirectory(DirectoryLookup &lookup, const std::string &directory);

#endif
