// Start-up: the window class, the hidden main window, the screen size, and the two
// top-level pages; every other page is opened by the page before it.
#include "setup.h"
#include "texts.h"
#include "installation.h"
#include "driver.h"
#include "medium.h"
#include "silent_setup.h"
#include "status_file.h"
#include "resource.h"

static const char SetupClassName[] = "Velmora Setup 2.00";

static LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

static BOOL RegisterSetupClass(void)
{
    WNDCLASSEXA windowClass;

    windowClass.cbSize = sizeof windowClass;
    windowClass.style = 0;
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = SetupInstance;
    windowClass.hIcon = LoadIconA(SetupInstance, MAKEINTRESOURCEA(IDI_SETUP));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = SetupClassName;
    windowClass.hIconSm = LoadIconA(SetupInstance, MAKEINTRESOURCEA(IDI_SETUP));
    return RegisterClassExA(&windowClass) != 0;
}

static int RunWizard(HINSTANCE instance)
{
    if (!ClaimInstallation(SETUP_CAPTION))
        return 0;
    if (!RegisterSetupClass()) {
        ReleaseInstallation();
        return 0;
    }

    // Never shown and never referred to: it gives the process a top-level window of its
    // own class while the pages, which have no owner at the top, come and go.
    CreateWindowExA(0, SetupClassName, "Velmora Setup", WS_OVERLAPPEDWINDOW,
                    -1000, -1000, -1000, -1000, NULL, NULL, instance, NULL);

    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);

    OpenNextPage(NULL, 0);
    // Every way of ending a run without the finish page passes here: Cancel on any page,
    // the driver that did not load, Back to the welcome page and Cancel there, and a finish
    // page that could not be made after an accepted calibration. Then the installation never
    // runs: the driver opened for the calibration is let go first, and the user learns that
    // nothing was installed.
    if (CalibrationAccepted != 1) {
        EndUnfinishedInstallation();
    } else if (OpenPage(IDD_FINISH, NULL, FinishPage) == -1) {
        CloseTouchDriver();
        EndUnfinishedInstallation();
        MessageBoxA(NULL, NOT_FINISHED_TEXT, SETUP_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    }
    ReleaseInstallation();
    return 0;
}

// Without a switch the wizard runs exactly as it always has, and ends with 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    SetupInstance = instance;
    if (!TakeCommandLine(commandLine, SetupSwitchRules, SETUP_SWITCH_COUNT, SETUP_SILENT, SETUP_LOG,
                         SETUP_LOG_FILE, SETUP_CAPTION, SETUP_LOG_NAME, &SetupSwitches))
        return EXIT_COMMAND_LINE;
    ChooseMedium();
    ReportRunInStatusFile(SetupSwitches.Value[SETUP_MIF]);
    if (SetupSwitches.Given[SETUP_SILENT])
        return RunSilentSetup();
    return EndRun(RunWizard(instance), "the wizard ended");
}
