// Conversions between the system's ANSI code page and UTF-16.
#include "framework/ansi.h"

#include <windows.h>

#include <climits>
#include <new>

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

std::string WideToAnsi(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    if (wide.size() > INT_MAX) {
        throw std::bad_alloc();
    }
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

}  // namespace framework
