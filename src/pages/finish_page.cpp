// FinishPage: makes the installation permanent and restarts Windows.
#include "setup.h"
#include "texts.h"
#include "driver_entry.h"
#include "earlier.h"
#include "paths.h"
#include "next_start.h"
#include "driver.h"
#include "resource.h"

static UINT_PTR InstallTimer;

// The name is an argument, never the format: a "%" in it is shown as it is.
static void ShowProgress(HWND page, const char *program)
{
    wsprintfA(MessageText, "Now Write %s", program);
    SetDlgItemTextA(page, IDC_PROGRESS, MessageText);
}

// The last line names the first thing that failed; the rest was still done.
static void ShowOutcome(HWND page, const char *failed)
{
    if (failed)
        wsprintfA(MessageText, "Cannot Write %s", failed);
    else
        wsprintfA(MessageText, INSTALLED_TEXT);
    SetDlgItemTextA(page, IDC_PROGRESS, MessageText);
}

// From the current directory, the medium. FALSE when the program is not there or its
// destination does not fit the path buffer; a destination cut short would put the file
// somewhere else entirely.
static BOOL CopyCompanionProgram(const char *program, const char *folder)
{
    char destination[PATH_BUFFER_SIZE];

    if (!folder[0] || !JoinPath(destination, folder, program))
        return FALSE;
    return CopyWritableFile(program, destination);
}

// The user is never told the touch screen is installed when Windows will not load the
// driver, the calibration was not stored or the Start menu lacks a program. Reboot is
// offered either way: what was written stays, and setup can be run again.
static void Install(HWND page)
{
    char folder[PATH_BUFFER_SIZE];
    const char *failed = NULL;

    if (!RegisterStaticDriver())
        failed = "Registry";
    if (!SavePanelSettings())
        failed = "Registry";
    // The driver and its settings are this run's now; an earlier installation's aside copy
    // must never come back over them.
    DropEarlierInstallation();
    ShowWindow(GetDlgItem(page, IDC_PROGRESS), SW_SHOW);
    // An existing folder is simply reused; a folder that cannot be made shows as failed copies.
    if (StartMenuFolderPath(folder))
        CreateDirectoryA(folder, NULL);
    for (int i = 0; i < COMPANION_PROGRAM_COUNT; i++) {
        ShowProgress(page, CompanionProgramFiles[i]);
        if (!CopyCompanionProgram(CompanionProgramFiles[i], folder) && !failed)
            failed = CompanionProgramFiles[i];
    }
    // A removal whose restart was declined left these files to be deleted at the next start
    // of Windows, which would take the new installation's driver and programs with them.
    const char *pending = KeepInstalledFilesAtNextStart(folder);
    if (pending && !failed)
        failed = pending;
    ShowOutcome(page, failed);
    EnableWindow(GetDlgItem(page, IDC_REBOOT), TRUE);
    SetFocus(GetDlgItem(page, IDC_REBOOT));
}

static void OpenFinishPage(HWND page)
{
    ShowWindow(GetDlgItem(page, IDC_PROGRESS), SW_HIDE);
    CloseTouchDriver();
    InstallTimer = SetTimer(page, 1, 200, NULL);
    EnableWindow(GetDlgItem(page, IDC_REBOOT), FALSE);
    // Without a tick the installation would never run and Reboot never be offered.
    if (InstallTimer == 0)
        Install(page);
}

static void InstallOnFirstTick(HWND page)
{
    // Only the page's own running timer installs: once it is killed, or when the open had to
    // install at once for want of it, no WM_TIMER that still arrives installs a second time.
    if (InstallTimer == 0)
        return;
    Install(page);
    KillTimer(page, InstallTimer);
    InstallTimer = 0;
}

static void Reboot(HWND page)
{
    EndDialog(page, 0);
    if (!RequestRestart())
        MessageBoxA(page, RESTART_FAILED_TEXT, SETUP_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        OpenFinishPage(page);
        break;

    case WM_TIMER:
        InstallOnFirstTick(page);
        break;

    case WM_COMMAND:
        if (wParam == IDC_REBOOT)
            Reboot(page);
        break;

    case WM_DESTROY:
        ReleasePagePictures(page);
        break;
    }
    return 0;
}
