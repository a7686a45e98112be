// Windowless controls: a rectangle on a parent window, painted by the parent's own paint.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/graphics.h"

namespace framework {

class GraphicControl {
public:
    GraphicControl() = default;
    GraphicControl(const GraphicControl&) = delete;
    GraphicControl& operator=(const GraphicControl&) = delete;
    virtual ~GraphicControl() = default;

    // The window it paints on and invalidates; none until it is placed.
    void SetParent(HWND parent) { m_parent = parent; }  // not owned
    HWND Parent() const { return m_parent; }

    int Left() const { return m_bounds.left; }
    int Top() const { return m_bounds.top; }
    int Width() const { return m_bounds.right - m_bounds.left; }
    int Height() const { return m_bounds.bottom - m_bounds.top; }
    const RECT& BoundsRect() const { return m_bounds; }

    // Does nothing for unchanged bounds; otherwise the old and the new rectangle are both
    // repainted, so that what was drawn at the old size is erased by the parent's background.
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    // Asks the parent to repaint the control's rectangle, background first.
    void Invalidate() const;

    // For the parent's paint: draws on `dc`, clipped to the control, origin at its corner.
    void PaintOn(HDC dc);

protected:
    virtual void Paint(Canvas& canvas) = 0;

private:
    HWND m_parent = nullptr;
    RECT m_bounds{0, 0, 0, 0};
};

// The windowless controls of one window, in creation order: a later one paints above an earlier one.
class GraphicControls {
public:
    void Add(GraphicControl& control) { m_controls.push_back(&control); }  // not owned
    // Paints those that meet the area being painted, the DC as the parent's paint set it up.
    void Paint(HDC dc, const RECT& area) const;

private:
    std::vector<GraphicControl*> m_controls;
};

}  // namespace framework
