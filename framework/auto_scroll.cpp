// A form's scroll bars and wheel.
#include "framework/auto_scroll.h"

#include <algorithm>
#include <tuple>

namespace framework {
namespace {

// One line of scrolling, in pixels; a page is the client area.
constexpr int kScrollLine = 8;

RECT ClientOf(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return client;
}

}  // namespace

void AutoScroll::Attach(HWND window) {
    m_window = window;
    // Shown only while the controls do not fit.
    ::ShowScrollBar(window, SB_BOTH, FALSE);
}

int AutoScroll::Limit(int bar, const RECT& client) const {
    return bar == SB_HORZ ? std::max(0, static_cast<int>(m_extent.cx - client.right))
                          : std::max(0, static_cast<int>(m_extent.cy - client.bottom));
}

void AutoScroll::Update() {
    if (!Attached() || m_updating) {
        return;  // a bar shown or hidden below resizes the client area: the outer call finishes the work
    }
    m_updating = true;
    // Showing one bar narrows the room for the other: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        const RECT client = ClientOf(m_window);
        bool changed = false;
        for (const auto& [bar, range, page, position] :
             {std::tuple{SB_HORZ, static_cast<int>(m_extent.cx), static_cast<int>(client.right), &m_x},
              std::tuple{SB_VERT, static_cast<int>(m_extent.cy), static_cast<int>(client.bottom), &m_y}}) {
            const int clamped = std::clamp(*position, 0, Limit(bar, client));
            changed = changed || clamped != *position;
            *position = clamped;
            SCROLLINFO info{sizeof(info),
                            SIF_RANGE | SIF_PAGE | SIF_POS,
                            0,
                            range > 0 ? range - 1 : 0,
                            static_cast<UINT>(std::max(page, 0)),
                            *position,
                            0};
            ::SetScrollInfo(m_window, bar, &info, TRUE);
        }
        const RECT after = ClientOf(m_window);
        if (!changed && after.right == client.right && after.bottom == client.bottom) {
            break;
        }
    }
    m_updating = false;
}

bool AutoScroll::ScrollTo(int bar, int position) {
    int& current = bar == SB_HORZ ? m_x : m_y;
    const int target = std::clamp(position, 0, Limit(bar, ClientOf(m_window)));
    if (target == current) {
        return false;
    }
    current = target;
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, target, 0};
    ::SetScrollInfo(m_window, bar, &info, TRUE);
    return true;
}

bool AutoScroll::OnScroll(int bar, WORD request) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_window, bar, &info);
    int position = info.nPos;
    switch (request) {
        case SB_LINEUP:
            position -= kScrollLine;
            break;
        case SB_LINEDOWN:
            position += kScrollLine;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return false;
    }
    return ScrollTo(bar, position);
}

bool AutoScroll::OnWheel(int delta) {
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notches = delta / WHEEL_DELTA;
    const int step = static_cast<int>(std::min(lines, 100u)) * kScrollLine;
    // The wheel scrolls down the form, or across it when it only needs scrolling across.
    const RECT client = ClientOf(m_window);
    const bool vertical = Limit(SB_VERT, client) > 0 || Limit(SB_HORZ, client) == 0;
    return vertical ? ScrollTo(SB_VERT, m_y - notches * step) : ScrollTo(SB_HORZ, m_x - notches * step);
}

}  // namespace framework
