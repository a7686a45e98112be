// Read access to the files a script names: whole, or in pieces for data that is only copied.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brcc {

// An open file descriptor of the C runtime: open, size and read in the fewest system calls, which is most of the
// compiler's time on a script of many small files.
class InputFile {
public:
    // Throws FileAccessError with a reason (not found, a folder, unreadable).
    explicit InputFile(const std::filesystem::path& path);
    // The same for a path in the system's own form, which costs nothing to build.
    explicit InputFile(const std::filesystem::path::string_type& nativePath);
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;

    std::uint64_t Size() const { return m_size; }
    // Reads exactly bytes.size() bytes; throws FileAccessError if the file ends sooner.
    void Read(std::span<std::uint8_t> bytes);
    // The same from `offset`, for a reader that jumps about the file; where the next Read starts is then unknown.
    void ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

private:
    int m_descriptor = -1;
    std::uint64_t m_size = 0;
};

// Where a file named in a script is: relative names are taken from the script's folder, and a backslash separates
// folders as on Windows.
std::filesystem::path ScriptFilePath(const std::filesystem::path& baseFolder, std::string_view name);

// The folders a relative name the script gives is looked for in after the script's own: the current folder, as
// Windows' compiler, windres and llvm-rc look there too, then the include folders in their order.
std::vector<std::filesystem::path> NamedFileFolders(const std::filesystem::path& scriptFolder,
                                                    const std::vector<std::filesystem::path>& includeFolders);

// Where the compiler reads a named file from: the first of the script's folder and `searchFolders` that has it,
// else the script's folder. Folders are written once (sub\\pic.bmp is sub/pic.bmp), for build tools that compare
// names.
std::filesystem::path FoundScriptFilePath(const std::filesystem::path& scriptFolder,
                                          const std::vector<std::filesystem::path>& searchFolders,
                                          std::string_view name);

// Whether a name as a script writes it starts at a root (/x, \x, C:x, C:\x) rather than in a folder it is looked for
// in.
bool IsRootedScriptName(std::string_view name);

// ScriptFilePath for the many names of one script: a std::filesystem::path built and split per name was a fifth of
// the compiler's time on a script of many small files.
class ScriptFolder {
public:
    explicit ScriptFolder(std::filesystem::path folder);
    // ScriptFilePath(folder, name).native().
    std::filesystem::path::string_type NativePath(std::string_view name) const;

private:
    std::filesystem::path m_folder;
    std::filesystem::path::string_type m_prefix;  // what a name with no root is appended to
};

// The script itself, as text. Throws FileAccessError.
std::string ReadTextFile(const std::filesystem::path& path);
// All of the standard input, for a script given through a pipe. Throws FileAccessError.
std::string ReadStandardInput();

// A path from UTF-8 text, the encoding scripts and command lines are read in.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);
// A file name as a script writes it: UTF-8, or else the Windows-1252 text that Windows editors save.
std::filesystem::path PathFromScriptText(std::string_view text);

}  // namespace brcc
