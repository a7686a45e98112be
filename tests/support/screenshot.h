// Screenshots the window tests leave for a person to look at, and what the screen shows of
// a window, for the tests that check it.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/window_probe.h"

namespace wintest {

// Pixels read from the screen, row by row from the top, as 0x00BBGGRR.
struct ScreenPicture {
    RECT area{};  // in screen coordinates
    std::vector<COLORREF> pixels;

    int Width() const { return area.right - area.left; }
    int Height() const { return area.bottom - area.top; }
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * Width() + x]; }
};

// Lets what the windows have painted reach the screen. Under Wine a window paints into
// memory of its own, which reaches the display when the painting thread waits for messages:
// so this waits with the thread's messages flowing, not asleep. The wait also gives a window
// of another process the time to paint.
inline void LetPaintReachScreen(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    const ULONGLONG end = ::GetTickCount64() + 300;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        Pump();
    }
}

// What the screen shows where the window lies, frame included.
inline ScreenPicture CaptureScreen(HWND window) {
    ScreenPicture picture;
    ::GetWindowRect(window, &picture.area);
    const int width = picture.Width();
    const int height = picture.Height();
    picture.pixels.resize(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    // Top-down rows of 32 bits: no padding, and the pixels read in order.
    BITMAPINFOHEADER header{sizeof(header), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, picture.area.left, picture.area.top, SRCCOPY);
    ::GdiFlush();
    const auto* bgrx = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        const DWORD p = bgrx[i];  // 0x00RRGGBB in memory order B, G, R, X
        picture.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return picture;
}

// Saves the picture as a BMP in the folder TALVORINE_SCREENSHOTS names; does nothing where
// it names none.
inline void SavePicture(const ScreenPicture& picture, const std::wstring& name) {
    const wchar_t* folder = _wgetenv(L"TALVORINE_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    const int width = picture.Width();
    const int height = picture.Height();
    const int stride = (width * 3 + 3) / 4 * 4;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        BYTE* row = &rows[static_cast<size_t>(height - 1 - y) * stride];  // bottom-up, as BMP files are
        for (int x = 0; x < width; ++x) {
            const COLORREF c = picture.At(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    const BITMAPINFOHEADER header{sizeof(header), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD size = static_cast<DWORD>(rows.size());
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(header) + size), 0, 0,
                                sizeof(file) + sizeof(header)};
    HANDLE out = ::CreateFileW((std::wstring(folder) + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof(file), &written, nullptr);
    ::WriteFile(out, &header, sizeof(header), &written, nullptr);
    ::WriteFile(out, rows.data(), size, &written, nullptr);
    ::CloseHandle(out);
}

// Saves what the screen shows of the window, once its painting has reached the screen.
inline ScreenPicture SaveScreenshot(HWND window, const std::wstring& name) {
    LetPaintReachScreen(window);
    ScreenPicture picture = CaptureScreen(window);
    SavePicture(picture, name);
    return picture;
}

}  // namespace wintest
