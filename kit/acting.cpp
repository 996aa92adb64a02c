// Clicks, touches and real input on setup's windows.
#include "acting.h"
#include "reading.h"

BOOL ClickControl(HWND window, int id)
{
    HWND button = GetDlgItem(window, id);
    PostMessageA(button ? button : window, BM_CLICK, 0, 0);
    return button != NULL;
}

void TouchAt(HWND window, POINT at)
{
    SetCursorPos(at.x, at.y);
    ScreenToClient(window, &at);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

POINT TouchControlCentre(HWND window, int id)
{
    POINT centre = ControlCentre(window, id);
    TouchAt(window, centre);
    return centre;
}

BOOL HoldCursorAt(POINT at)
{
    DWORD deadline = GetTickCount() + 3000, stillSince = 0;
    SetCursorPos(at.x, at.y);
    while ((LONG)(deadline - GetTickCount()) > 0) {
        POINT now;
        GetCursorPos(&now);
        if (now.x != at.x || now.y != at.y) {
            SetCursorPos(at.x, at.y);
            stillSince = 0;
        } else if (!stillSince) {
            stillSince = GetTickCount();
        } else if (GetTickCount() - stillSince >= 300) {
            return TRUE;
        }
        Sleep(50);
    }
    return FALSE;
}

static INPUT MouseInput(DWORD flags, POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    // Absolute positions are in 65536ths of the primary screen.
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (at.x * 65536 + width / 2) / width;
    input.mi.dy = (at.y * 65536 + height / 2) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return input;
}

BOOL RealClickAt(POINT at, int clicks)
{
    INPUT inputs[1 + 2 * 4];
    UINT count = 0;
    inputs[count++] = MouseInput(0, at);
    for (int i = 0; i < clicks && i < 4; i++) {
        inputs[count++] = MouseInput(MOUSEEVENTF_LEFTDOWN, at);
        inputs[count++] = MouseInput(MOUSEEVENTF_LEFTUP, at);
    }
    return SendInput(count, inputs, sizeof inputs[0]) == count;
}

BOOL RealKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, inputs, sizeof inputs[0]) == 2;
}
