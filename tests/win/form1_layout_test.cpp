// The main window as it is built: the window, every control's place, class, settings and text, the status bar,
// the tool bar and the menu.
#include "tests/win/form1_window_fixture.h"

namespace talvorine {
namespace {

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

}  // namespace
}  // namespace talvorine
