// The HTML Help engine, bound at run time: found through the registry, loaded, and its entry points
// held in pointers that stay null while it is absent. Callers check before calling.
#pragma once

#include <windows.h>

#include <string>

#include "help/unit_scope.h"

namespace hh {

using THtmlHelpA = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
using THtmlHelpW = HWND(WINAPI*)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);

inline constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
inline constexpr UINT HH_CLOSE_ALL = 0x0012;

extern HMODULE HHLibHandle;
extern bool HHAutoLoad;
extern THtmlHelpA HtmlHelpA;
extern THtmlHelpW HtmlHelpW;
// What every caller uses: the ANSI entry point, as every text of these units is ANSI.
extern THtmlHelpA HtmlHelp;

// The library's file as registered, or empty when it is not registered or no file is there.
std::string LocateHHLibrary();
void LoadHHLibrary();
void UnloadHHLibrary();

// The unit's start and end; only the outermost pair does the work.
void Initialize();
void Finalize();

// Binds the engine for as long as it lives.
using Unit = help::UnitScope<Initialize, Finalize>;

}  // namespace hh
