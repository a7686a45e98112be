// The folder part of a file path, as the system splits it.
#pragma once

#include <string>
#include <string_view>

namespace framework {

// Everything up to the path's last backslash or slash (the system takes both), that separator
// included ("C:\" for a file at a drive's root); empty when the path has neither.
std::wstring FolderOf(std::wstring_view path);

}  // namespace framework
