// Input files opened unbuffered: each is read once, in as few calls as its size allows.
#include "brcc32/files/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"

#ifdef _WIN32
#include <io.h>  // the C runtime's descriptors, not the Windows API
#else
#include <unistd.h>
#endif

namespace brcc {
namespace {

#ifdef _WIN32
using FileStatus = struct _stat64;
int OpenForReading(const wchar_t* path) { return _wopen(path, _O_RDONLY | _O_BINARY); }
int StatusOf(int descriptor, FileStatus& status) { return _fstat64(descriptor, &status); }
long long ReadSome(int descriptor, std::uint8_t* bytes, std::size_t size) {
    return _read(descriptor, bytes, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}
void CloseDescriptor(int descriptor) { _close(descriptor); }
bool IsRegularFile(const FileStatus& status) { return (status.st_mode & _S_IFMT) == _S_IFREG; }
// The C runtime has no positioned read: a seek, then reads from there.
long long ReadSomeAt(int descriptor, std::uint64_t offset, std::uint8_t* bytes, std::size_t size) {
    if (_lseeki64(descriptor, static_cast<long long>(offset), SEEK_SET) < 0) {
        return -1;
    }
    return ReadSome(descriptor, bytes, size);
}
#else
using FileStatus = struct stat;
// Non-blocking, so that a FIFO is refused as not a regular file rather than waited on; reads of a regular file
// are not affected.
int OpenForReading(const char* path) { return open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK); }
int StatusOf(int descriptor, FileStatus& status) { return fstat(descriptor, &status); }
long long ReadSome(int descriptor, std::uint8_t* bytes, std::size_t size) {
    return read(descriptor, bytes, std::min<std::size_t>(size, INT_MAX));
}
void CloseDescriptor(int descriptor) { close(descriptor); }
bool IsRegularFile(const FileStatus& status) { return S_ISREG(status.st_mode); }
long long ReadSomeAt(int descriptor, std::uint64_t offset, std::uint8_t* bytes, std::size_t size) {
    return pread(descriptor, bytes, std::min<std::size_t>(size, INT_MAX), static_cast<off_t>(offset));
}
#endif

[[noreturn]] void ThrowOpenFailure(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw FileNotFoundError();
    }
    if (status.type() == std::filesystem::file_type::directory) {
        throw FileAccessError(Compose(msg::kIsAFolder));
    }
    if (status.type() != std::filesystem::file_type::regular && status.type() != std::filesystem::file_type::unknown) {
        throw FileAccessError(Compose(msg::kNotARegularFile));
    }
    throw FileAccessError(Compose(msg::kCannotBeRead));
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) : InputFile(path.native()) {}

InputFile::InputFile(const std::filesystem::path::string_type& nativePath)
    : m_descriptor(OpenForReading(nativePath.c_str())) {
    if (m_descriptor < 0) {
        ThrowOpenFailure(nativePath);
    }
    FileStatus status{};
    if (StatusOf(m_descriptor, status) != 0 || !IsRegularFile(status)) {
        CloseDescriptor(m_descriptor);
        m_descriptor = -1;
        ThrowOpenFailure(nativePath);
    }
    m_size = static_cast<std::uint64_t>(status.st_size);
}

InputFile::~InputFile() {
    if (m_descriptor >= 0) {
        CloseDescriptor(m_descriptor);
    }
}

InputFile::InputFile(InputFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_size(other.m_size) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
    std::swap(m_descriptor, other.m_descriptor);
    std::swap(m_size, other.m_size);
    return *this;
}

void InputFile::Read(std::span<std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const long long got = ReadSome(m_descriptor, bytes.data(), bytes.size());
        if (got <= 0) {
            throw FileAccessError(Compose(msg::kEndedWhileRead));
        }
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
}

void InputFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const long long got = ReadSomeAt(m_descriptor, offset, bytes.data(), bytes.size());
        if (got <= 0) {
            throw FileAccessError(Compose(msg::kEndedWhileRead));
        }
        offset += static_cast<std::uint64_t>(got);
        bytes = bytes.subspan(static_cast<std::size_t>(got));
    }
}

std::filesystem::path ScriptFilePath(const std::filesystem::path& baseFolder, std::string_view name) {
    std::string portable(name);
    std::replace(portable.begin(), portable.end(), '\\', '/');
    std::filesystem::path path = PathFromScriptText(portable);
    return path.has_root_directory() ? path : baseFolder / path;
}

std::vector<std::filesystem::path> NamedFileFolders(const std::filesystem::path& scriptFolder,
                                                    const std::vector<std::filesystem::path>& includeFolders) {
    std::vector<std::filesystem::path> folders;
    if (!scriptFolder.empty() && scriptFolder != ".") {
        folders.emplace_back();  // the current folder, as relative names are opened
    }
    folders.insert(folders.end(), includeFolders.begin(), includeFolders.end());
    return folders;
}

std::filesystem::path FoundScriptFilePath(const std::filesystem::path& scriptFolder,
                                          const std::vector<std::filesystem::path>& searchFolders,
                                          std::string_view name) {
    std::filesystem::path found = ScriptFilePath(scriptFolder, name);
    if (!IsRootedScriptName(name)) {
        std::error_code error;
        for (std::size_t i = 0; !std::filesystem::exists(found, error) && i < searchFolders.size(); ++i) {
            std::filesystem::path candidate = ScriptFilePath(searchFolders[i], name);
            if (std::filesystem::exists(candidate, error)) {
                found = std::move(candidate);
            }
        }
    }
    return found.lexically_normal();
}

bool IsRootedScriptName(std::string_view name) {
    if (!name.empty() && (name.front() == '/' || name.front() == '\\')) {
        return true;
    }
    return name.size() > 1 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

ScriptFolder::ScriptFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {
    m_prefix = (m_folder / "x").native();
    m_prefix.pop_back();
}

std::filesystem::path::string_type ScriptFolder::NativePath(std::string_view name) const {
    // A name with a root (a leading separator, or a drive on Windows) is not simply appended; on Windows only
    // ASCII widens byte for byte. These rare names take the general way.
    bool appended = !name.empty() && name.front() != '/' && name.front() != '\\';
#ifdef _WIN32
    appended = appended && std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80 && c != ':'; });
#endif
    if (!appended) {
        return ScriptFilePath(m_folder, name).native();
    }
    std::filesystem::path::string_type path = m_prefix;
    const std::size_t start = path.size();
#ifdef _WIN32
    path.append(name.begin(), name.end());
#else
    if (IsValidUtf8(name)) {
        path.append(name);
    } else {
        path.append(Windows1252ToUtf8(name));
    }
#endif
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(start), path.end(), '\\', '/');
    return path;
}

std::string ReadTextFile(const std::filesystem::path& path) {
    InputFile file(path);
    if (file.Size() > SIZE_MAX) {
        throw FileAccessError(Compose(msg::kFileTooLarge));
    }
    // Read in place: a copy would double the peak memory of a long script.
    std::string text(static_cast<std::size_t>(file.Size()), '\0');
    file.Read(std::span(reinterpret_cast<std::uint8_t*>(text.data()), text.size()));
    return text;
}

std::string ReadStandardInput() {
#ifdef _WIN32
    _setmode(0, _O_BINARY);  // a script's CR LF stay as they are, as from a file
#endif
    std::string text;
    char block[1 << 16];
    while (true) {
        const long long got = ReadSome(0, reinterpret_cast<std::uint8_t*>(block), sizeof block);
        if (got < 0) {
            throw FileAccessError(Compose(msg::kCannotReadStandardInput));
        }
        if (got == 0) {
            return text;
        }
        text.append(block, static_cast<std::size_t>(got));
    }
}

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::filesystem::path PathFromScriptText(std::string_view text) {
    return IsValidUtf8(text) ? PathFromUtf8(text) : PathFromUtf8(Windows1252ToUtf8(text));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace brcc
