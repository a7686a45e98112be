// The About box opened from the main window's menu, in this process: the main window runs on
// its own GUI thread while the test works it from outside through messages and the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

#include "about/about.h"
#include "about/fabout_ids.h"
#include "framework/application.h"
#include "framework/error_box.h"
#include "main_window/form1.h"
#include "main_window/form1_ids.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_driver.h"
#include "tests/support/window_probe.h"

namespace talvorine {
namespace {

std::atomic<int> g_beeps{0};

BOOL WINAPI CountBeep(UINT) {
    ++g_beeps;
    return TRUE;
}

using e2e::WaitUntil;
using wintest::FontOf;
using wintest::PlaceOf;
using wintest::Rect;
using wintest::TextExtent;
using wintest::TextOf;

// The columns of one client row of the window that show `colour`, as [first, last].
std::pair<int, int> ColumnsOf(HWND window, int y, COLORREF colour) {
    HDC dc = ::GetDC(window);
    RECT client{};
    ::GetClientRect(window, &client);
    int first = -1;
    int last = -1;
    for (int x = 0; x < client.right; ++x) {
        if (::GetPixel(dc, x, y) == colour) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    ::ReleaseDC(window, dc);
    return {first, last};
}

// The program's main window and message loop, on a thread of their own.
class RunningProgram {
public:
    RunningProgram() {
        std::promise<void> ready;
        m_thread = std::thread([&] {
            framework::RunGuarded([&] {
                TForm1 form1;
                m_main = form1.Handle();
                m_threadId = ::GetCurrentThreadId();
                ready.set_value();
                framework::Application::Instance().Run(form1);
            });
        });
        ready.get_future().wait();
    }
    ~RunningProgram() {
        ::PostMessageW(m_main, WM_COMMAND, kCmdQuitter, 0);
        m_thread.join();
    }

    HWND Main() const { return m_main; }
    DWORD ThreadId() const { return m_threadId; }
    GUITHREADINFO Gui() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        ::GetGUIThreadInfo(m_threadId, &info);
        return info;
    }
    // Fichier > A propos de..., as the menu sends it.
    void ChooseAbout() const { ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(kCmdAPropos, 0), 0); }
    HWND WaitForAbout() const {
        HWND dialog = nullptr;
        WaitUntil([&] {
            dialog = ::FindWindowW(kFAboutClassName, nullptr);
            return dialog != nullptr && ::IsWindowVisible(dialog);
        });
        return dialog;
    }
    bool TakesInputAgain() const {
        return WaitUntil([&] { return ::IsWindowEnabled(m_main) && Gui().hwndActive == m_main; });
    }

private:
    std::thread m_thread;
    HWND m_main = nullptr;
    DWORD m_threadId = 0;
};

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        AboutMessageBeep = &CountBeep;
        g_beeps = 0;
    }
    void TearDown() override { AboutMessageBeep = &::MessageBeep; }
};

TEST(AboutBoxTexts, NewBoxHoldsTheDefaultNoticeAndEachTextKeepsItsFirstHundredCharacters) {
    TAboutBox box;
    EXPECT_EQ(box.ProductName(), L"");
    EXPECT_EQ(box.Version(), L"");
    EXPECT_EQ(box.Copyright(), L"© 2026 les développeurs de Talvorine");
    const std::wstring accented = std::wstring(99, L'é') + L"àç";
    box.SetVersion(accented);
    EXPECT_EQ(box.Version(), accented.substr(0, 100));
    box.SetProductName(std::wstring(100, L'x'));
    EXPECT_EQ(box.ProductName(), std::wstring(100, L'x'));
    box.SetCopyright(L"\u4E2D");  // not in the code page: a stand-in, never an error
    EXPECT_EQ(box.Copyright().size(), 1u);
}

TEST_F(AboutBox, OpensFromTheMenuLaidOutAsDesignedAndOkEndsIt) {
    RunningProgram program;
    program.ChooseAbout();
    HWND dialog = program.WaitForAbout();
    ASSERT_NE(dialog, nullptr);

    EXPECT_EQ(TextOf(dialog), L"A propos de...");
    RECT client{};
    ::GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 294);
    EXPECT_EQ(client.bottom, 268);
    RECT outer{};
    ::GetWindowRect(dialog, &outer);
    EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
    const LONG style = ::GetWindowLongW(dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), program.Main());
    EXPECT_FALSE(::IsWindowEnabled(program.Main()));
    EXPECT_EQ(g_beeps, 1);

    struct Expected {
        int id;
        int left, top;
        std::wstring text;  // the labels' sizes follow it
        int fontHeight;
        bool bold;
    };
    const Expected labels[] = {
        {kIdAboutLabel1, 88, 96, L"Talvorine", -13, true},
        {kIdAboutLabel2, 88, 120, L"Version 1.0 - Win9x - WinXP", -11, false},
        {kIdAboutLabel3, 88, 136, L"© 2026 les développeurs de Talvorine", -11, false},
        {kIdLblPhysMem, 86, 173, L"", -11, false},
        {kIdLblPhysRes, 86, 193, L"", -11, false},
    };
    for (const Expected& e : labels) {
        HWND label = ::GetDlgItem(dialog, e.id);
        ASSERT_NE(label, nullptr) << e.id;
        const std::wstring text = TextOf(label);
        if (!e.text.empty()) {
            EXPECT_EQ(text, e.text);
        }
        const SIZE extent = TextExtent(label, text);
        EXPECT_EQ(PlaceOf(label), (Rect{e.left, e.top, extent.cx, extent.cy})) << e.id;
        const LOGFONTW font = FontOf(label);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif") << e.id;
        EXPECT_EQ(font.lfHeight, e.fontHeight) << e.id;
        EXPECT_EQ(font.lfWeight >= FW_BOLD, e.bold) << e.id;
    }
    const std::wstring memory = TextOf(::GetDlgItem(dialog, kIdLblPhysMem));
    EXPECT_EQ(memory.rfind(L"Mémoire physique totale : ", 0), 0u) << "memory line";
    EXPECT_EQ(memory.substr(memory.size() - 3), L" Ko");
    const std::wstring resources = TextOf(::GetDlgItem(dialog, kIdLblPhysRes));
    EXPECT_EQ(resources.rfind(L"Ressources système      : ", 0), 0u) << "resources line";
    EXPECT_EQ(resources.substr(resources.size() - 8), L"% libre.");

    EXPECT_EQ(PlaceOf(::GetDlgItem(dialog, kIdImage1)), (Rect{0, 0, 294, 77}));
    EXPECT_NE(::SendMessageW(::GetDlgItem(dialog, kIdImage1), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    HWND icon = ::GetDlgItem(dialog, kIdFImage);
    EXPECT_EQ(PlaceOf(icon).left, 23);
    EXPECT_EQ(PlaceOf(icon).top, 95);
    EXPECT_NE(::SendMessageW(icon, STM_GETICON, 0, 0), 0);
    HWND button = ::GetDlgItem(dialog, kIdButton1);
    EXPECT_EQ(PlaceOf(button), (Rect{208, 223, 74, 26}));
    EXPECT_EQ(TextOf(button), L"OK");
    EXPECT_EQ(program.Gui().hwndFocus, button);

    // The etched rule: black on dialog row 162, white on row 163, columns 86 to 280, once
    // the lines have settled at their own height.
    EXPECT_TRUE(WaitUntil([&] { return ColumnsOf(dialog, 162, RGB(0, 0, 0)) == std::make_pair(86, 280); }, 5000))
        << ColumnsOf(dialog, 162, RGB(0, 0, 0)).first << ".." << ColumnsOf(dialog, 162, RGB(0, 0, 0)).second;
    EXPECT_EQ(ColumnsOf(dialog, 163, RGB(255, 255, 255)), std::make_pair(86, 280));
    for (int row : {158 + 32, 159 + 32}) {  // where the lines' first paint drew
        EXPECT_EQ(ColumnsOf(dialog, row, RGB(0, 0, 0)), std::make_pair(-1, -1)) << row;
        EXPECT_EQ(ColumnsOf(dialog, row, RGB(255, 255, 255)), std::make_pair(-1, -1)) << row;
    }
    wintest::SaveScreenshot(dialog, L"about-dialog");

    ::PostMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    EXPECT_TRUE(program.TakesInputAgain());
    EXPECT_EQ(g_beeps, 1);
}

TEST_F(AboutBox, CloseBoxEndsItLikeOkAndEachOpeningBuildsAFreshDialogWithOneBeep) {
    RunningProgram program;
    for (int opening = 1; opening <= 2; ++opening) {
        program.ChooseAbout();
        HWND dialog = program.WaitForAbout();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(g_beeps, opening);
        EXPECT_EQ(TextOf(::GetDlgItem(dialog, kIdAboutLabel1)), L"Talvorine");
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);  // what the close box sends
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
        EXPECT_TRUE(program.TakesInputAgain());
    }
    EXPECT_EQ(g_beeps, 2);
}

HHOOK g_refusal = nullptr;

// Refuses to create the About dialog's window, as a system out of resources would.
LRESULT CALLBACK RefuseAboutWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        if (e2e::ClassNameOf(reinterpret_cast<HWND>(wParam)) == kFAboutClassName) {
            return 1;
        }
    }
    return ::CallNextHookEx(g_refusal, code, wParam, lParam);
}

TEST_F(AboutBox, DialogThatCannotBeBuiltBeepsOnceAndShowsNothing) {
    RunningProgram program;
    g_refusal = ::SetWindowsHookExW(WH_CBT, &RefuseAboutWindow, nullptr, program.ThreadId());
    ASSERT_NE(g_refusal, nullptr);
    program.ChooseAbout();
    EXPECT_TRUE(WaitUntil([] { return g_beeps == 1; }));
    ::Sleep(300);  // anything it would show has had its time
    EXPECT_EQ(::FindWindowW(kFAboutClassName, nullptr), nullptr);
    EXPECT_EQ(::FindWindowW(L"#32770", nullptr), nullptr) << "no message box either";
    EXPECT_TRUE(::IsWindowEnabled(program.Main()));
    EXPECT_EQ(g_beeps, 1);
    ::UnhookWindowsHookEx(g_refusal);

    program.ChooseAbout();  // and the next opening works
    HWND dialog = program.WaitForAbout();
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
}

}  // namespace
}  // namespace talvorine
