// TLine: a windowless control that draws one straight segment inside its rectangle.
#pragma once

#include "about/line_geometry.h"
#include "framework/graphic_control.h"
#include "framework/graphics.h"

namespace talvorine {

// Draws only its line's pixels: what lies under it (the parent's background, earlier
// windowless controls) stays visible.
class TLine final : public framework::GraphicControl {
public:
    TLine();
    ~TLine() override = default;

    framework::TBrush& Brush() { return m_brush; }
    framework::TPen& Pen() { return m_pen; }
    // Copy the given object's attributes; the control keeps its own pen and brush.
    void SetBrush(const framework::TBrush& brush) { m_brush.Assign(brush); }
    void SetPen(const framework::TPen& pen) { m_pen.Assign(pen); }

    // Read back after a paint, they are the end points of the segment drawn.
    int FromX() const { return m_geometry.FromX(); }
    int ToX() const { return m_geometry.ToX(); }
    int FromY() const { return m_geometry.FromY(); }
    int ToY() const { return m_geometry.ToY(); }
    // Taken only while Line is ltCustom, and then repainted even for an unchanged value.
    void SetFromX(int value) { RepaintIf(m_geometry.SetFromX(value)); }
    void SetToX(int value) { RepaintIf(m_geometry.SetToX(value)); }
    void SetFromY(int value) { RepaintIf(m_geometry.SetFromY(value)); }
    void SetToY(int value) { RepaintIf(m_geometry.SetToY(value)); }

    TLineType Line() const { return m_geometry.Line(); }
    void SetLine(TLineType line);

    // The change handler of the pen and the brush.
    void StyleChanged() { Invalidate(); }

protected:
    void Paint(framework::Canvas& canvas) override;

private:
    void RepaintIf(bool due) {
        if (due) {
            Invalidate();
        }
    }

    LineGeometry m_geometry;
    // Made brush first, freed pen first.
    framework::TBrush m_brush;
    framework::TPen m_pen;
};

}  // namespace talvorine
