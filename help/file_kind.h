// What an ANSI path names on disk, for the help units that take paths as the system's code page gives them.
#pragma once

#include <windows.h>

#include <string>

namespace help {

inline bool NamesKind(const std::string& path, bool directory) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == directory;
}

inline bool IsFile(const std::string& path) { return NamesKind(path, false); }
inline bool IsDirectory(const std::string& path) { return NamesKind(path, true); }

}  // namespace help
