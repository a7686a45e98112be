// The band container: one row, one band, a grab handle at the band's left end.
#include "framework/control_bar.h"

#include <algorithm>
#include <memory>

#include "framework/layout.h"
#include "framework/window.h"

namespace framework {
namespace {

struct BarState {
    HWND band = nullptr;  // not owned: a child window, destroyed with the container
    int grabWidth = 0;
    int margin = 0;
    bool dragging = false;
    int dragOffset = 0;  // from the band's left edge to the mouse
};

BarState* StateOf(HWND bar) { return reinterpret_cast<BarState*>(::GetWindowLongPtrW(bar, GWLP_USERDATA)); }

// The band: its handle and its child, in the container's client coordinates.
RECT BandRect(HWND bar, const BarState& state) {
    const RECT child = WindowRectIn(state.band, bar);
    return {child.left - state.grabWidth, child.top - state.margin, child.right, child.bottom + state.margin};
}

bool OnGrabHandle(HWND bar, const BarState& state, POINT point) {
    if (state.band == nullptr) {
        return false;
    }
    const RECT band = BandRect(bar, state);
    const RECT grab{band.left, band.top, band.left + state.grabWidth, band.bottom};
    return ::PtInRect(&grab, point) != FALSE;
}

void Paint(HWND bar, const BarState& state) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(bar, &paint);
    RECT client;
    ::GetClientRect(bar, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    if (state.band != nullptr) {
        RECT band = BandRect(bar, state);
        // The one band of the row reaches the container's right end, as the bars above and
        // below do, not only the end of its tool bar.
        band.right = std::max(band.right, client.right);
        ::DrawEdge(dc, &band, BDR_RAISEDINNER, BF_RECT);
        // Two raised ridges, the handle's usual look, inside its width.
        const int inset = std::max(2, state.margin + 1);
        for (int ridge = 0; ridge < 2; ++ridge) {
            RECT line{band.left + 2 + ridge * 3, band.top + inset, band.left + 5 + ridge * 3, band.bottom - inset};
            ::DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
        }
    }
    ::EndPaint(bar, &paint);
}

void DragTo(HWND bar, BarState& state, int mouseX) {
    RECT client;
    ::GetClientRect(bar, &client);
    const RECT child = WindowRectIn(state.band, bar);
    const int width = child.right - child.left;
    // One row: the band moves along it and stops at its ends; it is never torn off.
    const int rightmost = std::max(state.grabWidth, static_cast<int>(client.right) - width);
    const int left = std::clamp(mouseX - state.dragOffset + state.grabWidth, state.grabWidth, rightmost);
    if (left != child.left) {
        ::SetWindowPos(state.band, nullptr, left, child.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(bar, nullptr, TRUE);
    }
}

LRESULT CALLBACK ControlBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(bar);
    switch (message) {
        case WM_NCCREATE:
            // The window holds its state from here on; WM_NCDESTROY takes it back.
            ::SetWindowLongPtrW(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(std::make_unique<BarState>().release()));
            break;
        case WM_NCDESTROY: {
            const std::unique_ptr<BarState> owned(state);
            ::SetWindowLongPtrW(bar, GWLP_USERDATA, 0);
            break;
        }
        case WM_PAINT:
            if (state != nullptr) {
                Paint(bar, *state);
                return 0;
            }
            break;
        case WM_ERASEBKGND: {
            // Painted whole in WM_PAINT; but the tool bar has its container erase beneath it with
            // the tool bar's own DC before each of its paints. Left unerased there, a button's
            // hover frame stays after the mouse has moved on.
            RECT box;
            if (::GetClipBox(reinterpret_cast<HDC>(wParam), &box) != ERROR) {
                ::FillRect(reinterpret_cast<HDC>(wParam), &box, ::GetSysColorBrush(COLOR_BTNFACE));
            }
            return 1;
        }
        case WM_SETCURSOR: {
            POINT point;
            ::GetCursorPos(&point);
            ::ScreenToClient(bar, &point);
            if (state != nullptr && (state->dragging || OnGrabHandle(bar, *state, point))) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONDOWN: {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (state != nullptr && OnGrabHandle(bar, *state, point)) {
                state->dragging = true;
                state->dragOffset = point.x - BandRect(bar, *state).left;
                ::SetCapture(bar);
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (state != nullptr && state->dragging) {
                DragTo(bar, *state, static_cast<short>(LOWORD(lParam)));
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (state != nullptr && state->dragging) {
                state->dragging = false;
                if (message == WM_LBUTTONUP) {
                    ::ReleaseCapture();
                }
            }
            return 0;
        case WM_SIZE:
            ::InvalidateRect(bar, nullptr, TRUE);
            return 0;
        case WM_COMMAND:
        case WM_NOTIFY:
            // The band's buttons are the form's commands.
            return ::SendMessageW(::GetParent(bar), message, wParam, lParam);
        default:
            break;
    }
    return ::DefWindowProcW(bar, message, wParam, lParam);
}

}  // namespace

void RegisterControlBarClass() {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &ControlBarProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kControlBarClassName;
    RegisterWindowClass(windowClass);
}

bool IsControlBar(HWND window) {
    wchar_t name[32] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return wcscmp(name, kControlBarClassName) == 0;
}

void AdoptBand(HWND controlBar, HWND child) {
    BarState* state = StateOf(controlBar);
    if (state == nullptr) {
        return;
    }
    const RECT rect = WindowRectIn(child, controlBar);
    state->band = child;
    state->grabWidth = rect.left;
    state->margin = rect.top;
    ::InvalidateRect(controlBar, nullptr, TRUE);
}

}  // namespace framework
