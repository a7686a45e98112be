// File names and the command line that Compile hands to the resource compiler.
#include "main_window/compile_command.h"

namespace talvorine {

std::wstring BareName(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\:");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring FolderOf(std::wstring_view path) {
    const size_t cut = path.find_last_of(L'\\');
    return cut == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, cut + 1));
}

std::wstring CompileCommandLine(std::wstring_view bareName) {
    std::wstring line = L"brcc32 ";
    if (bareName.find(L' ') != std::wstring_view::npos) {
        line += L'"';
        line += bareName;
        line += L'"';
    } else {
        line += bareName;
    }
    return line;
}

}  // namespace talvorine
