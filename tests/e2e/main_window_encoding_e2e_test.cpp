// The main window end to end: the encoding row the Open and Save As dialogs add.
#include "tests/e2e/main_window_fixture.h"

namespace talvorine::e2e {
namespace {

// --- the encoding row of both dialogs ---

constexpr int kEncodingLabel = 1300;
constexpr int kEncodingList = 1301;
constexpr int kFileTypeLabel = 0x0441;  // stc2
constexpr int kFileTypeList = 0x0470;   // cmb1

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::vector<std::wstring> ListEntries(HWND combo) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        entry.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

// The row's label lines up with the file-type label, its list with the file-type list.
void ExpectEncodingRowAligned(HWND dialog) {
    HWND label = FindDescendantById(dialog, kEncodingLabel);
    HWND list = FindDescendantById(dialog, kEncodingList);
    const RECT typeLabel = ScreenRect(FindDescendantById(dialog, kFileTypeLabel));
    const RECT typeList = ScreenRect(FindDescendantById(dialog, kFileTypeList));
    EXPECT_TRUE(WaitUntil(
        [&] {
            const RECT l = ScreenRect(list);
            const RECT t = ScreenRect(FindDescendantById(dialog, kFileTypeList));
            return l.left == t.left && l.right == t.right;
        },
        3000))
        << "list " << ScreenRect(list).left << ".." << ScreenRect(list).right << ", file types " << typeList.left
        << ".." << typeList.right;
    const RECT l = ScreenRect(label);
    EXPECT_EQ(l.left, typeLabel.left);
    EXPECT_EQ(l.right - l.left, 90);
    EXPECT_EQ(l.bottom - l.top, 21);
    // The row lies beneath the dialog's own controls, its label 2 below the row's top.
    EXPECT_GT(ScreenRect(list).top, typeList.top);
    EXPECT_EQ(l.top, ScreenRect(list).top + 2);
}

TEST_F(MainWindowTest, EachDialogHasItsEncodingRowAndRemembersItsOwnChoice) {
    const std::vector<std::wstring> entries = {L"ANSI",  L"ASCII", L"Unicode", L"Big Endian Unicode",
                                               L"UTF-8", L"UTF-7"};
    struct Step {
        CommandId command;
        const wchar_t* title;
        int selectedAtOpening;
        int choose;  // -1: keep
    };
    // Open: UTF-8 chosen then cancelled; Save As: still ANSI, Unicode chosen; Open again: UTF-8.
    const Step steps[] = {{kCmdOuvrir, kOpenTitle, 0, 4},
                          {kCmdEnregistrer, kSaveTitle, 0, 2},
                          {kCmdOuvrir, kOpenTitle, 4, -1},
                          {kCmdEnregistrer, kSaveTitle, 2, -1}};
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step);
        FileDialog dialog = WaitForDialog(s.command, s.title);
        HWND list = FindDescendantById(dialog.Window(), kEncodingList);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ReadText(FindDescendantById(dialog.Window(), kEncodingLabel)), L"Encodage :");
        EXPECT_EQ(ClassNameOf(list), L"ComboBox");
        EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);  // choose only, no typing
        EXPECT_EQ(ListEntries(list), entries);
        EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), s.selectedAtOpening);
        ExpectEncodingRowAligned(dialog.Window());
        if (step < 2) {
            wintest::SaveScreenshot(dialog.Window(), s.command == kCmdOuvrir ? L"open-dialog" : L"save-dialog");
            // Wider: the list follows the file-type list.
            const RECT r = ScreenRect(dialog.Window());
            SetWindowPos(dialog.Window(), nullptr, 0, 0, r.right - r.left + 140, r.bottom - r.top + 40,
                         SWP_NOMOVE | SWP_NOZORDER);
            ExpectEncodingRowAligned(dialog.Window());
        }
        if (s.choose >= 0) {
            SendMessageW(list, CB_SETCURSEL, s.choose, 0);
        }
        if (s.command == kCmdEnregistrer && s.choose >= 0) {
            // The choice changes nothing in what is written.
            Type(L"A RCDATA \"é.bin\"");
            const fs::path target = m_workFolder / L"encoded.rc";
            ASSERT_TRUE(dialog.ChooseFile(target.wstring()));
            ASSERT_TRUE(WaitForText(m_label2, kSavedStatus));
            EXPECT_EQ(ReadBytes(target), "A RCDATA \"\xE9.bin\"");
        } else {
            dialog.Cancel();
            ASSERT_TRUE(dialog.WaitClosed());
        }
        ++step;
    }
}

}  // namespace
}  // namespace talvorine::e2e
