// A memo's text replaced whole, on a real edit control, and the ANSI conversions around it.
#include <gtest/gtest.h>

#include "framework/ansi.h"
#include "framework/error.h"
#include "framework/handles.h"
#include "framework/layout.h"

namespace {

// An edit control that, like one out of memory, refuses texts longer than a bound.
LRESULT CALLBACK SmallEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR bound) {
    if (message == WM_SETTEXT && wcslen(reinterpret_cast<const wchar_t*>(lParam)) > bound) {
        return FALSE;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

framework::UniqueWindow CreateMemo() {
    return framework::UniqueWindow(::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                                     200, 100, nullptr, nullptr, nullptr, nullptr));
}

}  // namespace

TEST(MemoText, HoldsLargeTextsExactly) {
    framework::UniqueWindow memo = CreateMemo();
    ::SendMessageW(memo.get(), EM_SETLIMITTEXT, 0, 0);
    std::wstring text;
    for (int i = 0; i < 200000; ++i) {
        text += L"LIGNE" + std::to_wstring(i) + L" RCDATA fichier.bin\r\n";
    }
    framework::SetMemoText(memo.get(), text, L"");
    EXPECT_EQ(framework::GetText(memo.get()), text);
}

TEST(MemoText, TextTooLargeRestoresTheFormerTextAndSaysSo) {
    framework::UniqueWindow memo = CreateMemo();
    ::SetWindowSubclass(memo.get(), &SmallEditProc, 1, 16);
    framework::SetMemoText(memo.get(), L"ancien texte", L"");
    try {
        framework::SetMemoText(memo.get(), L"un texte bien trop long pour lui", L"ancien texte");
        FAIL() << "no error";
    } catch (const framework::Error& e) {
        EXPECT_EQ(e.Message(), L"Le texte dépasse la capacité du mémo");
    }
    EXPECT_EQ(framework::GetText(memo.get()), L"ancien texte");
    ::RemoveWindowSubclass(memo.get(), &SmallEditProc, 1);
}

TEST(AnsiText, RoundTripsEveryByteOfTheCodePage) {
    ASSERT_EQ(::GetACP(), 1252u) << "the test prefix runs with the Western code page";
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    const std::wstring wide = framework::AnsiToWide(bytes);
    EXPECT_EQ(wide.substr(0xE9 - 1, 1), L"é");
    EXPECT_EQ(wide.substr(0x80 - 1, 1), L"€");
    EXPECT_EQ(framework::WideToAnsi(wide), bytes);
    EXPECT_EQ(framework::WideToAnsi(L""), "");
}

TEST(AnsiText, ACharacterTheCodePageLacksIsNamedWithItsLineNotWrittenAsALookAlike) {
    const auto messageOf = [](const std::wstring& text) {
        try {
            framework::WideToAnsi(text);
        } catch (const framework::Error& e) {
            return e.Message();
        }
        return std::wstring(L"(no error)");
    };
    // "Ł" has a best-fit "L" in the Western code page, "😀" (a surrogate pair) has nothing.
    EXPECT_EQ(messageOf(L"A ICON a.ico\r\nB ICON \"\u0141.ico\"\r\n"),
              L"Le texte contient « \u0141 » (ligne 2), un caractère que la page de code du système ne peut pas "
              L"enregistrer");
    EXPECT_EQ(messageOf(L"\r\n\r\nx \U0001F600 y"),
              L"Le texte contient « \U0001F600 » (ligne 3), un caractère que la page de code du système ne peut "
              L"pas enregistrer");
    EXPECT_EQ(messageOf(L"\u0141"),
              L"Le texte contient « \u0141 » (ligne 1), un caractère que la page de code du système ne peut pas "
              L"enregistrer");
    EXPECT_EQ(framework::WideToAnsi(L"\u0153uvre \u20AC \u00E9t\u00E9"), "\x9Cuvre \x80 \xE9t\xE9");
}

TEST(AnsiText, DecomposedAccentsAreComposedBeforeTheyAreRefused) {
    // "e" and a combining acute accent, as some systems type or paste "é".
    EXPECT_EQ(framework::WideToAnsi(L"e\u0301t\u00E9 A\u030A"), "\xE9t\xE9 \xC5");
    try {
        framework::WideToAnsi(L"e\u0301\r\nn\u0307");  // "ṅ" has no byte even composed
        FAIL() << "no error";
    } catch (const framework::Error& e) {
        EXPECT_EQ(e.Message(),
                  L"Le texte contient « \u1E45 » (ligne 2), un caractère que la page de code du "
                  L"système ne peut pas enregistrer");
    }
}
