// Screenshots the window tests leave for a person to look at.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

namespace wintest {

// Saves what the screen shows of the window, as a BMP in the folder TALVORINE_SCREENSHOTS
// names; does nothing where it names none.
inline void SaveScreenshot(HWND window, const std::wstring& name) {
    const wchar_t* folder = _wgetenv(L"TALVORINE_SCREENSHOTS");
    if (folder == nullptr) {
        return;
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    ::Sleep(300);  // a window of another process paints in its own time
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFOHEADER header{sizeof(header), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    const DWORD size = static_cast<DWORD>(((width * 3 + 3) / 4) * 4 * height);
    const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(file) + sizeof(header) + size), 0, 0,
                                sizeof(file) + sizeof(header)};
    HANDLE out = ::CreateFileW((std::wstring(folder) + L"\\" + name + L".bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof(file), &written, nullptr);
    ::WriteFile(out, &header, sizeof(header), &written, nullptr);
    ::WriteFile(out, bits, size, &written, nullptr);
    ::CloseHandle(out);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace wintest
