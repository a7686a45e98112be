// What the screen shows of a window: its pixels, and the colour its text is drawn in.
#include <algorithm>
#include <map>

#include "tests/support/window_driver.h"

namespace talvorine::e2e {

std::optional<ScreenPixels> CaptureWindow(HWND window) {
    // The client area only: borders and 3-D edges are not the control's colours.
    RECT rect{};
    if (!GetClientRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
        return std::nullopt;
    }
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    ScreenPixels result;
    result.width = rect.right - rect.left;
    result.height = rect.bottom - rect.top;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = result.width;
    info.bmiHeader.biHeight = -result.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, result.width, result.height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const auto* quads = static_cast<const RGBQUAD*>(bits);
            result.pixels.reserve(static_cast<size_t>(result.width) * result.height);
            for (int i = 0; i < result.width * result.height; ++i) {
                result.pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
            }
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok ? std::optional(std::move(result)) : std::nullopt;
}

std::optional<COLORREF> ForegroundColour(HWND window) {
    const auto capture = CaptureWindow(window);
    if (!capture) {
        return std::nullopt;
    }
    std::map<COLORREF, int> counts;
    for (COLORREF c : capture->pixels) {
        ++counts[c];
    }
    if (counts.size() < 2) {
        return std::nullopt;
    }
    std::vector<std::pair<int, COLORREF>> byCount;
    for (const auto& [colour, count] : counts) {
        byCount.emplace_back(count, colour);
    }
    std::ranges::sort(byCount, std::greater<>());
    // Smoothed glyph edges blend into the background; the solid stems keep the exact text colour and outnumber
    // any single blended shade.
    return byCount[1].second;
}

bool WaitForForegroundColour(HWND window, COLORREF expected, DWORD timeoutMs) {
    return WaitUntil([&] { return ForegroundColour(window) == expected; }, timeoutMs, 50);
}

std::wstring ColourName(std::optional<COLORREF> colour) {
    if (!colour) {
        return L"(none)";
    }
    wchar_t text[16] = {};
    swprintf(text, std::size(text), L"0x%08lX", static_cast<unsigned long>(*colour));
    return text;
}

}  // namespace talvorine::e2e
