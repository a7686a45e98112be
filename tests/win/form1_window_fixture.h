// The main window built in the test's own process, shown and pumped for each test, and what the tests read of it.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/dpi_scale.h"
#include "help/hh.h"
#include "main_window/form1.h"
#include "main_window/form1_ids.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_driver.h"
#include "tests/support/window_probe.h"

namespace talvorine {

constexpr COLORREF kPurple = 0x00800080;
constexpr COLORREF kBlack = 0x00000000;

using e2e::ClassNameOf;
using e2e::Narrow;
using wintest::FontOf;
using wintest::PlaceOf;
using wintest::Pump;
using wintest::Rect;
using wintest::TextExtent;
using wintest::TextOf;

inline LONG StyleOf(HWND window) { return ::GetWindowLongW(window, GWL_STYLE); }

inline int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The part of a control that the window's client area shows, in screen coordinates.
inline RECT ShownPart(HWND control, HWND main) {
    RECT shown{};
    ::GetWindowRect(control, &shown);
    for (HWND parent = ::GetParent(control); parent != nullptr; parent = ::GetParent(parent)) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        ::IntersectRect(&shown, &shown, &client);
        if (parent == main) {
            break;
        }
    }
    return shown;
}

// The control is shown and the screen draws it: a control with a frame, text or glyphs has
// several colours where a window drawn blank has one (and a caret).
inline void ExpectDrawnOnScreen(const wintest::ScreenPicture& picture, HWND main, HWND control) {
    EXPECT_TRUE(::IsWindowVisible(control));
    RECT shown = ShownPart(control, main);
    ::IntersectRect(&shown, &shown, &picture.area);
    ASSERT_FALSE(::IsRectEmpty(&shown)) << "out of the client area";
    std::set<COLORREF> colours;
    for (int y = shown.top; y < shown.bottom; ++y) {
        for (int x = shown.left; x < shown.right; ++x) {
            colours.insert(picture.At(x - picture.area.left, y - picture.area.top));
        }
    }
    EXPECT_GE(colours.size(), 3u) << "drawn blank";
}

class Form1Window : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* expected = _wgetenv(L"TALVORINE_EXPECT_DPI");
        m_dpi = ScreenDpi();
        if (expected != nullptr) {
            // A run at another resolution that got the usual one would prove nothing.
            ASSERT_EQ(m_dpi, _wtoi(expected));
        }
        m_form = std::make_unique<framework::Whole<TForm1>>();
        m_form->Show();
        Pump();
        m_main = m_form->Handle();
    }

    void TearDown() override {
        m_form.reset();
        Pump();
    }

    HWND Control(int id) const { return m_form->Control(id); }

    // A 96-dpi place of the layout as it must show on this display.
    Rect Scaled(const Rect& design) const {
        const framework::LayoutScale scale(m_textHeight());
        return {scale(design.left), scale(design.top), scale.Extent(design.left, design.width),
                scale.Extent(design.top, design.height)};
    }

    // The text height of the window's font as the display draws it: 13 at 96 dpi.
    int m_textHeight() const { return TextExtent(Control(kIdMemo1), L"0").cy; }

    Rect Client() const {
        RECT r{};
        ::GetClientRect(m_main, &r);
        return {0, 0, r.right, r.bottom};
    }

    int m_dpi = 96;
    std::unique_ptr<framework::Whole<TForm1>> m_form;
    HWND m_main = nullptr;
};

}  // namespace talvorine
