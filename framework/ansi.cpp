// Conversions between the system's ANSI code page and UTF-16.
#include "framework/ansi.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <new>

#include "framework/error.h"

namespace framework {

namespace {

// Empty when `strict` and the bytes are not valid in the code page.
std::wstring ToWide(UINT codePage, std::string_view bytes, bool strict) {
    if (bytes.empty()) {
        return {};
    }
    if (bytes.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length);
    return wide;
}

// Normalisation form C: "e" and a combining accent become "é", which a code page may hold.
std::wstring Composed(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    int length = ::NormalizeString(NormalizationC, wide.data(), size, nullptr, 0);
    for (int attempt = 0; attempt < 3 && length > 0; ++attempt) {
        std::wstring composed(static_cast<size_t>(length), L'\0');
        length = ::NormalizeString(NormalizationC, wide.data(), size, composed.data(), length);
        if (length > 0) {
            composed.resize(static_cast<size_t>(length));
            return composed;
        }
        // The first answer is an estimate: a negative one is the size actually needed.
        length = ::GetLastError() == ERROR_INSUFFICIENT_BUFFER ? -length : 0;
    }
    return std::wstring(wide);  // not normalisable (a lone surrogate): the caller names what it cannot write
}

struct Conversion {
    std::string ansi;
    bool lossy = false;
};

// The system's conversion; `lossReport`, where given, is set when a character had no byte.
std::string FromWide(std::wstring_view wide, DWORD flags, BOOL* lossReport, UINT codePage = CP_ACP) {
    if (wide.empty()) {
        return {};
    }
    if (wide.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossReport);
    std::string ansi(static_cast<size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, ansi.data(), length, nullptr, lossReport);
    return ansi;
}

Conversion ToAnsi(std::wstring_view wide) {
    // A UTF-8 system code page takes every character and refuses the loss report.
    const bool utf8 = ::GetACP() == CP_UTF8;
    BOOL lossy = FALSE;
    Conversion result{FromWide(wide, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, utf8 ? nullptr : &lossy)};
    result.lossy = lossy != FALSE;
    return result;
}

}  // namespace

std::wstring AnsiToWide(std::string_view ansi) { return ToWide(CP_ACP, ansi, false); }

std::wstring Utf8ToWide(std::string_view utf8) { return ToWide(CP_UTF8, utf8, false); }

std::wstring OutputTextToWide(std::string_view bytes) {
    std::wstring wide = ToWide(CP_UTF8, bytes, true);
    return wide.empty() ? AnsiToWide(bytes) : wide;
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

std::optional<std::string> AnsiForm(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    if (wide.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    Conversion direct = ToAnsi(wide);
    if (!direct.lossy) {
        return std::move(direct.ansi);
    }
    // Text pasted from some systems carries its accents as separate marks; composed, most
    // of them have a byte. Only what still has none is refused.
    std::string().swap(direct.ansi);
    Conversion retried = ToAnsi(Composed(wide));
    if (retried.lossy) {
        return std::nullopt;
    }
    return std::move(retried.ansi);
}

std::string WideToAnsi(std::wstring_view wide) {
    if (std::optional<std::string> ansi = AnsiForm(wide)) {
        return std::move(*ansi);
    }
    const std::wstring composed = Composed(wide);
    RaiseUnrepresentable(composed, ToAnsi(composed).ansi);
}

std::string WideToAnsiLenient(std::wstring_view wide) { return FromWide(wide, 0, nullptr); }

std::string WideToUtf8(std::wstring_view wide) { return FromWide(wide, 0, nullptr, CP_UTF8); }

}  // namespace framework
