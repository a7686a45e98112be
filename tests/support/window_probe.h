// What a window shows, read back through the window manager: its place, text, font and text size;
// and the pump that lets a window in this thread handle what it was sent.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>

namespace wintest {

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

inline void PrintTo(const Rect& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}

// Where a window lies in its parent's client area.
inline Rect PlaceOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

inline LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

// The size a label takes for a single line of text in its own font, measured as the layout
// measures it.
inline SIZE TextExtent(HWND control, const std::wstring& text) {
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return {extent.right, extent.bottom};
}

// Handles every message already queued for this thread's windows.
inline void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace wintest
