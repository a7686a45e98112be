// The band container: a strip that holds one band (a tool bar) behind a grab handle, by
// which the user drags the band along its row. The band never leaves the container.
#pragma once

#include <windows.h>

namespace framework {

inline constexpr wchar_t kControlBarClassName[] = L"TControlBar";

void RegisterControlBarClass();
bool IsControlBar(HWND window);

// Makes `child` the container's band. Where the child lies when it is adopted fixes the
// handle's width (its left) and the band's margin in its row (its top).
void AdoptBand(HWND controlBar, HWND child);

}  // namespace framework
