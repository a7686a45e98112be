// Byte identity with llvm-rc run with its C preprocessor and the MinGW-w64 headers: the fixture every family of
// scripts shares, a folder with the files the scripts name.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {

class PreprocessedIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("app.ico",
                       MakeIconFile({{MakeDibImage(32, 32, 8), 32, 32, 8}, {MakePngImage(48, 48), 48, 48, 32}}));
        m_folder.Write("page.htm", std::string("<html>hello</html>"));
        m_folder.Write("app.manifest", std::string("<assembly/>\n"));
        // A resource.h as IDEs write it, with C declarations that only a C compiler reads.
        m_folder.Write("resource.h", std::string("#pragma once\n#ifndef RESOURCE_H\n#define RESOURCE_H\n"
                                                 "#define IDS_TITLE   101\n#define IDS_HELLO 102\n"
                                                 "#define IDR_DATA    200 /* data */\n"
                                                 "typedef struct { int x; } Point;\nint Compute(const char* s);\n"
                                                 "#endif\n"));
        m_folder.Write("include/shared.rh", std::string("#define SHARED_ID 7\n7 RCDATA { \"from the .rh\" }\n"));
    }

    // Ours without any include folder (the Windows headers built in) against llvm-rc with the MinGW-w64 headers.
    // llvm-rc does not read #pragma code_page: a script with one is given its code page by /C.
    void ExpectIdentical(const std::string& script, const std::string& llvmArguments = "") {
        ExpectIdenticalTo(script, script, llvmArguments);
    }

    // Ours on `script` against llvm-rc on `theirs`: the same resources, in a form llvm-rc reads.
    void ExpectIdenticalTo(const std::string& script, const std::string& theirs,
                           const std::string& llvmArguments = "") {
        m_folder.Write("ours.rc", script);
        m_folder.Write("theirs.rc", theirs);
        ExpectSameRes(m_folder, script,
                      [&] { return RunLlvmRcPreprocessed(m_folder.Path(), "theirs.rc", "theirs.res", llvmArguments); });
    }

    TestFolder m_folder;
};

}  // namespace brcc::test
