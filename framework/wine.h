// Whether the program runs under Wine, where a few system functions differ from Windows' and need working around.
#pragma once

#include <windows.h>

namespace framework {

inline bool RunningUnderWine() {
    static const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

}  // namespace framework
