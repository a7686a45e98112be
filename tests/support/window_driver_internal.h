// What the driver's own files share and its users need not see.
#pragma once

#include <windows.h>

#include <string_view>

namespace talvorine::e2e {

// True when the window's class is `className` (any case), or when `className` is empty.
bool ClassIs(HWND window, std::wstring_view className);

}  // namespace talvorine::e2e
