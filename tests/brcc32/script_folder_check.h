// One check for both builds: the quick way to a script's file names the same file as ScriptFilePath, on Linux and
// under Windows rules (drives, server shares, backslashes, names in UTF-8 or Windows-1252).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string_view>

#include "brcc32/files/input_file.h"

namespace brcc::test {

inline void ExpectScriptFolderAgreesWithScriptFilePath() {
    const char* const folders[] = {
        "", "dir", "dir/", "dir\\", "/", "/abs/dir", "C:", "C:\\dir", "C:/", "\\\\server\\share", "//server/share/"};
    const std::string_view names[] = {"f.bin",
                                      "sub\\f.bin",
                                      "sub/f.bin",
                                      "..\\up\\f.bin",
                                      "\\abs\\f.bin",
                                      "/abs/f.bin",
                                      "C:f.bin",
                                      "D:\\f.bin",
                                      "a:b",
                                      "\\\\server\\share\\f.bin",
                                      "donn\xE9\x65s\\\x80.bin",
                                      "donn\xC3\xA9\x65s\\f.bin",
                                      ""};
    for (const char* folder : folders) {
        const ScriptFolder quick{std::filesystem::path(folder)};
        for (const std::string_view name : names) {
            EXPECT_EQ(quick.NativePath(name), ScriptFilePath(folder, name).native()) << folder << " + " << name;
        }
    }
}

}  // namespace brcc::test
