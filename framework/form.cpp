// The base of the program's forms.
#include "framework/form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/control_bar.h"
#include "framework/error.h"
#include "framework/error_box.h"

namespace framework {
namespace {

UniqueFont CreateFontOfHeight(const wchar_t* face, int height, bool bold = false) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    wcsncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    UniqueFont created(::CreateFontIndirectW(&font));
    if (!created) {
        throw Error(L"Impossible de créer la police " + std::wstring(face));
    }
    return created;
}

// The height of a line of text in the font, as the layout counts it.
int TextHeight(HWND window, HFONT font) {
    WindowDc dc(window);
    ScopedSelectObject selected(dc.get(), font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), L"0", 1, &extent);
    return extent.cy;
}

// Where a window whose table gives `width` and `height` (its client area's when
// `clientSize`, else its outer size) lies centred on the screen, frame included.
RECT CentredOuterRect(int width, int height, bool clientSize, DWORD style, DWORD exStyle, bool hasMenu) {
    RECT outer{0, 0, width, height};
    if (clientSize) {
        ::AdjustWindowRectEx(&outer, style, hasMenu ? TRUE : FALSE, exStyle);
    }
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    return {left, top, left + outerWidth, top + outerHeight};
}

int ScreenDpi() {
    const int dpi = ::GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

Form::Form(const FormDesign& design, std::span<const ControlDesign> controls) : m_design(design), m_controls(controls) {
    for (const ControlDesign& entry : controls) {
        if (entry.colour != kDefaultColour) {
            m_textColours[entry.id] = entry.colour;
        }
    }
}

Form::~Form() {
    // A window still here is one whose form failed to be built (Whole<T> destroys it otherwise):
    // it and its controls go before the fonts they use.
    Destroy();
}

HWND Form::Control(int id) const {
    for (const Placed& placed : m_placed) {
        if (placed.entry->id == id) {
            return placed.hwnd;
        }
    }
    throw Error(L"Contrôle inconnu : " + std::to_wstring(id));
}

void Form::CreateForm(HWND owner, UniqueMenu menu) {
    const bool hasMenu = static_cast<bool>(menu);
    RegisterWindowClass();
    CreateCentredWindow(owner, std::move(menu));
    CreateFonts(Handle());
    FitClientAreaToScale(hasMenu);
    for (const ControlDesign& entry : m_controls) {
        PlaceControl(entry);
    }
    KeepDockedBarsAbove();
    m_scroll.SetExtent(ControlsExtent());
    ControlsCreated();
    m_scroll.Update();
    LayOut();
    RunGuarded([&] { FormCreate(); });
}

DWORD Form::WindowStyle() const { return m_design.style | (m_design.autoScroll ? WS_HSCROLL | WS_VSCROLL : 0); }

void Form::RegisterWindowClass() const {
    WNDCLASSEXW windowClass{};
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = m_design.className;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (m_design.icon != nullptr) {
        windowClass.hIcon = ::LoadIconW(windowClass.hInstance, m_design.icon);
        windowClass.hIconSm = static_cast<HICON>(::LoadImageW(windowClass.hInstance, m_design.icon, IMAGE_ICON,
                                                              ::GetSystemMetrics(SM_CXSMICON),
                                                              ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    Register(windowClass);
}

void Form::CreateCentredWindow(HWND owner, UniqueMenu menu) {
    const RECT outer = CentredOuterRect(m_design.width, m_design.height, m_design.clientSize, WindowStyle(),
                                        m_design.exStyle, static_cast<bool>(menu));
    Create(m_design.exStyle, m_design.className, m_design.caption, WindowStyle(), outer.left, outer.top,
           outer.right - outer.left, outer.bottom - outer.top, owner, menu.get());
    menu.release();  // the window owns its menu now
    if (m_design.autoScroll) {
        m_scroll.Attach(Handle());
    }
}

void Form::FitClientAreaToScale(bool hasMenu) {
    if (!m_design.clientSize || m_scale.IsIdentity()) {
        return;
    }
    // A client area given by the table follows the text height like the controls in it.
    const RECT scaled = CentredOuterRect(m_scale(m_design.width), m_scale(m_design.height), true, WindowStyle(),
                                         m_design.exStyle, hasMenu);
    ::SetWindowPos(Handle(), nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::KeepDockedBarsAbove() {
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId == 0 && placed.entry->dock != Dock::None) {
            // Docked bars stay above the controls that scroll beneath them.
            ::SetWindowPos(placed.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

SIZE Form::ControlsExtent() const {
    SIZE extent{0, 0};
    int bottomBars = 0;
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId != 0) {
            continue;
        }
        const Bounds& b = placed.bounds;
        if (placed.entry->dock == Dock::None) {
            extent.cx = std::max(extent.cx, static_cast<LONG>(b.left + b.width));
            extent.cy = std::max(extent.cy, static_cast<LONG>(b.top + b.height));
        } else if (placed.entry->dock == Dock::Bottom) {
            bottomBars += b.height;  // what lies under a bottom bar is out of sight
        }
    }
    extent.cy += bottomBars;
    return extent;
}

void Form::PlaceControl(const ControlDesign& entry) {
    HWND parent = entry.parentId == 0 ? Handle() : Control(entry.parentId);
    const Bounds bounds{m_scale(entry.bounds.left), m_scale(entry.bounds.top),
                        m_scale.Extent(entry.bounds.left, entry.bounds.width),
                        m_scale.Extent(entry.bounds.top, entry.bounds.height)};
    if (entry.kind == ControlKind::Windowless) {
        GraphicControl* control = GraphicControlFor(entry.id);
        if (control == nullptr) {
            throw Error(L"Contrôle sans objet : " + std::wstring(entry.name));
        }
        control->SetParent(Handle());
        control->SetBounds(bounds.left, bounds.top, bounds.width,
                           entry.bounds.height == 0 ? control->Height() : bounds.height);
        m_graphicControls.Add(*control);
        return;
    }
    HWND hwnd = CreateControl(parent, entry, bounds, FontFor(entry));
    // Placed before anything can fail, so that the window goes with the form.
    m_placed.push_back({&entry, hwnd, bounds});
    if (IsControlBar(parent)) {
        AdoptBand(parent, hwnd);
    }
    if (entry.kind == ControlKind::Image && entry.text != nullptr && entry.text[0] != L'\0') {
        UniqueBitmap picture(static_cast<HBITMAP>(
            ::LoadImageW(::GetModuleHandleW(nullptr), entry.text, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!picture) {
            throw Error(L"Image introuvable : " + std::wstring(entry.text));
        }
        ::SendMessageW(hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
        m_pictures.push_back(std::move(picture));
    }
}

void Form::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Handle(), &ps);
    if (dc != nullptr) {
        m_graphicControls.Paint(dc, ps.rcPaint);
    }
    ::EndPaint(Handle(), &ps);
}

void Form::SetControlText(int id, const std::wstring& text) {
    HWND control = Control(id);
    SetText(control, text);
    for (const Placed& placed : m_placed) {
        if (placed.hwnd == control && placed.entry->autoSize) {
            FitToText(control);
        }
    }
}

void Form::CreateFonts(HWND window) {
    // The form's font follows the display's resolution; when its text height then differs
    // from the design's, every place, size and own font follows that text height.
    m_font =
        CreateFontOfHeight(m_design.font.face, FontHeightForDpi(DesignFontHeight(m_design.font.points), ScreenDpi()));
    m_scale = LayoutScale(TextHeight(window, m_font.get()));
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
}

HFONT Form::FontFor(const ControlDesign& entry) {
    if (entry.font.face == nullptr) {
        return m_font.get();
    }
    m_ownFonts.push_back(
        CreateFontOfHeight(entry.font.face, m_scale(DesignFontHeight(entry.font.points)), entry.font.bold));
    return m_ownFonts.back().get();
}

void Form::Show() {
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
    if (m_design.initialFocus != 0) {
        ::SetFocus(Control(m_design.initialFocus));
    }
}

int Form::ShowModal(HWND owner) {
    m_modal = true;
    m_modalResult = 0;
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
    }
    // However the show ends, the owner takes input again.
    ScopeExit reenable([owner, ownerWasEnabled] {
        if (ownerWasEnabled) {
            ::EnableWindow(owner, TRUE);
        }
    });
    Show();
    MSG msg;
    while (m_modal && Handle() != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // the application's own loop ends too
            }
            break;
        }
        if (!PressFocusedButton(msg) && !::IsDialogMessageW(Handle(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_modal = false;
    // The owner is enabled before the form hides, so that it gets the activation back.
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        reenable.Dismiss();
    }
    if (Handle() != nullptr) {
        ::ShowWindow(Handle(), SW_HIDE);
    }
    return m_modalResult;
}

bool Form::PressFocusedButton(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) {
        return false;
    }
    // Enter, from the main keyboard or the keypad, presses the focused push button, as in every
    // dialog. IsDialogMessage would send IDOK instead, which the form's buttons need not be.
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(Handle(), focus) || !::IsWindowEnabled(focus) ||
        (::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) {
        return false;
    }
    ::SendMessageW(::GetParent(focus), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                   reinterpret_cast<LPARAM>(focus));
    return true;
}

void Form::EndModal(int result) {
    m_modalResult = result;
    m_modal = false;
}

void Form::SetTextColour(int id, COLORREF colour) {
    m_textColours[id] = colour;
    ::InvalidateRect(Control(id), nullptr, TRUE);
}

COLORREF Form::TextColour(int id) const {
    const auto found = m_textColours.find(id);
    return found == m_textColours.end() ? kDefaultColour : found->second;
}

void Form::ApplyCloseAction(TCloseAction action) {
    switch (action) {
        case caNone:
            return;
        case caMinimize:
            ::ShowWindow(Handle(), SW_MINIMIZE);
            return;
        case caHide:
        case caFree:
            if (m_modal) {
                EndModal(IDCANCEL);
            } else {
                // The main form: the window stays until the loop has ended; the application destroys it then.
                Application::Instance().Terminate();
            }
            return;
    }
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
        }
        if (batch != nullptr) {
            batch = ::DeferWindowPos(batch, placed.hwnd, nullptr, x, y, width, b.height, flags);
        }
    }
    if (batch != nullptr) {
        ::EndDeferWindowPos(batch);
    }
    if (offset.x != m_laidOutOffset.x || offset.y != m_laidOutOffset.y) {
        m_laidOutOffset = offset;
        // Moved group boxes do not paint their inside, and the system copies what they showed
        // to their new place: everything is painted again, as in a window just opened.
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

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

void Form::OnClose() {
    TCloseAction action = caHide;
    FormClose(action);
    ApplyCloseAction(action);
}

}  // namespace framework
