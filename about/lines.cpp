// TLine.
#include "about/lines.h"

namespace talvorine {

TLine::TLine() {
    m_brush.OnChange = [this] { StyleChanged(); };
    m_pen.OnChange = [this] { StyleChanged(); };
    SetBounds(0, 0, kLineRestingSize, kLineRestingSize);
    SetFromX(0);
    SetFromY(0);
    SetToX(35);
    SetToY(35);
}

void TLine::SetLine(TLineType line) {
    const std::optional<LineSize> size = m_geometry.SetLine(line, {Width(), Height()});
    if (!size) {
        return;
    }
    SetBounds(Left(), Top(), size->width, size->height);
    Invalidate();
}

void TLine::Paint(framework::Canvas& canvas) {
    canvas.Pen().Assign(m_pen);
    canvas.Brush().Assign(m_brush);
    const LineGeometry::Plan plan = m_geometry.PlanPaint({Width(), Height()}, m_pen.Width());
    // A new size repaints both rectangles; the next paint draws from it.
    SetBounds(Left(), Top(), plan.size.width, plan.size.height);
    canvas.MoveTo(plan.segment.fromX, plan.segment.fromY);
    canvas.LineTo(plan.segment.toX, plan.segment.toY);
}

}  // namespace talvorine
