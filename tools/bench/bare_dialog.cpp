// BARE.EXE: the least a CRT-free dialog program can do, built with the shipped programs'
// flags and start-up stub, so that their start-up and memory can be set against it.
#include <windows.h>

static INT_PTR CALLBACK EmptyDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)
        EndDialog(dialog, 0);
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(1), NULL, EmptyDialog, 0);
    return 0;
}
