// A form's scroll bars and wheel: shown while the client area is smaller than the controls,
// they keep the offset by which the form places the controls that scroll.
#pragma once

#include <windows.h>

namespace framework {

class AutoScroll {
public:
    // Takes on the form's window (not owned), its bars hidden until the extent is known.
    void Attach(HWND window);
    // The area the form's controls need, docked bars included; known once they are placed.
    void SetExtent(SIZE extent) { m_extent = extent; }
    bool Attached() const { return m_window != nullptr; }

    // How far the form is scrolled across and down.
    POINT Offset() const { return {m_x, m_y}; }

    // After a size change: each bar shown while needed, the offset kept within its new limit.
    void Update();
    // A scroll bar's request (WM_HSCROLL, WM_VSCROLL) and the wheel's notches; true when the offset moved.
    bool OnScroll(int bar, WORD request);
    bool OnWheel(int delta);

private:
    // The furthest the bar scrolls: what the extent has beyond the client area.
    int Limit(int bar, const RECT& client) const;
    bool ScrollTo(int bar, int position);

    HWND m_window = nullptr;  // not owned
    SIZE m_extent{};
    int m_x = 0;
    int m_y = 0;
    bool m_updating = false;
};

}  // namespace framework
