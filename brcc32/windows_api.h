// The Windows API as brcc32.exe's few system calls need it: without the min and max macros, which break the standard
// library's, and without the parts of windows.h that nothing here uses.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
