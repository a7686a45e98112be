// Whole-file reading and the all-or-nothing replacement of a file, on the real file system.
#include "framework/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/error.h"
#include "framework/handles.h"
#include "win_test_support.h"

using framework::Error;
using framework::ReadWholeFile;
using framework::ReplaceWholeFile;
using wintest::ReadBytes;
using wintest::ScratchFolder;
using wintest::WriteBytes;

namespace {

std::wstring MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.Message();
    }
    return L"(no error)";
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) { return text.rfind(prefix, 0) == 0; }

// Stand-ins for WriteFile: the disk fills up after a few bytes, or the write fails outright.
DWORD g_bytesBeforeFull = 0;
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    const DWORD accepted = size < g_bytesBeforeFull ? size : g_bytesBeforeFull;
    g_bytesBeforeFull -= accepted;
    return ::WriteFile(file, data, accepted, written, overlapped);
}
BOOL WINAPI FailingWrite(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) {
    *written = 0;
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

}  // namespace

TEST(ReadWholeFile, ReadsEveryByteIncludingNulsAndLargeFiles) {
    ScratchFolder folder;
    std::string bytes(3 << 20, 'x');  // spans several read chunks
    bytes[5] = '\0';
    bytes.back() = '\n';
    WriteBytes(folder / L"big.rc", bytes);
    EXPECT_EQ(ReadWholeFile(folder / L"big.rc"), bytes);
    WriteBytes(folder / L"empty.rc", "");
    EXPECT_EQ(ReadWholeFile(folder / L"empty.rc"), "");
}

TEST(ReadWholeFile, MissingFileNamesThePathAndTheReason) {
    ScratchFolder folder;
    const std::wstring path = folder / L"absent.rc";
    const std::wstring message = MessageOf([&] { ReadWholeFile(path); });
    EXPECT_TRUE(StartsWith(message, L"Impossible d'ouvrir le fichier \"" + path + L"\". ")) << message;
    EXPECT_GT(message.size(), path.size() + 36);  // the system's reason follows
    EXPECT_NE(message.back(), L'.');
    EXPECT_NE(message.back(), L' ');
}

TEST(ReadWholeFile, OthersMayReadMeanwhileButNotWrite) {
    ScratchFolder folder;
    const std::wstring path = folder / L"shared.rc";
    WriteBytes(path, "A ICON a.ico");
    {
        framework::UniqueFile reader(
            ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(reader);
        EXPECT_EQ(ReadWholeFile(path), "A ICON a.ico");
    }
    framework::UniqueFile writer(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_TRUE(StartsWith(MessageOf([&] { ReadWholeFile(path); }), L"Impossible d'ouvrir le fichier"));
}

TEST(ReplaceWholeFile, WritesExactBytesAndReplacesAnExistingFile) {
    ScratchFolder folder;
    const std::wstring path = folder / L"app.rc";
    WriteBytes(path, std::string(10000, 'o'));
    ReplaceWholeFile(path, "A ICON a.ico\r\nB \xE9t\xE9");
    EXPECT_EQ(ReadBytes(path), "A ICON a.ico\r\nB \xE9t\xE9");
    ReplaceWholeFile(path, "");
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"app.rc"});  // no temporary file left
}

TEST(ReplaceWholeFile, ShortOrFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    ScratchFolder folder;
    const std::wstring path = folder / L"app.rc";
    const std::string old = "OLD RCDATA old.bin";
    WriteBytes(path, old);
    const std::string text(3 << 20, 'n');  // several chunks: the shortfall comes mid-way

    g_bytesBeforeFull = 1 << 20;
    EXPECT_EQ(MessageOf([&] { ReplaceWholeFile(path, text, &ShortWrite); }), L"Erreur d'écriture dans le flux");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"app.rc"});

    EXPECT_EQ(MessageOf([&] { ReplaceWholeFile(path, text, &FailingWrite); }), L"Erreur d'écriture dans le flux");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"app.rc"});

    // A new file that could not be written is not created at all.
    EXPECT_EQ(MessageOf([&] { ReplaceWholeFile(folder / L"new.rc", text, &FailingWrite); }),
              L"Erreur d'écriture dans le flux");
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"app.rc"});
}

TEST(ReplaceWholeFile, TargetThatCannotBeReplacedKeepsItsContent) {
    ScratchFolder folder;
    const std::wstring readOnly = folder / L"lecture-seule.rc";
    WriteBytes(readOnly, "KEEP");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    std::wstring message = MessageOf([&] { ReplaceWholeFile(readOnly, "NEW"); });
    EXPECT_TRUE(StartsWith(message, L"Impossible de créer le fichier \"" + readOnly + L"\". ")) << message;
    EXPECT_EQ(ReadBytes(readOnly), "KEEP");

    const std::wstring held = folder / L"ouvert.rc";
    WriteBytes(held, "HELD");
    {
        // Another program holds it open and lets nobody else in.
        framework::UniqueFile other(
            ::CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        message = MessageOf([&] { ReplaceWholeFile(held, "NEW"); });
        EXPECT_TRUE(StartsWith(message, L"Impossible de créer le fichier \"" + held + L"\". ")) << message;
    }
    EXPECT_EQ(ReadBytes(held), "HELD");

    const std::wstring nowhere = folder / L"pas-de-dossier\\app.rc";
    message = MessageOf([&] { ReplaceWholeFile(nowhere, "NEW"); });
    EXPECT_TRUE(StartsWith(message, L"Impossible de créer le fichier \"" + nowhere + L"\". ")) << message;

    std::vector<std::wstring> files = folder.Files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"lecture-seule.rc", L"ouvert.rc"}));
}

TEST(ReplaceWholeFile, TheNewFileKeepsTheAttributesOfTheOldOne) {
    ScratchFolder folder;
    const std::wstring path = folder / L"cach\u00e9.rc";
    WriteBytes(path, "OLD");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    ReplaceWholeFile(path, "NEW");
    EXPECT_EQ(ReadBytes(path), "NEW");
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"cach\u00e9.rc"});
}

TEST(SystemErrorDescription, SpeaksFrenchWhereTheSystemCan) {
    // Wine, which runs these tests, has its messages in French too.
    EXPECT_EQ(framework::SystemErrorDescription(ERROR_FILE_NOT_FOUND), L"Fichier introuvable");
}
