// Controls created from their table.
#include "framework/layout.h"

#include <commctrl.h>

#include <climits>

#include "framework/control_bar.h"
#include "framework/error.h"
#include "framework/handles.h"
#include "framework/tool_bar.h"

namespace framework {
namespace {

struct KindTraits {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

KindTraits TraitsOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
        case ControlKind::Label:
            return {L"STATIC", SS_LEFT, 0};
        case ControlKind::Memo:
            return {L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Edit:
            return {L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::StatusBar:
            // The form places it (docking), not the bar itself.
            return {STATUSCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
        case ControlKind::ControlBar:
            return {kControlBarClassName, 0, WS_EX_CONTROLPARENT};
        case ControlKind::ToolBar:
            return {TOOLBARCLASSNAMEW, ToolBarStyle(), 0};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON, 0};
        case ControlKind::Image:
            // The form sets the picture; one named by the window text would be the control's to free.
            return {L"STATIC", 0, 0};
        case ControlKind::Windowless:
            break;
    }
    return {L"STATIC", 0, 0};
}

LRESULT CALLBACK ForwardingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        default:
            return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
}

LRESULT CALLBACK NoTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const bool tab = (message == WM_KEYDOWN || message == WM_CHAR) && wParam == (message == WM_CHAR ? L'\t' : VK_TAB);
    if (tab && ::GetKeyState(VK_CONTROL) >= 0) {
        return 0;
    }
    if (message == WM_GETDLGCODE) {
        return ::DefSubclassProc(hwnd, message, wParam, lParam) & ~DLGC_WANTTAB;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateControl(HWND parent, const ControlDesign& entry, const Bounds& bounds, HFONT font) {
    if (entry.kind == ControlKind::ControlBar) {
        RegisterControlBarClass();
    }
    const KindTraits traits = TraitsOf(entry.kind);
    // Scrolled controls pass under the docked bars: siblings must not paint over each other.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | traits.style | entry.style;
    if (entry.tabStop) {
        style |= WS_TABSTOP;
    }
    const wchar_t* text = entry.kind == ControlKind::Image ? L"" : entry.text;
    HWND hwnd = ::CreateWindowExW(traits.exStyle, traits.className, text, style, bounds.left, bounds.top, bounds.width,
                                  bounds.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd == nullptr) {
        throw Error(L"Impossible de créer le contrôle " + std::wstring(entry.name) + L" : " +
                    SystemErrorDescription(::GetLastError()));
    }
    if (entry.kind != ControlKind::StatusBar) {  // the status bar keeps the system's status-bar font
        ::SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (entry.autoSize) {
        FitToText(hwnd);
    }
    if (entry.kind == ControlKind::GroupBox) {
        ForwardNotificationsToParent(hwnd);
    }
    if (entry.kind == ControlKind::Memo) {
        // No limit of the memo's own: as much as a multi-line edit can take.
        ::SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);
        RefuseTabKey(hwnd);
    }
    return hwnd;
}

void FitToText(HWND label) {
    const std::wstring text = GetText(label);
    WindowDc dc(label);
    ScopedSelectObject font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, 0, 0};
    ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE);
    ::SetWindowPos(label, nullptr, 0, 0, extent.right, extent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT WindowRectIn(HWND window, HWND coordinatesOf) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, coordinatesOf, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ForwardNotificationsToParent(HWND container) { ::SetWindowSubclass(container, &ForwardingProc, 1, 0); }

void RefuseTabKey(HWND edit) { ::SetWindowSubclass(edit, &NoTabProc, 2, 0); }

std::wstring GetText(HWND control) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SetText(HWND control, const std::wstring& text) { ::SetWindowTextW(control, text.c_str()); }

void SetMemoText(HWND memo, const std::wstring& text, const std::wstring& former) {
    const bool fits = text.size() < INT_MAX && ::SetWindowTextW(memo, text.c_str()) &&
                      static_cast<size_t>(::GetWindowTextLengthW(memo)) == text.size();
    if (!fits) {
        ::SetWindowTextW(memo, former.c_str());
        throw Error(kMemoCapacityError);
    }
}

}  // namespace framework
