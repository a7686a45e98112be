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

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                   : lead >= 0xF0 && lead < 0xF5                  ? 4
                                                                                  : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view text) {
    // 0x80-0x9F differ from Latin-1; unassigned bytes keep their Latin-1 code point.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const char16_t code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
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
