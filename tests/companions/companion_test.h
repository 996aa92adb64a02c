// The machine the companion programs meet: Velmora installed as a completed setup leaves it.
#ifndef VELMORA_COMPANION_TEST_H
#define VELMORA_COMPANION_TEST_H

#include "dialog_driver.h"
#include "test_machine.h"
#include "settings.h"

#include <string>
#include <vector>

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
    // A setup stopped on the calibration screen: the installation aside, "medium driver" and COM 1 in place.
    void StopSetupOverTheInstallation();
    std::string folder_;                  // the Start-menu folder
};

// Waits until the active window is the one that has control id, then runs check on it.
Scenario &OnWindowWith(Scenario &s, int id, std::function<void(HWND window)> check = nullptr);

#endif
