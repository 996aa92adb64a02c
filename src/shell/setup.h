// The wizard shell's process-wide state and the page chain shared by every page.
#ifndef VELMORA_SETUP_H
#define VELMORA_SETUP_H

#include <windows.h>

// The longest text a page composes in full is 31 characters; the display-size line of a
// very large screen is the longest that can occur, and this leaves ample room for it.
enum { MESSAGE_TEXT_SIZE = 64 };

extern HINSTANCE SetupInstance;
extern int SetupAborted;          // 1: a page's Cancel or a failure ends setup
extern int CalibrationAccepted;   // 1: OK on the calibration screen
extern int ScreenWidth;
extern int ScreenHeight;
extern char MessageText[MESSAGE_TEXT_SIZE];

// Opens a page modally, owned by the page that opens it (NULL for the first and the last);
// -1 when the page could not be made.
INT_PTR OpenPage(int templateId, HWND owner, DLGPROC procedure);

// Deletes the bitmaps the page's picture controls loaded from its template; for WM_DESTROY.
void ReleasePagePictures(HWND page);

// True when a flag says the whole stack of pages must close.
BOOL ChainUnwinding(void);

// FALSE while a page or message box that this page opened is up over it.
BOOL PageTakesCommands(HWND page);

// Next, Back and Cancel of a page in the middle of the chain: Next opens the following
// page and closes this one too once that page has set a flag, Back closes this page, and
// Cancel closes it and ends setup. FALSE for any other command.
BOOL FollowPageChain(HWND page, WPARAM command, int nextTemplate, DLGPROC nextPage);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState);

INT_PTR CALLBACK WelcomePage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PortPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RightButtonPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SummaryPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CalibrationScreen(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

#define SETUP_CAPTION "Velmora Setup Utility"
#define INSTALLATION_BUSY_TEXT \
    "Velmora Setup or one of its programs is already changing the installation. Please close it and try again."

#define INSTALLATION_UNGUARDED_TEXT \
    "Velmora Setup cannot make sure that none of its programs is changing the installation. " \
    "Please restart Windows and try again."

// A second setup beside a running one would save its stale settings over the first one's
// installation, or remove what the first one just installed. TRUE when this program may go
// on, and then an earlier installation that a stopped setup left aside is back in place;
// otherwise the user has been told, in a box with this caption, and nothing is touched.
BOOL ClaimInstallation(const char *caption);
void ReleaseInstallation(void);

// Told when the summary page cannot keep an earlier installation's driver aside, and so
// does not replace it.
#define ASIDE_NOT_KEPT_TEXT \
    "Setup cannot keep the installed driver aside while it replaces it, and has changed nothing. " \
    "Please run Velmora Setup again."

// Told when the finish page cannot be shown after an accepted calibration.
#define NOT_FINISHED_TEXT "The installation could not be finished. Please run Velmora Setup again."

// The restart that ends a completed setup. Under test a recorder takes its place, since
// Wine's ExitWindowsEx ends every windowed process of the prefix.
BOOL RequestRestart(void);

#endif
