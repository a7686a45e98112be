// The main window as it is built: every control's place, class, settings and text, the
// tool bar, the status bar, the menu, scroll bars and the display's resolution.
// Run with `--dpi N`, the program runs its tests again in a child process that sees a
// display of N dots per inch (Wine reads it from the registry at process start).
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "framework/dpi_scale.h"
#include "main_window/form1.h"
#include "main_window/form1_ids.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_driver.h"
#include "tests/support/window_probe.h"

namespace talvorine {
namespace {

constexpr COLORREF kPurple = 0x00800080;
constexpr COLORREF kBlack = 0x00000000;

using e2e::ClassNameOf;
using e2e::Narrow;
using wintest::FontOf;
using wintest::PlaceOf;
using wintest::Pump;
using wintest::Rect;
using wintest::TextExtent;
using wintest::TextOf;

LONG StyleOf(HWND window) { return ::GetWindowLongW(window, GWL_STYLE); }

// The text colour the control's parent gives it, asked the way the system asks.
COLORREF TextColourOf(HWND control) {
    HDC dc = ::GetDC(control);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SendMessageW(::GetParent(control), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control));
    const COLORREF colour = ::GetTextColor(dc);
    ::ReleaseDC(control, dc);
    return colour;
}

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The part of a control that the window's client area shows, in screen coordinates.
RECT ShownPart(HWND control, HWND main) {
    RECT shown{};
    ::GetWindowRect(control, &shown);
    for (HWND parent = ::GetParent(control); parent != nullptr; parent = ::GetParent(parent)) {
        RECT client{};
        ::GetClientRect(parent, &client);
        ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        ::IntersectRect(&shown, &shown, &client);
        if (parent == main) {
            break;
        }
    }
    return shown;
}

// The control is shown and the screen draws it: a control with a frame, text or glyphs has
// several colours where a window drawn blank has one (and a caret).
void ExpectDrawnOnScreen(const wintest::ScreenPicture& picture, HWND main, HWND control) {
    EXPECT_TRUE(::IsWindowVisible(control));
    RECT shown = ShownPart(control, main);
    ::IntersectRect(&shown, &shown, &picture.area);
    ASSERT_FALSE(::IsRectEmpty(&shown)) << "out of the client area";
    std::set<COLORREF> colours;
    for (int y = shown.top; y < shown.bottom; ++y) {
        for (int x = shown.left; x < shown.right; ++x) {
            colours.insert(picture.At(x - picture.area.left, y - picture.area.top));
        }
    }
    EXPECT_GE(colours.size(), 3u) << "drawn blank";
}

class Form1Window : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* expected = _wgetenv(L"TALVORINE_EXPECT_DPI");
        m_dpi = ScreenDpi();
        if (expected != nullptr) {
            // A run at another resolution that got the usual one would prove nothing.
            ASSERT_EQ(m_dpi, _wtoi(expected));
        }
        m_form = std::make_unique<TForm1>();
        m_form->Show();
        Pump();
        m_main = m_form->Handle();
    }

    void TearDown() override {
        m_form.reset();
        Pump();
    }

    HWND Control(int id) const { return m_form->Control(id); }

    // A 96-dpi place of the layout as it must show on this display.
    Rect Scaled(const Rect& design) const {
        const framework::LayoutScale scale(m_textHeight());
        return {scale(design.left), scale(design.top), scale.Extent(design.left, design.width),
                scale.Extent(design.top, design.height)};
    }

    // The text height of the window's font as the display draws it: 13 at 96 dpi.
    int m_textHeight() const { return TextExtent(Control(kIdMemo1), L"0").cy; }

    Rect Client() const {
        RECT r{};
        ::GetClientRect(m_main, &r);
        return {0, 0, r.right, r.bottom};
    }

    int m_dpi = 96;
    std::unique_ptr<TForm1> m_form;
    HWND m_main = nullptr;
};

TEST_F(Form1Window, TheWindowItself) {
    RECT outer{};
    ::GetWindowRect(m_main, &outer);
    // The outer size is the same at every resolution, and the window starts centred.
    EXPECT_EQ(outer.right - outer.left, 465);
    EXPECT_EQ(outer.bottom - outer.top, 353);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 465) / 2);
    EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 353) / 2);
    EXPECT_EQ(TextOf(m_main), L"Talvorine 1.0 - Shell pour BRCC32");
    const LONG style = StyleOf(m_main);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(::GetClassLongPtrW(m_main, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    EXPECT_NE(::GetClassLongPtrW(m_main, GCLP_HICON), 0u);
    EXPECT_EQ(::GetFocus(), Control(kIdMemo1));

    const LOGFONTW font = FontOf(Control(kIdMemo1));
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfHeight, framework::MulDivRound(-11, m_dpi, 96));
    if (m_dpi == 96) {
        EXPECT_EQ(m_textHeight(), 13) << "Tahoma is missing from the prefix";
    }

    // No way to maximise it: the system menu's command (also what the caption's double-click
    // and the keyboard send) and the double-click itself.
    ::SendMessageW(m_main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ::SendMessageW(m_main, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
    Pump();
    EXPECT_FALSE(::IsZoomed(m_main));
    RECT after{};
    ::GetWindowRect(m_main, &after);
    EXPECT_EQ(after.right - after.left, 465);
}

struct ExpectedControl {
    int id;
    int parentId;  // 0: the window
    Rect place;    // at 96 dpi, as the design gives it
    const wchar_t* className;
    const wchar_t* text;
};

TEST_F(Form1Window, EveryControlAtItsPlaceWithItsClassAndText) {
    const ExpectedControl expected[] = {
        {kIdGroupBox1, 0, {8, 40, 441, 153}, L"Button", L"Création de Fichier .rc : "},
        {kIdMemo1, kIdGroupBox1, {16, 48, 409, 89}, L"Edit", L""},
        {kIdGroupBox2, 0, {8, 200, 169, 65}, L"Button", L"Nom fichier .rc : "},
        {kIdEdit1, kIdGroupBox2, {16, 28, 137, 21}, L"Edit", L""},
        {kIdControlBar1, 0, {0, 0, 457, 28}, L"TControlBar", L""},
        {kIdToolBar1, kIdControlBar1, {11, 2, 444, 24}, L"ToolbarWindow32", L""},
        {kIdGroupBox3, 0, {184, 200, 265, 65}, L"Button", L"Opération : "},
        {kIdLabel2, kIdGroupBox3, {16, 32, 233, 13}, L"Static", L"Créez ou ouvrez un fichier .rc !"},
    };
    for (const ExpectedControl& e : expected) {
        HWND control = Control(e.id);
        SCOPED_TRACE(Narrow(e.className) + " " + std::to_string(e.id));
        EXPECT_EQ(::GetParent(control), e.parentId == 0 ? m_main : Control(e.parentId));
        Rect place = Scaled(e.place);
        if (e.id == kIdControlBar1) {
            place.width = Client().width;  // docked: spans the client area
        }
        EXPECT_EQ(PlaceOf(control), place);
        EXPECT_EQ(ClassNameOf(control), e.className);
        EXPECT_EQ(TextOf(control), e.text);
    }

    // The hint label takes the size of its text, in purple; the status label is centred, in black.
    HWND label1 = Control(kIdLabel1);
    const std::wstring hint = L"NOM LOGICIEL TYPE_RESSOURCE \"NOM_DE_RESSOURCE.EXTENSION_RESSOURCE\"";
    EXPECT_EQ(hint.size(), 66u);
    EXPECT_EQ(TextOf(label1), hint);
    const SIZE extent = TextExtent(label1, hint);
    EXPECT_EQ(PlaceOf(label1), (Rect{Scaled({16, 24, 0, 0}).left, Scaled({16, 24, 0, 0}).top, extent.cx, extent.cy}));
    EXPECT_EQ(TextColourOf(label1), kPurple);
    EXPECT_EQ(TextColourOf(Control(kIdLabel2)), kBlack);
    EXPECT_EQ(StyleOf(Control(kIdLabel2)) & SS_TYPEMASK, SS_CENTER);
    EXPECT_EQ(FontOf(label1).lfHeight, framework::LayoutScale(m_textHeight())(-11));

    // The memo: always a vertical scroll bar, never a horizontal one, lines wrap, Enter breaks them.
    const LONG memo = StyleOf(Control(kIdMemo1));
    EXPECT_TRUE(memo & ES_MULTILINE);
    EXPECT_TRUE(memo & WS_VSCROLL);
    EXPECT_TRUE(memo & ES_WANTRETURN);
    EXPECT_FALSE(memo & WS_HSCROLL);
    EXPECT_FALSE(memo & ES_AUTOHSCROLL);
    EXPECT_GT(static_cast<DWORD>(::SendMessageW(Control(kIdMemo1), EM_GETLIMITTEXT, 0, 0)), 65536u);
    EXPECT_TRUE(StyleOf(Control(kIdEdit1)) & ES_READONLY);

    // The memo is the only tab stop.
    std::vector<HWND> tabStops;
    ::EnumChildWindows(
        m_main,
        [](HWND child, LPARAM list) -> BOOL CALLBACK {
            if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tabStops));
    EXPECT_EQ(tabStops, std::vector<HWND>{Control(kIdMemo1)});
}

TEST_F(Form1Window, StatusBarIsOnePanelDockedAtTheBottom) {
    HWND status = Control(kIdStatusBar1);
    EXPECT_EQ(ClassNameOf(status), L"msctls_statusbar32");
    EXPECT_TRUE(StyleOf(status) & SBARS_SIZEGRIP);
    const Rect client = Client();
    const int height = Scaled({0, 0, 0, 19}).height;
    EXPECT_EQ(PlaceOf(status), (Rect{0, client.height - height, client.width, height}));
    int parts[4] = {};
    EXPECT_EQ(::SendMessageW(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 1);
    EXPECT_EQ(parts[0], -1);  // reaches the bar's right end
    wchar_t notice[128] = {};
    ::SendMessageW(status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(notice));
    EXPECT_NE(std::wstring(notice).find(L"Talvorine"), std::wstring::npos);
}

TEST_F(Form1Window, ToolBarButtonsSeparatorsAndGlyphs) {
    struct Button {
        int left;
        bool separator;
        int glyph;
        int command;
        bool enabled;
    };
    const Button expected[] = {
        {0, false, 0, kCmdNouveau, true}, {23, false, 1, kCmdOuvrir, true},    {46, false, 2, kCmdEnregistrer, true},
        {69, true, 0, 0, true},           {77, false, 3, kCmdCompiler, false}, {100, true, 0, 0, true},
        {108, false, 4, kCmdAide, true},  {131, false, 5, kCmdQuitter, true},
    };
    HWND toolBar = Control(kIdToolBar1);
    ASSERT_EQ(::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0), 8);
    int left = 0;
    int designLeft = 0;
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const Button& e = expected[i];
        TBBUTTON button{};
        ::SendMessageW(toolBar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        RECT r{};
        ::SendMessageW(toolBar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        // The bar lines its buttons up one after the other, each of its scaled width; their
        // top margin is the bar's own, 2 at any resolution.
        const framework::LayoutScale scale(m_textHeight());
        EXPECT_EQ(r.left, left);
        EXPECT_EQ(r.right - r.left, scale(e.separator ? 8 : 23));
        EXPECT_EQ(e.left, designLeft);
        designLeft += e.separator ? 8 : 23;
        left += scale(e.separator ? 8 : 23);
        EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, e.separator);
        if (!e.separator) {
            EXPECT_EQ(r.top, 2);
            EXPECT_EQ(r.bottom - r.top, scale(22));
            EXPECT_EQ(button.iBitmap, e.glyph);
            EXPECT_EQ(button.idCommand, e.command);
            EXPECT_EQ((button.fsState & TBSTATE_ENABLED) != 0, e.enabled);
            EXPECT_EQ(button.fsStyle & (BTNS_CHECK | BTNS_DROPDOWN | BTNS_SHOWTEXT), 0);
        }
    }
    EXPECT_EQ(::SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0), 0);
    EXPECT_FALSE(StyleOf(toolBar) & TBSTYLE_TOOLTIPS);
    // Flat with visual styles, raised without; this prefix has no theme.
    EXPECT_FALSE(StyleOf(toolBar) & TBSTYLE_FLAT);
    auto* images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolBar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(images), 6);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    // The menu's Compile item is disabled with the button.
    EXPECT_TRUE(::GetMenuState(::GetMenu(m_main), kCmdCompiler, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(Form1Window, MenuAsDesigned) {
    HMENU bar = ::GetMenu(m_main);
    ASSERT_EQ(::GetMenuItemCount(bar), 2);
    const std::vector<std::wstring> fichier = {L"&Nouveau", L"&Ouvrir", L"&Enregister sous...", L"", L"&Compiler",
                                               L"",         L"&Quitter"};
    const std::vector<std::wstring> aide = {L"&Rubriques de l'aide", L"", L"A &propos de..."};
    const std::wstring titles[] = {L"&Fichier", L"&Aide"};
    for (int m = 0; m < 2; ++m) {
        wchar_t text[64] = {};
        ::GetMenuStringW(bar, m, text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), titles[m]);
        HMENU sub = ::GetSubMenu(bar, m);
        const auto& items = m == 0 ? fichier : aide;
        ASSERT_EQ(::GetMenuItemCount(sub), static_cast<int>(items.size()));
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            ::GetMenuStringW(sub, i, text, 64, MF_BYPOSITION);
            EXPECT_EQ(std::wstring(text), items[i]);
            const bool separator = items[i].empty();
            EXPECT_EQ((::GetMenuState(sub, i, MF_BYPOSITION) & MF_SEPARATOR) != 0, separator);
        }
    }
}

TEST_F(Form1Window, ScrollBarsComeWithASmallWindowAndGoWithALargeOne) {
    HWND group2 = Control(kIdGroupBox2);
    HWND bar = Control(kIdControlBar1);
    HWND status = Control(kIdStatusBar1);
    const Rect group2AtStart = Scaled({8, 200, 169, 65});

    ::SetWindowPos(m_main, nullptr, 0, 0, 300, 220, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(StyleOf(m_main) & WS_VSCROLL);
    EXPECT_TRUE(StyleOf(m_main) & WS_HSCROLL);
    Pump();
    const wintest::ScreenPicture small =
        wintest::SaveScreenshot(m_main, L"main-window-small-" + std::to_wstring(m_dpi));
    for (int id : {kIdControlBar1, kIdGroupBox1, kIdStatusBar1}) {
        SCOPED_TRACE(id);
        ExpectDrawnOnScreen(small, m_main, Control(id));
    }

    ::SendMessageW(m_main, WM_VSCROLL, SB_LINEDOWN, 0);
    ::SendMessageW(m_main, WM_HSCROLL, SB_LINEDOWN, 0);
    Pump();
    SCROLLINFO v{sizeof(v), SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_main, SB_VERT, &v);
    SCROLLINFO h{sizeof(h), SIF_POS, 0, 0, 0, 0, 0};
    ::GetScrollInfo(m_main, SB_HORZ, &h);
    EXPECT_GT(v.nPos, 0);
    EXPECT_GT(h.nPos, 0);
    EXPECT_EQ(PlaceOf(group2), (Rect{group2AtStart.left - h.nPos, group2AtStart.top - v.nPos, group2AtStart.width,
                                     group2AtStart.height}));
    // The docked bars stay at their edges, across the whole width.
    const Rect client = Client();
    EXPECT_EQ(PlaceOf(bar).top, 0);
    EXPECT_EQ(PlaceOf(bar).left, 0);
    EXPECT_EQ(PlaceOf(bar).width, client.width);
    EXPECT_EQ(PlaceOf(status).top + PlaceOf(status).height, client.height);
    EXPECT_EQ(PlaceOf(status).width, client.width);

    // The wheel scrolls down, and back up.
    ::SendMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    ::GetScrollInfo(m_main, SB_VERT, &v);
    const int afterWheel = v.nPos;
    EXPECT_GT(afterWheel, 0);
    EXPECT_EQ(PlaceOf(group2).top, group2AtStart.top - afterWheel);
    ::SendMessageW(m_main, WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(PlaceOf(group2).top, group2AtStart.top);

    ::SetWindowPos(m_main, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_FALSE(StyleOf(m_main) & WS_VSCROLL);
    EXPECT_FALSE(StyleOf(m_main) & WS_HSCROLL);
    EXPECT_EQ(PlaceOf(group2), group2AtStart);
    EXPECT_EQ(PlaceOf(bar).width, Client().width);
    EXPECT_EQ(PlaceOf(status).width, Client().width);
    int parts[2] = {};
    ::SendMessageW(status, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    EXPECT_EQ(parts[0], -1);
}

TEST_F(Form1Window, TheBandMovesAlongItsRowByItsHandleOnly) {
    HWND bar = Control(kIdControlBar1);
    HWND toolBar = Control(kIdToolBar1);
    const Rect start = PlaceOf(toolBar);
    const auto drag = [&](int fromX, int toX) {
        const int y = start.top + start.height / 2;
        ::SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, y));
        ::SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, y));
        ::SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(toX, y));
        Pump();
    };
    // Grabbed on its handle, left of the tool bar, it follows the mouse along the row.
    ::SetWindowPos(m_main, nullptr, 0, 0, 900, 353, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    drag(start.left - 5, start.left + 95);
    EXPECT_EQ(PlaceOf(toolBar), (Rect{start.left + 100, start.top, start.width, start.height}));
    // Not past the container's ends, and never out of its row.
    drag(start.left + 95, -500);
    EXPECT_EQ(PlaceOf(toolBar), start);
    drag(start.left - 5, 5000);
    EXPECT_EQ(PlaceOf(toolBar).left + start.width, PlaceOf(bar).width);
    EXPECT_EQ(PlaceOf(toolBar).top, start.top);
    EXPECT_EQ(::GetParent(toolBar), bar);
    // A press beside the handle moves nothing.
    const Rect before = PlaceOf(toolBar);
    drag(before.left + before.width + 5, 0);
    EXPECT_EQ(PlaceOf(toolBar), before);
}

// What a person sees: the bars, the tool bar and the script group box drawn on screen, the
// hint in purple.
TEST_F(Form1Window, TheScreenShowsTheControls) {
    Pump();
    const wintest::ScreenPicture picture = wintest::SaveScreenshot(m_main, L"main-window-" + std::to_wstring(m_dpi));
    for (int id : {kIdControlBar1, kIdToolBar1, kIdGroupBox1, kIdMemo1, kIdStatusBar1}) {
        SCOPED_TRACE(id);
        ExpectDrawnOnScreen(picture, m_main, Control(id));
    }
    RECT hint = ShownPart(Control(kIdLabel1), m_main);
    int purple = 0;
    for (int y = hint.top; y < hint.bottom; ++y) {
        for (int x = hint.left; x < hint.right; ++x) {
            purple += picture.At(x - picture.area.left, y - picture.area.top) == kPurple;
        }
    }
    EXPECT_GT(purple, 0);
}

// Runs this program again, its tests seeing a display of `dpi` dots per inch.
int RunAtDpi(int dpi, int argc, char** argv) {
    struct Value {
        HKEY root;
        const wchar_t* key;
    };
    const Value values[] = {{HKEY_CURRENT_USER, L"Control Panel\\Desktop"}, {HKEY_CURRENT_CONFIG, L"Software\\Fonts"}};
    std::vector<std::optional<DWORD>> former;
    for (const Value& v : values) {
        HKEY key = nullptr;
        DWORD old = 0, size = sizeof(old);
        ::RegCreateKeyExW(v.root, v.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        former.push_back(::RegQueryValueExW(key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old),
                                            &size) == ERROR_SUCCESS
                             ? std::optional<DWORD>(old)
                             : std::nullopt);
        const DWORD value = static_cast<DWORD>(dpi);
        ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        ::RegCloseKey(key);
    }
    std::wstring commandLine = L"\"";
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    commandLine += self;
    commandLine += L"\"";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dpi") {
            ++i;
            continue;
        }
        commandLine += L" " + std::wstring(arg.begin(), arg.end());
    }
    ::SetEnvironmentVariableW(L"TALVORINE_EXPECT_DPI", std::to_wstring(dpi).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    DWORD exitCode = 1;
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (size_t i = 0; i < std::size(values); ++i) {
        HKEY key = nullptr;
        ::RegOpenKeyExW(values[i].root, values[i].key, 0, KEY_ALL_ACCESS, &key);
        if (former[i]) {
            const DWORD old = *former[i];
            ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old), sizeof(old));
        } else {
            ::RegDeleteValueW(key, L"LogPixels");
        }
        ::RegCloseKey(key);
    }
    return static_cast<int>(exitCode);
}

}  // namespace
}  // namespace talvorine

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--dpi") {
            return talvorine::RunAtDpi(std::atoi(argv[i + 1]), argc, argv);
        }
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
