// Everything a run of setup keeps, reset in one place, apart from the page chain's own file:
// this file reaches every layer of setup, which no companion program links.
#include "setup.h"
#include "calibration_screen.h"
#include "driver.h"
#include "installation.h"
#include "command_line.h"

void ResetSetupRun(void)
{
    SetupAborted = 0;
    CalibrationAccepted = 0;
    ScreenWidth = 0;
    ScreenHeight = 0;
    ZeroMemory(&SetupSwitches, sizeof SetupSwitches);
    ZeroMemory(MessageText, sizeof MessageText);
    ZeroMemory(&PanelSettings, sizeof PanelSettings);
    ZeroMemory(&PrevSelection, sizeof PrevSelection);
    ZeroMemory(&FirstLoad, sizeof FirstLoad);
    DriverHandle = NULL;
    CaptureActive = 0;
    PointIndex = 0;
    ZeroMemory(TouchedPoints, sizeof TouchedPoints);
    ZeroMemory(&Installation, sizeof Installation);
}

