// What every program of the installation shares: its instance and message line, the
// screen's size, the dialogs it opens, the one-at-a-time lock and the restart.
#ifndef VELMORA_PROGRAM_H
#define VELMORA_PROGRAM_H

#include <windows.h>

// The longest text a page composes in full is 31 characters; the display-size line of a
// very large screen is the longest that can occur, and this leaves ample room for it.
enum { MESSAGE_TEXT_SIZE = 64 };

extern HINSTANCE SetupInstance;
extern char MessageText[MESSAGE_TEXT_SIZE];
// The screen in pixels, as the program last measured it for a window over the whole of it.
extern int ScreenWidth;
extern int ScreenHeight;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState);

// Opens a page modally, owned by the page that opens it (NULL for the first and the last);
// -1 when the page could not be made.
INT_PTR OpenPage(int templateId, HWND owner, DLGPROC procedure);

// Deletes the bitmaps the page's picture controls loaded from its template; for WM_DESTROY.
void ReleasePagePictures(HWND page);

// A second setup beside a running one would save its stale settings over the first one's
// installation, or remove what the first one just installed. TRUE when this program may go
// on, and then whatever a stopped setup left to put back is back in place; otherwise the
// user has been told, in a box with this caption (none for a quiet run, with NULL), and
// nothing is touched.
BOOL ClaimInstallation(const char *caption);
// The same for a program that changes the settings alone (the aligner, the tuner): it does
// not roll back a stopped setup's journal, but refuses to run while there is one.
BOOL ClaimSettings(const char *caption);
void ReleaseInstallation(void);

// The restart that ends a completed setup. Under test a recorder takes its place, since
// Wine's ExitWindowsEx ends every windowed process of the prefix.
BOOL RequestRestart(void);

#endif
