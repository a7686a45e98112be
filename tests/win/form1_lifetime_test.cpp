// The main window's end: its destroy event, with the help windows it closes.
#include "tests/win/form1_window_fixture.h"

namespace talvorine {
namespace {

int g_closeAllCalls = 0;

HWND WINAPI CountCloseAll(HWND, LPCSTR, UINT command, DWORD_PTR) {
    g_closeAllCalls += command == hh::HH_CLOSE_ALL ? 1 : 0;
    return nullptr;
}

// The destroy event closes the help windows; it runs once however the form goes, here with the
// object that holds it.
TEST(Form1Lifetime, TheDestroyEventRunsOnceWhenTheFormGoesWithItsHolder) {
    struct Holder {
        framework::Whole<TForm1> form1;
    };
    const hh::THtmlHelpA bound = hh::HtmlHelp;
    hh::HtmlHelp = &CountCloseAll;
    g_closeAllCalls = 0;
    {
        Holder holder;
        holder.form1.Show();
        Pump();
    }
    Pump();
    hh::HtmlHelp = bound;
    EXPECT_EQ(g_closeAllCalls, 1);
}

}  // namespace
}  // namespace talvorine
