// Input files opened unbuffered: each is read once, in as few calls as its size allows.
#include "brcc32/input_file.h"

#include "brcc32/script_error.h"

namespace brcc {
namespace {

[[noreturn]] void ThrowOpenFailure(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw FileAccessError("file not found");
    }
    if (status.type() == std::filesystem::file_type::directory) {
        throw FileAccessError("it is a folder, not a file");
    }
    throw FileAccessError("the file cannot be read");
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) {
    m_buffer.pubsetbuf(nullptr, 0);
    // Some systems open a folder for reading as if it were a file.
    std::error_code error;
    if (std::filesystem::is_directory(path, error) || m_buffer.open(path, std::ios::in | std::ios::binary) == nullptr) {
        ThrowOpenFailure(path);
    }
    const std::streamoff end = m_buffer.pubseekoff(0, std::ios::end, std::ios::in);
    if (end < 0 || m_buffer.pubseekoff(0, std::ios::beg, std::ios::in) != 0) {
        ThrowOpenFailure(path);
    }
    m_size = static_cast<std::uint64_t>(end);
}

void InputFile::Read(std::span<std::uint8_t> bytes) {
    const auto wanted = static_cast<std::streamsize>(bytes.size());
    if (m_buffer.sgetn(reinterpret_cast<char*>(bytes.data()), wanted) != wanted) {
        throw FileAccessError("the file ended while it was read (did it change meanwhile?)");
    }
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
    InputFile file(path);
    if (file.Size() > SIZE_MAX) {
        throw FileAccessError("the file is too large");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.Size()));
    file.Read(bytes);
    return bytes;
}

std::string ReadTextFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    return std::string(bytes.begin(), bytes.end());
}

std::filesystem::path PathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace brcc
