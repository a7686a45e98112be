// The folder part of a path.
#include "framework/file_path.h"

#include <gtest/gtest.h>

TEST(FilePath, FolderKeepsItsTrailingSeparator) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\projets\\app.rc", L"C:\\projets\\"},         {L"C:\\app.rc", L"C:\\"}, {L"app.rc", L""},
        {L"C:\\projets/sous/app.rc", L"C:\\projets/sous/"},  // the system takes a slash too
        {L"\\\\serveur\\part\\", L"\\\\serveur\\part\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(framework::FolderOf(c.path), c.folder) << c.path;
    }
}
