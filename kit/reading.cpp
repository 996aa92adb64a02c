// What a window of setup shows, read so that it works across processes.
#include "reading.h"
#include "setup_pages.h"

static LRESULT SendLimited(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return (LRESULT)result;
}

std::string WindowText(HWND window)
{
    char text[512];
    text[0] = 0;
    if (window)
        SendLimited(window, WM_GETTEXT, sizeof text, (LPARAM)text);
    return text;
}

std::string ControlText(HWND window, int id)
{
    return WindowText(GetDlgItem(window, id));
}

BOOL ControlVisible(HWND window, int id)
{
    return IsWindowVisible(GetDlgItem(window, id)) ? TRUE : FALSE;
}

BOOL ControlEnabled(HWND window, int id)
{
    return IsWindowEnabled(GetDlgItem(window, id)) ? TRUE : FALSE;
}

int ControlChecked(HWND window, int id)
{
    HWND control = GetDlgItem(window, id);
    return control ? (int)SendLimited(control, BM_GETCHECK, 0, 0) : 0;
}

RECT ControlRect(HWND window, int id)
{
    RECT rect = { 0, 0, 0, 0 };
    GetWindowRect(GetDlgItem(window, id), &rect);
    return rect;
}

POINT ControlCentre(HWND window, int id)
{
    RECT r = ControlRect(window, id);
    POINT centre = { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    return centre;
}

BOOL ReadMessageBox(HWND box, MessageBoxSeen *seen)
{
    if (!box || !GetDlgItem(box, MESSAGE_BOX_TEXT) || PageTemplateOf(box) != 0)
        return FALSE;
    seen->text = ControlText(box, MESSAGE_BOX_TEXT);
    seen->caption = WindowText(box);
    // Windows gives the icon control id 20, Wine 1088.
    HWND icon = GetDlgItem(box, 20);
    if (!icon)
        icon = GetDlgItem(box, 1088);
    seen->icon = icon && IsWindowVisible(icon) ? (HICON)SendLimited(icon, STM_GETICON, 0, 0) : NULL;
    seen->hasOnlyOk = GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) &&
                      !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO);
    return TRUE;
}
