// The base of the program's forms: building a form from its table, and its controls' fonts, texts and colours.
#include "framework/form.h"

#include <algorithm>

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

void Form::SetTextColour(int id, COLORREF colour) {
    m_textColours[id] = colour;
    ::InvalidateRect(Control(id), nullptr, TRUE);
}

COLORREF Form::TextColour(int id) const {
    const auto found = m_textColours.find(id);
    return found == m_textColours.end() ? kDefaultColour : found->second;
}

}  // namespace framework
