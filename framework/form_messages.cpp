// A form's messages: the switch, what each does, and the controls' place at the scroll offset.
#include "framework/form.h"

namespace framework {

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return OnControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SIZE:
            OnSize(wParam);
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnScrollBar(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            if (OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam))) {
                return 0;
            }
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam));
            break;
        case WM_SETFOCUS:
            OnSetFocus();
            return 0;
        case WM_SYSCOMMAND:
            if (RefusesSystemCommand(wParam)) {
                return 0;
            }
            break;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void Form::OnSize(WPARAM kind) {
    if (kind != SIZE_MINIMIZED) {
        m_scroll.Update();
        LayOut();
    }
}

void Form::OnScrollBar(int bar, WORD request, HWND control) {
    // A scroll bar control of the form's would send its own; only the window's bars scroll it.
    if (control == nullptr && m_scroll.OnScroll(bar, request)) {
        LayOut();
    }
}

bool Form::OnMouseWheel(int delta) {
    if (!m_scroll.Attached()) {
        return false;
    }
    if (m_scroll.OnWheel(delta)) {
        LayOut();
    }
    return true;
}

void Form::OnActivate(WORD state) {
    if (state == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(Handle(), focus)) {
            m_lastFocus = focus;
        }
    }
}

void Form::OnSetFocus() {
    HWND target = m_lastFocus != nullptr && ::IsWindow(m_lastFocus) ? m_lastFocus : nullptr;
    if (target == nullptr && m_design.initialFocus != 0 && !m_placed.empty()) {
        target = Control(m_design.initialFocus);
    }
    if (target != nullptr) {
        ::SetFocus(target);
    }
}

bool Form::RefusesSystemCommand(WPARAM command) const {
    // Without a maximise box there is no way to maximise: not by the caption's double-click,
    // the system menu or the keyboard, which all come this way.
    return (command & 0xFFF0) == SC_MAXIMIZE && (m_design.style & WS_MAXIMIZEBOX) == 0;
}

void Form::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    if (dc != nullptr) {
        m_graphicControls.Paint(dc, ps.rcPaint);
    }
    ::EndPaint(Handle(), &ps);
}

LRESULT Form::OnControlColour(UINT message, HDC dc, HWND control) {
    for (const Placed& placed : m_placed) {
        if (placed.hwnd != control) {
            continue;
        }
        const COLORREF colour = TextColour(placed.entry->id);
        if (colour == kDefaultColour) {
            break;
        }
        ::SetTextColor(dc, colour);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    return ::DefWindowProcW(Handle(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void Form::LayOut() {
    RECT client;
    ::GetClientRect(Handle(), &client);
    const POINT offset = m_scroll.Offset();
    std::vector<HWND> resizedBars;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_placed.size()));
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId != 0) {
            continue;
        }
        const Bounds& b = placed.bounds;
        int x = b.left - offset.x;
        int y = b.top - offset.y;
        int width = b.width;
        // Only docked bars change size; the others keep theirs (a label's follows its text).
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE;
        if (placed.entry->dock != Dock::None) {
            x = 0;
            width = client.right;
            y = placed.entry->dock == Dock::Top ? 0 : client.bottom - b.height;
            flags &= ~SWP_NOSIZE;
            const RECT now = WindowRectIn(placed.hwnd, Handle());
            if (now.left != x || now.top != y || now.right - now.left != width) {
                resizedBars.push_back(placed.hwnd);
            }
        }
        if (batch != nullptr) {
            batch = ::DeferWindowPos(batch, placed.hwnd, nullptr, x, y, width, b.height, flags);
        }
    }
    if (batch != nullptr) {
        ::EndDeferWindowPos(batch);
    }
    // A bar that moves keeps only the part of its picture the system copies along, and the
    // window, which does not clip its children, erases its newly shown area over that copy:
    // a stretched bar then showed its text and edges only over its new part. It paints whole.
    for (HWND bar : resizedBars) {
        ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (offset.x != m_laidOutOffset.x || offset.y != m_laidOutOffset.y) {
        m_laidOutOffset = offset;
        // Moved group boxes do not paint their inside, and the system copies what they showed
        // to their new place: everything is painted again, as in a window just opened.
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace framework
