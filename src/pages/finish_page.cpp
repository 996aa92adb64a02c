// FinishPage: makes the installation permanent and restarts Windows.
#include "setup.h"
#include "texts.h"
#include "driver.h"
#include "installation.h"
#include "command_line.h"
#include "resource.h"

static UINT_PTR InstallTimer;
// The page the installation reports its progress on, while it runs.
static HWND ProgressPage;

// The name is an argument, never the format: a "%" in it is shown as it is.
static void ShowProgress(const char *program)
{
    wsprintfA(MessageText, PROGRESS_FORMAT, program);
    SetDlgItemTextA(ProgressPage, IDC_PROGRESS, MessageText);
}

// The user is never told the touch screen is installed when Windows will not load the
// driver, the calibration was not stored, the Start menu lacks a program or Add/Remove
// Programs lacks the entry: the last line names the first thing that failed, the rest was
// still done. Reboot is offered either way: what was written stays, and setup can be run
// again. A recorded run's answer file that cannot be written has a line of its own.
static void Install(HWND page)
{
    const char *answers = SetupSwitches.Given[SETUP_SAVEINF] ? SetupSwitches.Value[SETUP_SAVEINF] : NULL;

    ShowWindow(GetDlgItem(page, IDC_PROGRESS), SW_SHOW);
    ProgressPage = page;
    if (CommitInstallation(ShowProgress, answers) == EXIT_DONE)
        wsprintfA(MessageText, INSTALLED_TEXT);
    else
        wsprintfA(MessageText, NOT_WRITTEN_FORMAT, Installation.FirstFailed);
    SetDlgItemTextA(page, IDC_PROGRESS, MessageText);
    if (answers && Installation.AnswersNotWritten) {
        SetDlgItemTextA(page, IDC_ANSWER_LINE, ANSWERS_NOT_WRITTEN_TEXT);
        ShowWindow(GetDlgItem(page, IDC_ANSWER_LINE), SW_SHOW);
    }
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
