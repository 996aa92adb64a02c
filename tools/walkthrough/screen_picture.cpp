// The whole screen saved as a picture; see screen_picture.h.
#include "screen_picture.h"
#include "walk_judge.h"

#include <stdio.h>

static BOOL WriteBitmapFile(const char *path, const void *bits, int width, int height)
{
    DWORD stride = (width * 3 + 3) & ~3u, size = stride * height;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    FILE *out = fopen(path, "wb");
    if (!out)
        return FALSE;
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + size;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = size;
    BOOL written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                   fwrite(bits, size, 1, out) == 1;
    return fclose(out) == 0 && written;
}

BOOL SaveScreenPicture(const char *path, const RECT *area, BOOL *oneColour)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info = {};
    void *bits = NULL;
    BOOL saved = FALSE;

    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        saved = WriteBitmapFile(path, bits, width, height);
        if (area)
            *oneColour = AreaIsOneColour((const BYTE *)bits, width, height, *area);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return saved;
}
