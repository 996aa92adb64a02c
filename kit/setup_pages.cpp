// Which of setup's pages (or PADMON's windows) a window is, the chain's order and the targets' centres.
#include "setup_pages.h"
#include "resource.h"
#include "companion_resource.h"

struct PageMark {
    int templateId;
    int mark;              // a control only this template has; 0 for the welcome page
    const char *name;
};

// From the most specific down: the first page whose mark the window has is the one.
static const PageMark Pages[] = {
    { IDD_CHECK, IDC_CHECK_VERDICT, "alignment check" },
    { IDD_PADMON, IDC_PADMON_CHECK, "panel monitor" },
    { IDD_CALIBRATION, IDC_TARGET_LEFT_UP, "calibration screen" },
    { IDD_FINISH, IDC_PROGRESS, "finish page" },
    { IDD_SUMMARY, IDC_PORT_LINE, "summary page" },
    { IDD_RIGHT_BUTTON, IDC_RIGHT_BUTTON, "right-button page" },
    { IDD_PORT, IDC_COM1, "port page" },
    { IDD_MODE, IDC_MODE1, "touch-mode template" },
    { IDD_WELCOME, 0, "welcome page" },
};

int PageTemplateOf(HWND window)
{
    if (!window)
        return 0;
    for (const PageMark &page : Pages)
        if (page.mark && GetDlgItem(window, page.mark))
            return page.templateId;
    // The welcome page is the only one with Next and no Back.
    if (GetDlgItem(window, IDC_NEXT) && !GetDlgItem(window, IDC_BACK))
        return IDD_WELCOME;
    return 0;
}

const char *PageName(int templateId)
{
    for (const PageMark &page : Pages)
        if (page.templateId == templateId)
            return page.name;
    return NULL;
}

void CalibrationTargetCentres(int width, int height, POINT centre[4])
{
    // A place is the top left of the target's 32-pixel bitmap.
    ControlPlace places[CALIBRATION_CONTROL_COUNT];
    LayOutCalibrationScreen(width, height, places);
    for (int t = 0; t < 4; t++)
        for (const ControlPlace &place : places)
            if (place.id == CalibrationTargetIds[t]) {
                centre[t].x = place.x + 16;
                centre[t].y = place.y + 16;
            }
}
