// Real mouse and keyboard input through SendInput.
#include "real_input.h"

#include <gtest/gtest.h>

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

void RealClickAt(POINT at, int clicks)
{
    INPUT inputs[1 + 2 * 4];
    int count = 0;
    inputs[count++] = MouseInput(0, at);
    for (int i = 0; i < clicks && i < 4; i++) {
        inputs[count++] = MouseInput(MOUSEEVENTF_LEFTDOWN, at);
        inputs[count++] = MouseInput(MOUSEEVENTF_LEFTUP, at);
    }
    EXPECT_EQ((UINT)count, SendInput(count, inputs, sizeof inputs[0]));
}

void RealKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    EXPECT_EQ(2u, SendInput(2, inputs, sizeof inputs[0]));
}

POINT ControlCentre(HWND window, int id)
{
    RECT r = ControlRect(window, id);
    POINT centre = { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    return centre;
}

Scenario &RealClick(Scenario &s, int id, int clicks, POINT *at)
{
    return s.Then("real click on " + std::to_string(id), [id, clicks, at](HWND active) {
        if (!ControlVisible(active, id))
            return false;
        POINT centre = ControlCentre(active, id);
        if (at)
            *at = centre;
        RealClickAt(centre, clicks);
        return true;
    });
}

Scenario &RealClickPoint(Scenario &s, const POINT *at, int clicks)
{
    return s.Then("real click at a point", [at, clicks](HWND) {
        RealClickAt(*at, clicks);
        return true;
    });
}
