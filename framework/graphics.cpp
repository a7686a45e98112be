// Pens, brushes and the canvas.
#include "framework/graphics.h"

namespace framework {
namespace {

constexpr int kPenStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};

constexpr int kRasterOperations[] = {
    R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
    R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN,
};

constexpr int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};

// The owner redraws on every notification, so a setter that changes nothing must not send one.
template <class Attributes>
void ChangeAttributes(Attributes& current, const Attributes& next, const std::function<void()>& onChange) {
    if (next == current) {
        return;
    }
    current = next;
    if (onChange) {
        onChange();
    }
}

template <class Attributes, class Field>
void ChangeAttribute(Attributes& current, Field Attributes::*field, Field value,
                     const std::function<void()>& onChange) {
    Attributes next = current;
    next.*field = value;
    ChangeAttributes(current, next, onChange);
}

}  // namespace

void TPen::SetColor(COLORREF color) { ChangeAttribute(m_attributes, &Attributes::color, color, OnChange); }

void TPen::SetWidth(int width) {
    if (width < 0) {
        return;
    }
    ChangeAttribute(m_attributes, &Attributes::width, width, OnChange);
}

void TPen::SetStyle(TPenStyle style) { ChangeAttribute(m_attributes, &Attributes::style, style, OnChange); }

void TPen::SetMode(TPenMode mode) { ChangeAttribute(m_attributes, &Attributes::mode, mode, OnChange); }

void TPen::Assign(const TPen& source) { ChangeAttributes(m_attributes, source.m_attributes, OnChange); }

UniquePen TPen::CreateHandle() const {
    return UniquePen(::CreatePen(kPenStyles[m_attributes.style], m_attributes.width, m_attributes.color));
}

int TPen::RasterOperation() const { return kRasterOperations[m_attributes.mode]; }

void TBrush::SetColor(COLORREF color) { ChangeAttribute(m_attributes, &Attributes::color, color, OnChange); }

void TBrush::SetStyle(TBrushStyle style) { ChangeAttribute(m_attributes, &Attributes::style, style, OnChange); }

void TBrush::SetBitmap(HBITMAP bitmap) { ChangeAttribute(m_attributes, &Attributes::bitmap, bitmap, OnChange); }

void TBrush::Assign(const TBrush& source) { ChangeAttributes(m_attributes, source.m_attributes, OnChange); }

UniqueBrush TBrush::CreateHandle() const {
    if (m_attributes.bitmap != nullptr) {
        return UniqueBrush(::CreatePatternBrush(m_attributes.bitmap));
    }
    LOGBRUSH brush{};
    brush.lbColor = m_attributes.color;
    switch (m_attributes.style) {
        case bsSolid:
            brush.lbStyle = BS_SOLID;
            break;
        case bsClear:
            brush.lbStyle = BS_NULL;
            break;
        default:
            brush.lbStyle = BS_HATCHED;
            brush.lbHatch = kHatches[m_attributes.style];
            break;
    }
    return UniqueBrush(::CreateBrushIndirect(&brush));
}

void Canvas::MoveTo(int x, int y) { ::MoveToEx(m_dc, x, y, nullptr); }

void Canvas::LineTo(int x, int y) {
    // Declared before the selections, so that each object is put out of the DC before it is deleted.
    const UniquePen pen = m_pen.CreateHandle();
    const UniqueBrush brush = m_brush.CreateHandle();
    const ScopedSelectObject selectPen(m_dc, pen.get());
    const ScopedSelectObject selectBrush(m_dc, brush.get());
    const int formerRop = ::SetROP2(m_dc, m_pen.RasterOperation());
    const bool clear = m_brush.Style() == bsClear && m_brush.Bitmap() == nullptr;
    const int formerMode = ::SetBkMode(m_dc, clear ? TRANSPARENT : OPAQUE);
    const COLORREF formerBack = ::SetBkColor(m_dc, m_brush.Color());
    ::LineTo(m_dc, x, y);
    ::SetBkColor(m_dc, formerBack);
    ::SetBkMode(m_dc, formerMode);
    ::SetROP2(m_dc, formerRop);
}

}  // namespace framework
