// File names and the command line that Compile hands to the resource compiler.
#pragma once

#include <string>
#include <string_view>

namespace talvorine {

// The part of a full path after its last backslash or colon.
std::wstring BareName(std::wstring_view path);

// The folder part of a full path: everything up to its last backslash, that backslash
// included ("C:\" for a file at a drive's root); empty when the path has no backslash.
std::wstring FolderOf(std::wstring_view path);

// "brcc32 " and the bare name; a name that holds a blank is quoted, or it would reach
// the compiler as several arguments.
std::wstring CompileCommandLine(std::wstring_view bareName);

}  // namespace talvorine
