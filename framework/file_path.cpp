// The folder part of a file path.
#include "framework/file_path.h"

namespace framework {

std::wstring FolderOf(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, cut + 1));
}

}  // namespace framework
