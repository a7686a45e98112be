// Bare names, folders and the compiler's command line.
#include "main_window/compile_command.h"

#include <gtest/gtest.h>

using talvorine::BareName;
using talvorine::CompileCommandLine;
using talvorine::FolderOf;

TEST(CompileCommand, BareNameIsWhatFollowsTheLastBackslashOrColon) {
    EXPECT_EQ(BareName(L"C:\\projets\\mon appli\\app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"C:app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"\\\\serveur\\part\\x.rc"), L"x.rc");
    EXPECT_EQ(BareName(L"app.rc"), L"app.rc");
    EXPECT_EQ(BareName(L"C:\\dossier\\"), L"");
    EXPECT_EQ(BareName(L"C:/a/b.rc"), L"/a/b.rc");  // only backslash and colon separate
}

TEST(CompileCommand, FolderKeepsItsTrailingBackslash) {
    EXPECT_EQ(FolderOf(L"C:\\projets\\app.rc"), L"C:\\projets\\");
    EXPECT_EQ(FolderOf(L"C:\\app.rc"), L"C:\\");
    EXPECT_EQ(FolderOf(L"app.rc"), L"");
}

TEST(CompileCommand, NameIsQuotedOnlyWhenItHoldsABlank) {
    EXPECT_EQ(CompileCommandLine(L"app.rc"), L"brcc32 app.rc");
    EXPECT_EQ(CompileCommandLine(L"mon appli.rc"), L"brcc32 \"mon appli.rc\"");
    EXPECT_EQ(CompileCommandLine(L"été-1.rc"), L"brcc32 été-1.rc");
}
