// The folders Debian's mingw-w64 packages and a target's cross gcc install their headers in.
#include "brcc32/cli/system_include_folders.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace brcc {

#ifndef _WIN32
namespace {

const char* Triple(Machine machine) {
    switch (machine) {
        case Machine::kX64:
            return "x86_64-w64-mingw32";
        case Machine::kArm64:
            return "aarch64-w64-mingw32";
        case Machine::kX86:
            break;
    }
    return "i686-w64-mingw32";
}

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

// The folder of the newest gcc version for the target: 12-win32 after 10-posix, 13 after 12-win32.
std::filesystem::path NewestGccFolder(const std::filesystem::path& parent) {
    std::filesystem::path newest;
    int newestVersion = -1;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(parent, error)) {
        const std::string name = entry.path().filename().string();
        const int version = std::atoi(name.c_str());
        if (version > newestVersion || (version == newestVersion && name > newest.filename().string())) {
            newest = entry.path();
            newestVersion = version;
        }
    }
    return newest;
}

}  // namespace
#endif

std::vector<std::filesystem::path> SystemIncludeFolders(Machine machine) {
#ifdef _WIN32
    static_cast<void>(machine);
    return {};
#else
    const std::string triple = Triple(machine);
    std::vector<std::filesystem::path> candidates;
    if (const std::filesystem::path gcc = NewestGccFolder("/usr/lib/gcc/" + triple); !gcc.empty()) {
        candidates.push_back(gcc / "include");
        candidates.push_back(gcc / "include-fixed");
    }
    candidates.push_back("/usr/" + triple + "/include");
    candidates.push_back("/usr/share/mingw-w64/include");
    std::vector<std::filesystem::path> folders;
    for (const std::filesystem::path& folder : candidates) {
        // Debian's /usr/TARGET/include is a link to the shared folder: searching it twice finds nothing new.
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(folder, error);
        if (!error && IsFolder(real) && std::find(folders.begin(), folders.end(), real) == folders.end()) {
            folders.push_back(real);
        }
    }
    return folders;
#endif
}

}  // namespace brcc
