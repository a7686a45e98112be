// Whole-file reading and writing.
#include "framework/file_io.h"

#include <algorithm>

#include "framework/error.h"
#include "framework/file_path.h"
#include "framework/handles.h"
#include "framework/message_text.h"
#include "framework/wine.h"

namespace framework {
namespace {

constexpr wchar_t kOpenError[] = L"Impossible d'ouvrir le fichier \"%s\". %s";
constexpr wchar_t kCreateError[] = L"Impossible de créer le fichier \"%s\". %s";
constexpr wchar_t kWriteError[] = L"Erreur d'écriture dans le flux";

// Large writes and reads go in pieces: one call for hundreds of megabytes can fail
// for lack of system resources on some versions.
constexpr DWORD kChunk = 1 << 20;

[[noreturn]] void Raise(const wchar_t* pattern, const std::wstring& path, DWORD code) {
    throw Error(FormatText(pattern, {path, SystemErrorDescription(code)}));
}

// Removes the temporary file unless it has become the target.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : m_path(std::move(path)) {}
    ~TemporaryFile() {
        if (!m_path.empty()) {
            ::DeleteFileW(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& Path() const { return m_path; }
    void Keep() { m_path.clear(); }

private:
    std::wstring m_path;
};

// Beside the target, so that the new file can take its place: the same volume.
std::wstring TemporaryFolderFor(const std::wstring& path) {
    const std::wstring folder = FolderOf(path);
    return folder.empty() ? std::wstring(L".") : folder;
}

}  // namespace

std::string ReadWholeFile(const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        Raise(kOpenError, path, ::GetLastError());
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        Raise(kOpenError, path, ::GetLastError());
    }
    if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) {
        throw std::bad_alloc();
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
        DWORD got = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
            Raise(kOpenError, path, ::GetLastError());
        }
        if (got == 0) {
            break;  // the file shrank since its size was read
        }
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

void ReplaceWholeFile(const std::wstring& path, std::string_view data, WriteFileFunction write) {
    // A read-only file is not to be replaced. Windows refuses the final move anyway;
    // Wine would let it through, so ask first.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    if (replacing && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        Raise(kCreateError, path, ERROR_ACCESS_DENIED);
    }
    wchar_t temporaryName[MAX_PATH + 1];
    if (::GetTempFileNameW(TemporaryFolderFor(path).c_str(), L"tlv", 0, temporaryName) == 0) {
        Raise(kCreateError, path, ::GetLastError());
    }
    TemporaryFile temporary(temporaryName);
    {
        UniqueFile file(::CreateFileW(temporary.Path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            Raise(kCreateError, path, ::GetLastError());
        }
        size_t done = 0;
        while (done < data.size()) {
            const DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, data.size() - done));
            DWORD written = 0;
            if (!write(file.get(), data.data() + done, want, &written, nullptr) || written != want) {
                throw Error(kWriteError);
            }
            done += written;
        }
        if (!::FlushFileBuffers(file.get())) {
            throw Error(kWriteError);
        }
    }
    if (!replacing) {
        if (!::MoveFileExW(temporary.Path().c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
            Raise(kCreateError, path, ::GetLastError());
        }
        temporary.Keep();
        return;
    }
    // The new file takes the old one's place and keeps what the user gave the old one.
    // Windows' ReplaceFile carries attributes and permissions itself. Wine's carries neither
    // and leaves a file of its own behind when it fails, so there the attributes go over
    // by hand and the move replaces; its permissions cannot: it maps them to access lists
    // that do not map back (0644 returns as 0775).
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((attributes & kCarried) != 0 && !::SetFileAttributesW(temporary.Path().c_str(), attributes & kCarried)) {
        Raise(kCreateError, path, ::GetLastError());
    }
    const BOOL replaced = RunningUnderWine() ? ::MoveFileExW(temporary.Path().c_str(), path.c_str(),
                                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                                             : ::ReplaceFileW(path.c_str(), temporary.Path().c_str(), nullptr,
                                                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    if (!replaced) {
        Raise(kCreateError, path, ::GetLastError());
    }
    temporary.Keep();
}

CurrentFolderChange::CurrentFolderChange(const std::wstring& folder, const std::wstring& failureMessage) {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    m_former.resize(length);
    m_former.resize(::GetCurrentDirectoryW(length, m_former.data()));
    if (!::SetCurrentDirectoryW(folder.c_str())) {
        throw Error(failureMessage + SystemErrorDescription(::GetLastError()));
    }
}

CurrentFolderChange::~CurrentFolderChange() {
    if (!m_kept) {
        ::SetCurrentDirectoryW(m_former.c_str());
    }
}

}  // namespace framework
