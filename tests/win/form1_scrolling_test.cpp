// The main window's scroll bars, and the tool bar's band moved along its row.
#include "tests/win/form1_window_fixture.h"

namespace talvorine {
namespace {

TEST_F(Form1Window, ScrollBarsComeWithASmallWindowAndGoWithALargeOne) {
    HWND group2 = Control(kIdGroupBox2);
    HWND bar = Control(kIdControlBar1);
    HWND status = Control(kIdStatusBar1);
    const Rect group2AtStart = Scaled({8, 200, 169, 65});

    ::SetWindowPos(m_main, nullptr, 0, 0, 300, 220, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(StyleOf(m_main) & WS_VSCROLL);
    EXPECT_TRUE(StyleOf(m_main) & WS_HSCROLL);
    Pump();
    const wintest::ScreenPicture small =
        wintest::SaveScreenshot(m_main, L"main-window-small-" + std::to_wstring(m_dpi));
    for (int id : {kIdControlBar1, kIdGroupBox1, kIdStatusBar1}) {
        SCOPED_TRACE(id);
        ExpectDrawnOnScreen(small, m_main, Control(id));
    }

    ::SendMessageW(m_main, WM_VSCROLL, SB_LINEDOWN, 0);
    ::SendMessageW(m_main, WM_HSCROLL, SB_LINEDOWN, 0);
    Pump();
    SCROLLINFO v{sizeof(v), SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_main, SB_VERT, &v);
    SCROLLINFO h{sizeof(h), SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_main, SB_HORZ, &h);
    EXPECT_GT(v.nPos, 0);
    EXPECT_GT(h.nPos, 0);
    EXPECT_EQ(PlaceOf(group2), (Rect{group2AtStart.left - h.nPos, group2AtStart.top - v.nPos, group2AtStart.width,
                                     group2AtStart.height}));
    // The docked bars stay at their edges, across the whole width.
    const Rect client = Client();
    EXPECT_EQ(PlaceOf(bar).top, 0);
    EXPECT_EQ(PlaceOf(bar).left, 0);
    EXPECT_EQ(PlaceOf(bar).width, client.width);
    EXPECT_EQ(PlaceOf(status).top + PlaceOf(status).height, client.height);
    EXPECT_EQ(PlaceOf(status).width, client.width);

    // The wheel scrolls down, and back up.
    ::SendMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    ::GetScrollInfo(m_main, SB_VERT, &v);
    const int afterWheel = v.nPos;
    EXPECT_GT(afterWheel, 0);
    EXPECT_EQ(PlaceOf(group2).top, group2AtStart.top - afterWheel);
    ::SendMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(PlaceOf(group2).top, group2AtStart.top);

    ::SetWindowPos(m_main, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_FALSE(StyleOf(m_main) & WS_VSCROLL);
    EXPECT_FALSE(StyleOf(m_main) & WS_HSCROLL);
    EXPECT_EQ(PlaceOf(group2), group2AtStart);
    EXPECT_EQ(PlaceOf(bar).width, Client().width);
    EXPECT_EQ(PlaceOf(status).width, Client().width);
    int parts[2] = {};
    ::SendMessageW(status, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], -1);
}

TEST_F(Form1Window, TheBandMovesAlongItsRowByItsHandleOnly) {
    HWND bar = Control(kIdControlBar1);
    HWND toolBar = Control(kIdToolBar1);
    const Rect start = PlaceOf(toolBar);
    const auto drag = [&](int fromX, int toX) {
        const int y = start.top + start.height / 2;
        ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, y));
        ::SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
        ::SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
        Pump();
    };
    // Grabbed on its handle, left of the tool bar, it follows the mouse along the row.
    ::SetWindowPos(m_main, nullptr, 0, 0, 900, 353, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    drag(start.left - 5, start.left + 95);
    EXPECT_EQ(PlaceOf(toolBar), (Rect{start.left + 100, start.top, start.width, start.height}));
    // Not past the container's ends, and never out of its row.
    drag(start.left + 95, -500);
    EXPECT_EQ(PlaceOf(toolBar), start);
    drag(start.left - 5, 5000);
    EXPECT_EQ(PlaceOf(toolBar).left + start.width, PlaceOf(bar).width);
    EXPECT_EQ(PlaceOf(toolBar).top, start.top);
    EXPECT_EQ(::GetParent(toolBar), bar);
    // A press beside the handle moves nothing.
    const Rect before = PlaceOf(toolBar);
    drag(before.left + before.width + 5, 0);
    EXPECT_EQ(PlaceOf(toolBar), before);
}

}  // namespace
}  // namespace talvorine
