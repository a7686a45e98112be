// Windowless controls and their parent's share of the paint.
#include "framework/graphic_control.h"

#include "framework/handles.h"

namespace framework {

void GraphicControl::SetBounds(int left, int top, int width, int height) {
    const RECT bounds{left, top, left + width, top + height};
    if (::EqualRect(&bounds, &m_bounds)) {
        return;
    }
    Invalidate();
    m_bounds = bounds;
    Invalidate();
}

void GraphicControl::Invalidate() const {
    if (m_parent != nullptr) {
        ::InvalidateRect(m_parent, &m_bounds, TRUE);
    }
}

void GraphicControl::PaintOn(HDC dc) {
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, m_bounds.left, m_bounds.top, m_bounds.right, m_bounds.bottom);
    POINT origin;
    ::OffsetViewportOrgEx(dc, m_bounds.left, m_bounds.top, &origin);
    Canvas canvas(dc);
    const ScopeExit restore([dc, saved] { ::RestoreDC(dc, saved); });
    Paint(canvas);
}

void GraphicControls::Paint(HDC dc, const RECT& area) const {
    for (GraphicControl* control : m_controls) {
        RECT common;
        if (::IntersectRect(&common, &control->BoundsRect(), &area)) {
            control->PaintOn(dc);
        }
    }
}

}  // namespace framework
