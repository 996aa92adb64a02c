// ALIGNER.EXE: setup's calibration screen run again over the installed driver.
#include "companions.h"
#include "settings.h"
#include "driver.h"
#include "resource.h"
#include "program.h"
#include "calibration_screen.h"

// The alignment the driver works with when the aligner starts, handed back on Cancel.
static PanelSettingsRecord StoredAlignment;

// Cancel on the calibration screen leaves the driver in calibration, or with corners the
// user did not accept; a driver that Windows keeps loaded would go on that way until the
// next start. The stored corners go back to it in the order the screen uses.
void RestoreStoredAlignment(void)
{
    PanelSettings = StoredAlignment;
    SetPanelCorners(&StoredAlignment.Corners);
    SetPanelCalibrate(0, 0);
}

static int AlignInstalledPanel(void)
{
    if (!LoadInstalledSettings(ALIGNER_CAPTION))
        return 1;
    if (!OpenTouchDriver()) {
        ShowProblem(NULL, DRIVER_FAILED_TEXT, DRIVER_FAILED_CAPTION);
        return 1;
    }
    StoredAlignment = PanelSettings;
    CalibrationAccepted = 0;
    OpenPage(IDD_CALIBRATION, NULL, AlignerScreen);
    // The driver keeps the accepted corners until Windows restarts; only the registry keeps
    // them beyond, so a key that is gone or closed to writing must not pass unnoticed.
    if (CalibrationAccepted == 1) {
        if (!SavePanelSettings())
            ShowProblem(NULL, ALIGNMENT_NOT_STORED_TEXT, ALIGNER_CAPTION);
    } else {
        RestoreStoredAlignment();
    }
    CloseTouchDriver();
    return 0;
}

int RunAligner(void)
{
    int result;

    if (!ClaimSettings(ALIGNER_CAPTION))
        return 1;
    result = AlignInstalledPanel();
    ReleaseInstallation();
    return result;
}
