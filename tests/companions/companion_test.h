// The machine the companion programs meet: Velmora installed as a completed setup leaves it.
#ifndef VELMORA_COMPANION_TEST_H
#define VELMORA_COMPANION_TEST_H

// The companions, setup's state and the settings layers every companion test drives.
#include "companion_resource.h"
#include "companions.h"
#include "dialog_driver.h"
#include "driver_entry.h"
#include "earlier.h"
#include "installation.h"
#include "journal.h"
#include "resource.h"
#include "setup.h"
#include "test_machine.h"

class CompanionTest : public SetupMachineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // An earlier installation with its Start-menu folder, the four programs and the
    // Add/Remove Programs entry.
    void InstallVelmora();
    // Everyone may read a key of the installation (the settings key unless told), and no
    // one change it; or every right back. Its owner may still give the rights back, which
    // TearDown does.
    void ShutKey(const char *path = SETTINGS_KEY, bool shut = true);
    // A setup stopped on the calibration screen: its journal on disk, "medium driver" and COM 1 in place.
    void StopSetupOverTheInstallation();
    // A whole setup, from the welcome page to Reboot, with these choices and this command line.
    void InstallBySetup(const std::vector<int> &choices = {}, const char *commandLine = "SETUP.EXE");
    // The installation with this record, its files as InstallVelmora writes them or, fromMedium,
    // as a setup copies them from the medium; nothing kept aside.
    void ExpectInstalled(const std::vector<DWORD> &record = InstalledRecord, bool fromMedium = false);
    // No part of an installation is left: keys, entries, driver file, Start-menu folder, aside copy.
    void ExpectNothingInstalled();
    std::string folder_;                  // the Start-menu folder
};

// The same machine with that earlier installation laid out before every case.
class InstalledTest : public CompanionTest {
protected:
    void SetUp() override;
};

// The simulated driver's last count lines (all of them when it logged fewer).
std::vector<std::string> LogTail(size_t count);
// Runs a companion (or setup) that shows one message box and answers it with OK.
void RunAnswering(int (*program)(void), const std::string &text, const char *caption, LPCSTR icon);
// The session ends as Windows ends it: every top-level window of the thread asked, then told
// that it ends; the process would end next, before any other message.
void EndSession(void);
// A file opened with no sharing, as a running program or a loaded driver holds it.
HANDLE HoldOpen(const std::string &path);
// What TUNER says when OK has stored its choices.
#define TUNED_TEXT_SEEN "The new touch settings take effect at the next start of Windows."
// A check that the tuner's window shows mode 1 to 3 (any other: none) and the right button as
// checked, for the step that waits for that window.
std::function<void(HWND window)> TunerShows(DWORD mode, DWORD button);

#endif
