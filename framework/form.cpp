// The base of the program's forms.
#include "framework/form.h"

#include <algorithm>

#include "framework/application.h"
#include "framework/control_bar.h"
#include "framework/error.h"
#include "framework/error_box.h"

namespace framework {
namespace {

// One line of scrolling, in pixels; a page is the client area.
constexpr int kScrollLine = 8;

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
    // The window and its controls go before the fonts they use.
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

    // Centred on the screen at its first show.
    const DWORD style = m_design.style | (m_design.autoScroll ? WS_HSCROLL | WS_VSCROLL : 0);
    const bool hasMenu = static_cast<bool>(menu);
    const RECT outer =
        CentredOuterRect(m_design.width, m_design.height, m_design.clientSize, style, m_design.exStyle, hasMenu);
    Create(m_design.exStyle, m_design.className, m_design.caption, style, outer.left, outer.top,
           outer.right - outer.left, outer.bottom - outer.top, owner, menu.get());
    menu.release();  // the window owns its menu now
    if (m_design.autoScroll) {
        // Shown only while the controls do not fit.
        ::ShowScrollBar(Handle(), SB_BOTH, FALSE);
    }

    CreateFonts(Handle());
    if (m_design.clientSize && !m_scale.IsIdentity()) {
        // A client area given by the table follows the text height like the controls in it.
        const RECT scaled = CentredOuterRect(m_scale(m_design.width), m_scale(m_design.height), true, style,
                                             m_design.exStyle, hasMenu);
        ::SetWindowPos(Handle(), nullptr, scaled.left, scaled.top, scaled.right - scaled.left,
                       scaled.bottom - scaled.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const ControlDesign& entry : m_controls) {
        PlaceControl(entry);
    }
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId != 0 || placed.entry->dock != Dock::None) {
            continue;
        }
        m_rangeX = std::max(m_rangeX, placed.bounds.left + placed.bounds.width);
        m_rangeY = std::max(m_rangeY, placed.bounds.top + placed.bounds.height);
    }
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId == 0 && placed.entry->dock == Dock::Bottom) {
            m_rangeY += placed.bounds.height;  // what lies under a bottom bar is out of sight
        }
        if (placed.entry->parentId == 0 && placed.entry->dock != Dock::None) {
            // Docked bars stay above the controls that scroll beneath them.
            ::SetWindowPos(placed.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    ControlsCreated();
    UpdateScrollBars();
    LayOut();
    RunGuarded([&] { FormCreate(); });
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
    m_font = CreateFontOfHeight(m_design.font.face, FontHeightForDpi(DesignFontHeight(m_design.font.points), ScreenDpi()));
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
        if (!::IsDialogMessageW(Handle(), &msg)) {
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
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_placed.size()));
    for (const Placed& placed : m_placed) {
        if (placed.entry->parentId != 0) {
            continue;
        }
        const Bounds& b = placed.bounds;
        int x = b.left - m_scrollX;
        int y = b.top - m_scrollY;
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
}

void Form::UpdateScrollBars() {
    if (!m_design.autoScroll || m_updatingScrollBars) {
        return;  // a bar shown or hidden below resizes the client area: the outer call finishes the work
    }
    m_updatingScrollBars = true;
    // Showing one bar narrows the room for the other: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        RECT client;
        ::GetClientRect(Handle(), &client);
        bool changed = false;
        for (const auto& [bar, range, extent, position] :
             {std::tuple{SB_HORZ, m_rangeX, static_cast<int>(client.right), &m_scrollX},
              std::tuple{SB_VERT, m_rangeY, static_cast<int>(client.bottom), &m_scrollY}}) {
            const int limit = std::max(0, range - extent);
            const int clamped = std::clamp(*position, 0, limit);
            changed = changed || clamped != *position;
            *position = clamped;
            SCROLLINFO info{sizeof(info),
                            SIF_RANGE | SIF_PAGE | SIF_POS,
                            0,
                            range > 0 ? range - 1 : 0,
                            static_cast<UINT>(std::max(extent, 0)),
                            *position,
                            0};
            ::SetScrollInfo(Handle(), bar, &info, TRUE);
        }
        RECT after;
        ::GetClientRect(Handle(), &after);
        if (!changed && after.right == client.right && after.bottom == client.bottom) {
            break;
        }
    }
    m_updatingScrollBars = false;
}

void Form::ScrollTo(int bar, int position) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    const bool horizontal = bar == SB_HORZ;
    int& current = horizontal ? m_scrollX : m_scrollY;
    const int limit = std::max(
        0, horizontal ? m_rangeX - static_cast<int>(client.right) : m_rangeY - static_cast<int>(client.bottom));
    const int target = std::clamp(position, 0, limit);
    if (target == current) {
        return;
    }
    current = target;
    SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, target, 0};
    ::SetScrollInfo(Handle(), bar, &info, TRUE);
    LayOut();
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void Form::OnScroll(int bar, WORD request) {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(Handle(), bar, &info);
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
            return;
    }
    ScrollTo(bar, position);
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
            if (wParam != SIZE_MINIMIZED) {
                UpdateScrollBars();
                LayOut();
            }
            return 0;
        case WM_HSCROLL:
            if (lParam == 0) {
                OnScroll(SB_HORZ, LOWORD(wParam));
            }
            return 0;
        case WM_VSCROLL:
            if (lParam == 0) {
                OnScroll(SB_VERT, LOWORD(wParam));
            }
            return 0;
        case WM_MOUSEWHEEL: {
            if (!m_design.autoScroll) {
                break;
            }
            UINT lines = 3;
            ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            RECT client;
            ::GetClientRect(Handle(), &client);
            // The wheel scrolls down the form, or across it when it only needs scrolling across.
            const bool vertical = m_rangeY > client.bottom || m_rangeX <= client.right;
            const int step = static_cast<int>(std::min(lines, 100u)) * kScrollLine;
            if (vertical) {
                ScrollTo(SB_VERT, m_scrollY - notches * step);
            } else {
                ScrollTo(SB_HORZ, m_scrollX - notches * step);
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus != nullptr && ::IsChild(Handle(), focus)) {
                    m_lastFocus = focus;
                }
            }
            break;
        case WM_SETFOCUS: {
            HWND target = m_lastFocus != nullptr && ::IsWindow(m_lastFocus) ? m_lastFocus : nullptr;
            if (target == nullptr && m_design.initialFocus != 0 && !m_placed.empty()) {
                target = Control(m_design.initialFocus);
            }
            if (target != nullptr) {
                ::SetFocus(target);
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            // Without a maximise box there is no way to maximise: not by the caption's
            // double-click, the system menu or the keyboard, which all come this way.
            if ((wParam & 0xFFF0) == SC_MAXIMIZE && (m_design.style & WS_MAXIMIZEBOX) == 0) {
                return 0;
            }
            break;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE: {
            TCloseAction action = caHide;
            FormClose(action);
            ApplyCloseAction(action);
            return 0;
        }
        case WM_DESTROY:
            FormDestroy();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace framework
