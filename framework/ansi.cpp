// Conversions between the system's ANSI code page and UTF-16.
#include "framework/ansi.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <new>

#include "framework/error.h"

namespace framework {

std::wstring AnsiToWide(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    if (ansi.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    const int size = static_cast<int>(ansi.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return wide;
}

namespace {

// Only called once a conversion has lost something: finds where, for the message.
[[noreturn]] void RaiseUnrepresentable(std::wstring_view wide, std::string_view converted) {
    const std::wstring back = AnsiToWide(converted);
    size_t at = 0;
    while (at < wide.size() && at < back.size() && wide[at] == back[at]) {
        ++at;
    }
    at = std::min(at, wide.size() - 1);
    const bool pair = IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() && IS_LOW_SURROGATE(wide[at + 1]);
    const std::wstring character(wide.substr(at, pair ? 2 : 1));
    const size_t line = 1 + static_cast<size_t>(std::count(wide.begin(), wide.begin() + at, L'\n'));
    throw Error(L"Le texte contient « " + character + L" » (ligne " + std::to_wstring(line) +
                L"), un caractère que la page de code du système ne peut pas enregistrer");
}

}  // namespace

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    if (wide.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    const int size = static_cast<int>(wide.size());
    // A UTF-8 system code page takes every character and refuses the loss report.
    const bool utf8 = ::GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* lossReport = utf8 ? nullptr : &lossy;
    const int length = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, lossReport);
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, ansi.data(), length, nullptr, lossReport);
    if (lossy) {
        RaiseUnrepresentable(wide, ansi);
    }
    return ansi;
}

}  // namespace framework
