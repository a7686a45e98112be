// TLine drawn for real: a parent window whose paint goes into a memory bitmap, read pixel by pixel.
#include <gtest/gtest.h>

#include "about/lines.h"
#include "framework/handles.h"
#include "framework/window.h"

namespace talvorine {
namespace {

using framework::clBlack;
using framework::clWhite;

constexpr COLORREF kGround = RGB(192, 192, 192);
constexpr COLORREF kRed = RGB(255, 0, 0);

// Stands for a parent's screen: each paint erases exactly the invalid area to the ground colour
// and paints the windowless controls there, so whatever a paint fails to cover stays visible.
class Surface final : public framework::Window {
public:
    Surface() {
        WNDCLASSEXW windowClass{};
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TalvorineLineSurface";
        Register(windowClass);
        Create(0, windowClass.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, kSize, kSize, nullptr, nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_dc.reset(::CreateCompatibleDC(nullptr));
        ::SelectObject(m_dc.get(), m_bitmap.get());
        const RECT all{0, 0, kSize, kSize};
        framework::UniqueBrush ground(::CreateSolidBrush(kGround));
        ::FillRect(m_dc.get(), &all, ground.get());
        Flush();
    }
    ~Surface() override { Destroy(); }

    void Place(TLine& line, int left, int top) {
        line.SetParent(Handle());
        line.SetBounds(left, top, line.Width(), line.Height());
        m_controls.Add(line);
    }
    bool RepaintPending() const { return ::GetUpdateRect(Handle(), nullptr, FALSE) != FALSE; }
    // One paint, if one is due.
    void PaintOnce() { ::UpdateWindow(Handle()); }
    // Paints until nothing is left to paint; returns how many paints that took.
    int Flush() {
        const int before = m_paints;
        for (int i = 0; i < 10 && RepaintPending(); ++i) {
            PaintOnce();
        }
        return m_paints - before;
    }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc.get(), x, y); }
    // The columns of one row that differ from the ground, as [first, last], or {-1, -1}.
    std::pair<int, int> Drawn(int y) const {
        int first = -1;
        int last = -1;
        for (int x = 0; x < kSize; ++x) {
            if (Pixel(x, y) != kGround) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        return {first, last};
    }

private:
    static constexpr int kSize = 320;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            return 1;
        }
        if (message != WM_PAINT) {
            return Window::HandleMessage(message, wParam, lParam);
        }
        framework::UniqueGdiObject region(::CreateRectRgn(0, 0, 0, 0));
        ::GetUpdateRgn(Handle(), static_cast<HRGN>(region.get()), FALSE);
        PAINTSTRUCT ps;
        ::BeginPaint(Handle(), &ps);
        HDC dc = m_dc.get();
        ::SelectClipRgn(dc, static_cast<HRGN>(region.get()));
        framework::UniqueBrush ground(::CreateSolidBrush(kGround));
        ::FillRgn(dc, static_cast<HRGN>(region.get()), ground.get());
        m_controls.Paint(dc, ps.rcPaint);
        ::SelectClipRgn(dc, nullptr);
        ::EndPaint(Handle(), &ps);
        ++m_paints;
        return 0;
    }

    framework::UniqueBitmap m_bitmap;
    framework::UniqueMemoryDc m_dc;
    framework::GraphicControls m_controls;
    int m_paints = 0;
};

TEST(LineDrawing, NewControlDrawsItsDiagonalWithoutTheEndPixel) {
    Surface surface;
    TLine line;
    surface.Place(line, 10, 20);
    surface.Flush();
    EXPECT_EQ(line.Line(), ltCustom);
    EXPECT_EQ(line.Width(), 65);
    EXPECT_EQ(line.Height(), 65);
    for (int i = 0; i < 35; ++i) {
        ASSERT_EQ(surface.Pixel(10 + i, 20 + i), clBlack) << i;
        ASSERT_EQ(surface.Drawn(20 + i), std::make_pair(10 + i, 10 + i)) << "only the line's pixels, row " << i;
    }
    EXPECT_EQ(surface.Drawn(20 + 35), std::make_pair(-1, -1));
}

TEST(LineDrawing, HorizontalLineMovesFromRow32ToRow4AndNothingOfTheFirstRemains) {
    Surface surface;
    TLine line;
    surface.Place(line, 86, 158);
    surface.Flush();
    line.SetWidth(196);
    line.SetFromX(0), line.SetToX(195), line.SetFromY(4), line.SetToY(4);
    line.SetLine(ltHorizontal);

    surface.PaintOnce();
    EXPECT_EQ(surface.Drawn(158 + 32), std::make_pair(86, 86 + 194));
    EXPECT_EQ(line.Height(), 10);
    EXPECT_TRUE(surface.RepaintPending());

    EXPECT_EQ(surface.Flush(), 1);
    EXPECT_EQ(surface.Drawn(158 + 32), std::make_pair(-1, -1));
    EXPECT_EQ(surface.Drawn(158 + 4), std::make_pair(86, 86 + 194));
    EXPECT_EQ(surface.Pixel(86, 162), clBlack);
    EXPECT_EQ(line.FromY(), 4);
    EXPECT_EQ(line.ToX(), 195);

    line.Pen().SetWidth(3);
    surface.Flush();
    EXPECT_EQ(line.Height(), 30);
    for (int row = 13; row <= 15; ++row) {  // a pen 3 wide, centred on row 14
        EXPECT_EQ(surface.Pixel(186, 158 + row), clBlack) << row;
    }
    EXPECT_EQ(surface.Drawn(158 + 12), std::make_pair(-1, -1));
    EXPECT_EQ(surface.Drawn(158 + 16), std::make_pair(-1, -1));
    EXPECT_EQ(surface.Drawn(158 + 4), std::make_pair(-1, -1));
}

TEST(LineDrawing, HorizontalSwitchedToVerticalTurnsItsRectangle) {
    Surface surface;
    TLine line;
    surface.Place(line, 50, 40);
    line.SetWidth(196);
    line.SetLine(ltHorizontal);
    surface.Flush();
    ASSERT_EQ(line.Height(), 10);

    line.SetLine(ltVertical);
    EXPECT_EQ(line.Width(), 10);
    EXPECT_EQ(line.Height(), 196);
    surface.Flush();
    for (int y = 40; y < 40 + 195; ++y) {
        ASSERT_EQ(surface.Drawn(y), std::make_pair(54, 54)) << y;
    }
    EXPECT_EQ(surface.Drawn(40 + 195), std::make_pair(-1, -1));
}

TEST(LineDrawing, PenOrBrushChangeRepaintsAndUnchangedOrIgnoredSettingsDoNot) {
    Surface surface;
    TLine line;
    surface.Place(line, 10, 10);
    line.SetLine(ltTop);
    surface.Flush();

    line.SetLine(ltTop);
    line.SetFromX(10);  // ignored by a line that is not custom
    line.Pen().SetColor(clBlack);
    EXPECT_FALSE(surface.RepaintPending());
    EXPECT_EQ(line.FromX(), 0);

    line.Pen().SetColor(kRed);
    EXPECT_TRUE(surface.RepaintPending());
    surface.Flush();
    EXPECT_EQ(surface.Pixel(10, 10), kRed);

    framework::TBrush clear;
    clear.SetStyle(framework::bsClear);
    line.SetBrush(clear);
    EXPECT_TRUE(surface.RepaintPending());
    EXPECT_EQ(line.Brush().Style(), framework::bsClear);
}

}  // namespace
}  // namespace talvorine
