// The main window as the screen shows it: its controls, after scrolling and enlarging, and hover frames.
#include "tests/win/form1_window_fixture.h"

namespace talvorine {
namespace {

// What a person sees: the bars, the tool bar and the script group box drawn on screen, the
// hint in purple.
TEST_F(Form1Window, TheScreenShowsTheControls) {
    Pump();
    const wintest::ScreenPicture picture = wintest::SaveScreenshot(m_main, L"main-window-" + std::to_wstring(m_dpi));
    for (int id : {kIdControlBar1, kIdToolBar1, kIdGroupBox1, kIdMemo1, kIdStatusBar1}) {
        SCOPED_TRACE(id);
        ExpectDrawnOnScreen(picture, m_main, Control(id));
    }
    RECT hint = ShownPart(Control(kIdLabel1), m_main);
    int purple = 0;
    for (int y = hint.top; y < hint.bottom; ++y) {
        for (int x = hint.left; x < hint.right; ++x) {
            purple += picture.At(x - picture.area.left, y - picture.area.top) == kPurple;
        }
    }
    EXPECT_GT(purple, 0);
}

// Where two pictures of the same window differ: their count, and the first as "x,y".
std::pair<int, std::string> Differences(const wintest::ScreenPicture& a, const wintest::ScreenPicture& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) {
        return {-1, "sizes differ"};
    }
    int differing = 0;
    std::string first;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.At(x, y) != b.At(x, y) && differing++ == 0) {
                first = std::to_string(x) + "," + std::to_string(y);
            }
        }
    }
    return {differing, first};
}

// Enlarged, with or without scrolling to the far corner of a smaller window first: the screen
// shows what the window shows once painted whole, and what a window opened at that size shows,
// with nothing left of where the controls or the bars' edges were before.
TEST_F(Form1Window, AfterEnlargingTheScreenShowsWhatAFreshWindowShows) {
    // Large enough for the scaled controls at every resolution tested: no scroll bars left.
    const SIZE large = m_dpi == 96 ? SIZE{700, 500} : SIZE{1000, 740};
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    for (const bool scrolled : {false, true}) {
        SCOPED_TRACE(scrolled ? "scrolled first" : "plain");
        const std::wstring name =
            std::wstring(scrolled ? L"scrolled-then-enlarged-" : L"enlarged-") + std::to_wstring(m_dpi);
        m_form = std::make_unique<framework::Whole<TForm1>>();
        m_main = m_form->Handle();
        m_form->Show();
        ::SetFocus(nullptr);  // no caret, which blinks
        // In the screen's corner, so that the larger window fits on the screen.
        ::SetWindowPos(m_main, nullptr, 0, 0, 320, 260, SWP_NOZORDER | (scrolled ? 0 : SWP_NOSIZE));
        wintest::LetPaintReachScreen(m_main);
        if (scrolled) {
            ::SendMessageW(m_main, WM_VSCROLL, SB_BOTTOM, 0);
            ::SendMessageW(m_main, WM_HSCROLL, SB_BOTTOM, 0);
        }
        wintest::WaitForPaint(m_main);
        // By the bottom right corner, as a person drags it: the window's place stays.
        ::SetWindowPos(m_main, nullptr, 0, 0, large.cx, large.cy, SWP_NOZORDER | SWP_NOMOVE);
        wintest::WaitForPaint(m_main);
        const wintest::ScreenPicture enlarged = wintest::CaptureScreen(m_main);
        wintest::SavePicture(enlarged, L"main-window-" + name);

        wintest::LetPaintReachScreen(m_main);
        const auto [repaintedDiffering, repaintedFirst] = Differences(enlarged, wintest::CaptureScreen(m_main));
        EXPECT_EQ(repaintedDiffering, 0) << "repainted whole, first at " << repaintedFirst;

        m_form.reset();
        m_form = std::make_unique<framework::Whole<TForm1>>();
        m_main = m_form->Handle();
        ::SetWindowPos(m_main, nullptr, enlarged.area.left, enlarged.area.top, large.cx, large.cy, SWP_NOZORDER);
        m_form->Show();
        ::SetFocus(nullptr);
        wintest::WaitForPaint(m_main);
        const wintest::ScreenPicture fresh = wintest::CaptureScreen(m_main);
        const auto [freshDiffering, freshFirst] = Differences(enlarged, fresh);
        EXPECT_EQ(freshDiffering, 0) << "opened at that size, first at " << freshFirst;
    }
}

// The mouse moved through the system's input queue, to a point of the screen.
void MoveMouse(POINT to) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(to.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = ::MulDiv(to.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
}

// A button's hover frame goes when the mouse moves on to another: one frame at most.
TEST_F(Form1Window, AHoverFrameGoesWhenTheMouseMovesOn) {
    HWND toolBar = Control(kIdToolBar1);
    const auto itemRect = [&](int index) {
        RECT r{};
        ::SendMessageW(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return r;
    };
    // The hot item follows the mouse after a while, and the frame it draws a moment later.
    const auto moveTo = [&](POINT point, int hotItem) {
        // Under Wine the last of several moves can wait for the next one: a second, within the
        // same button, lets the first through.
        MoveMouse(point);
        MoveMouse({point.x - 1, point.y});
        for (int wait = 0; wait < 10 && ::SendMessageW(toolBar, TB_GETHOTITEM, 0, 0) != hotItem; ++wait) {
            wintest::WaitForPaint(m_main);
        }
        wintest::WaitForPaint(m_main);
    };
    const auto hover = [&](int index) {
        RECT r = itemRect(index);
        ::MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&r), 2);
        moveTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, index == 4 ? -1 : index);  // disabled: never hot
    };
    ::SetForegroundWindow(m_main);
    moveTo({::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1}, -1);
    const wintest::ScreenPicture before = wintest::CaptureScreen(toolBar);
    for (const int index : {0, 1, 2, 4, 6, 7}) {  // 4: Compile, disabled
        hover(index);
    }
    ASSERT_EQ(::SendMessageW(toolBar, TB_GETHOTITEM, 0, 0), 7);
    const wintest::ScreenPicture after = wintest::CaptureScreen(toolBar);
    int differing = 0;
    for (int y = 0; y < before.Height(); ++y) {
        for (int x = 0; x < itemRect(7).left; ++x) {
            differing += before.At(x, y) != after.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "frames left beside the hovered button";
}

}  // namespace
}  // namespace talvorine
