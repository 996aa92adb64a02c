// The machine the companion programs meet: Velmora installed as a completed setup leaves it.
#ifndef VELMORA_COMPANION_TEST_H
#define VELMORA_COMPANION_TEST_H

#include "dialog_driver.h"
#include "test_machine.h"

#include <string>
#include <vector>

// The record a completed setup stored: calibrated corners, COM 2 on line 3, mode 2, right
// button on; in registry order.
extern const DWORD InstalledRecord[13];

class CompanionTest : public SetupMachineTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Settings, static-driver entry, driver file, Start-menu folder with the four programs.
    void InstallVelmora();
    std::vector<DWORD> StoredRecord();   // the 13 values, 0xDEADBEEF for a missing one
    std::string folder_;                  // the Start-menu folder
};

// Waits for a message box with this text and caption and presses Yes or No.
Scenario &Answer(Scenario &s, const std::string &text, const char *caption, int button);

// Touches the centre of a control of the active window once it is shown; the screen point
// touched is added to `touched` when one is given.
Scenario &TouchControl(Scenario &s, int id, std::vector<POINT> *touched = nullptr);

#endif
