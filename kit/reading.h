// What a window of setup shows: a control's text, state and place, and a message box. Text
// is read with WM_GETTEXT sent with a time limit, which reads the controls of another
// process too (its own thread answers) and never hangs the reader on a hung program.
#ifndef VELMORA_READING_H
#define VELMORA_READING_H

#include <windows.h>
#include <string>

// The text of a window (its caption), or of control id of a window; "" when there is none.
std::string WindowText(HWND window);
std::string ControlText(HWND window, int id);

// FALSE for a control the window does not have.
BOOL ControlVisible(HWND window, int id);
BOOL ControlEnabled(HWND window, int id);
// BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE (setup's pages never read it back).
int ControlChecked(HWND window, int id);
// In screen pixels; all zero for a control the window does not have.
RECT ControlRect(HWND window, int id);
POINT ControlCentre(HWND window, int id);

// The id of the static that holds a message box's text.
enum { MESSAGE_BOX_TEXT = 0xFFFF };

// What a message box shows.
struct MessageBoxSeen {
    std::string text;
    std::string caption;
    HICON icon;           // the icon the box shows, NULL for none
    BOOL hasOnlyOk;       // an OK button and no Cancel, Yes or No
};
// FALSE for a window that is no message box: none of setup's pages, and no text static.
BOOL ReadMessageBox(HWND box, MessageBoxSeen *seen);

#endif
