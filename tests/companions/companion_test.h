// The machine the companion programs meet: Velmora installed as a completed setup leaves it.
#ifndef VELMORA_COMPANION_TEST_H
#define VELMORA_COMPANION_TEST_H

#include "dialog_driver.h"
#include "test_machine.h"

#include <string>
#include <vector>

// The record a completed setup stored: calibrated corners, COM 2 on line 3, mode 2, right
// button on; in registry order.
extern const std::vector<DWORD> InstalledRecord;

class CompanionTest : public SetupMachineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Settings, static-driver entry, driver file, Start-menu folder with the four programs.
    void InstallVelmora();
    std::string folder_;                  // the Start-menu folder
};

// Waits until the active window is the one that has control id, then runs check on it.
Scenario &OnWindowWith(Scenario &s, int id, std::function<void(HWND window)> check = nullptr);

#endif
