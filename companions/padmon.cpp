// PADMON.EXE, the panel monitor (PadmonWindow): the stored panel settings, the driver's start-up state, a test touch and the check of the alignment.
#include "companions.h"
#include "companion_resource.h"
#include "driver_entry.h"
#include "earlier.h"
#include "journal.h"
#include "driver.h"
#include "paths.h"
#include "program.h"
#include "resource.h"
#include "summary_text.h"
#include "uninstall_entry.h"

void ComposePadmonPort(char *text, DWORD comPort, DWORD comBase, DWORD comIrq)
{
    // The base address in hexadecimal, as a serial card's jumpers and manual give it.
    wsprintfA(text, "COM Port Setting : COM %lu (%lXh), IRQ %lu", comPort, comBase, comIrq);
}

void ComposePadmonMode(char *text, DWORD mode)
{
    if (mode >= 1 && mode <= 3)
        wsprintfA(text, "Touch Mode Setting : MODE %lu", mode);
    else
        wsprintfA(text, "Touch Mode Setting : %lu (unknown)", mode);
}

void ComposePadmonCorner(char *text, const char *corner, LONG x, LONG y)
{
    wsprintfA(text, "%s : %ld, %ld", corner, x, y);
}

void ComposePadmonPoint(char *text, LONG rawX, LONG rawY)
{
    wsprintfA(text, "Raw X : %ld   Raw Y : %ld", rawX, rawY);
}

static void ShowLine(HWND page, int id)
{
    SetDlgItemTextA(page, id, MessageText);
}

static void ShowCorner(HWND page, int id, const char *name, LONG x, LONG y)
{
    ComposePadmonCorner(MessageText, name, x, y);
    ShowLine(page, id);
}

// The top row first, as the window lines them up; the record keeps the bottom right corner
// before the bottom left.
static void ShowCorners(HWND page)
{
    const PanelCorners *corners = &PanelSettings.Corners;

    ShowCorner(page, IDC_PADMON_LEFT_UP, "Top left", corners->LeftUpX, corners->LeftUpY);
    ShowCorner(page, IDC_PADMON_RIGHT_UP, "Top right", corners->RightUpX, corners->RightUpY);
    ShowCorner(page, IDC_PADMON_LEFT_DN, "Bottom left", corners->LeftDnX, corners->LeftDnY);
    ShowCorner(page, IDC_PADMON_RIGHT_DN, "Bottom right", corners->RightDnX, corners->RightDnY);
}

static void ShowState(HWND page, int id, const char *what, BOOL present)
{
    char line[64];

    wsprintfA(line, "%s : %s", what, present ? "YES" : "NO");
    SetDlgItemTextA(page, id, line);
}

// A path that fits, of a file or folder that is there.
static BOOL PathThere(BOOL fits, const char *path)
{
    return fits && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static void ShowDriverState(HWND page)
{
    char path[PATH_BUFFER_SIZE];

    ShowState(page, IDC_PADMON_STARTUP, "Loaded at every start of Windows", StaticDriverRegistered());
    ShowState(page, IDC_PADMON_DRIVER_FILE, DRIVER_FILE_NAME " in the system folder",
              PathThere(SystemFilePath(path, DRIVER_FILE_NAME), path));
    ShowState(page, IDC_PADMON_PROGRAMS, "Programs in the Start menu", StartMenuFolderPath(path) && DirectoryExists(path));
    // The next setup or the remover puts back what a stopped setup changed (its journal, or
    // an older setup's aside copy); the monitor changes nothing, so the settings above may be
    // the stopped run's.
    ShowState(page, IDC_PADMON_ASIDE, "Kept aside by an unfinished setup",
              PathThere(WindowsFilePath(path, JOURNAL_FILE_NAME), path) || EarlierInstallationAside());
    ShowState(page, IDC_PADMON_UNINSTALL, "In Add/Remove Programs", UninstallEntryPresent());
}

static void ShowStoredSettings(HWND page)
{
    ComposePadmonPort(MessageText, PanelSettings.ComPort, PanelSettings.ComBase, PanelSettings.ComIrq);
    ShowLine(page, IDC_PADMON_PORT);
    ComposeButtonLine(MessageText, PanelSettings.RightButton);
    ShowLine(page, IDC_PADMON_BUTTON);
    ComposePadmonMode(MessageText, PanelSettings.Mode);
    ShowLine(page, IDC_PADMON_MODE);
    ShowCorners(page);
    SetDlgItemTextA(page, IDC_PADMON_ALIGNED, CornersAreDefaults(&PanelSettings) ? NOT_ALIGNED_TEXT : "");
    ShowDriverState(page);
}

// Without a driver there is no touch to test or check.
static void OpenDriverForTest(HWND page)
{
    if (!OpenTouchDriver())
        SetDlgItemTextA(page, IDC_PADMON_POINT, DRIVER_FAILED_TEXT);
    EnableWindow(GetDlgItem(page, IDC_PADMON_CHECK), DriverHandle != INVALID_HANDLE_VALUE);
}

// The test area is a plain static, which takes no mouse input: its touches reach the page.
static BOOL InTestArea(HWND page, LPARAM position)
{
    RECT area;
    POINT point;

    GetWindowRect(GetDlgItem(page, IDC_PADMON_TEST_AREA), &area);
    MapWindowPoints(NULL, page, (POINT *)&area, 2);
    point.x = (short)LOWORD(position);
    point.y = (short)HIWORD(position);
    return PtInRect(&area, point);
}

static void ShowTouchedPoint(HWND page)
{
    PanelReply reply;
    LONG rawX, rawY;

    if (DriverHandle == INVALID_HANDLE_VALUE)
        return;
    PanelControl(IOCTL_PANEL_READ_POINT, 0, 0, &reply);
    if (ReadReplyValue(&reply, 0, &rawX) && ReadReplyValue(&reply, 1, &rawY)) {
        ComposePadmonPoint(MessageText, rawX, rawY);
        ShowLine(page, IDC_PADMON_POINT);
    } else {
        SetDlgItemTextA(page, IDC_PADMON_POINT, NO_POINT_TEXT);
    }
}

INT_PTR CALLBACK PadmonWindow(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // A dialog has no icon of its own: the title bar shows the program's, as its
        // Start-menu entry does.
        SendMessageA(page, WM_SETICON, ICON_BIG, (LPARAM)LoadIconA(SetupInstance, MAKEINTRESOURCEA(IDI_TOUCH)));
        ShowStoredSettings(page);
        OpenDriverForTest(page);
        break;
    case WM_LBUTTONUP:
        if (InTestArea(page, lParam))
            ShowTouchedPoint(page);
        break;
    case WM_COMMAND:
        // Close, Escape and the close box: the monitor changes nothing, so any way out is fine.
        // Closed from outside while the check is up, the check ends first, while the driver
        // is still there to be put back to mapping.
        if (wParam == IDCANCEL) {
            EndAlignmentCheck();
            CloseTouchDriver();
            EndDialog(page, 0);
        } else if (wParam == IDC_PADMON_CHECK) {
            OpenPage(IDD_CHECK, page, CheckScreen);
        }
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}

int RunPadmon(void)
{
    if (!LoadInstalledSettings(PADMON_CAPTION))
        return 1;
    OpenPage(IDD_PADMON, NULL, PadmonWindow);
    return 0;
}
