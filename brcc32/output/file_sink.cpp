// The system calls behind FileSink, one set per platform.
#include "brcc32/output/file_sink.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>

#include "brcc32/files/input_file.h"
#include "brcc32/text/ascii_case.h"

#ifdef _WIN32
#include "brcc32/windows_api.h"
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace brcc {

bool IsWindowsDeviceName(std::string_view fileName) {
    const std::string stem = LowerAscii(fileName.substr(0, fileName.find('.')));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul" || stem == "conin$" || stem == "conout$") {
        return true;
    }
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '1' && stem[3] <= '9';
}

#ifdef _WIN32

FileSink::FileSink(const std::filesystem::path& path, Open how) {
    if (how == Open::kStandardOutput) {
        m_handle = GetStdHandle(STD_OUTPUT_HANDLE);
        m_owned = false;
    } else {
        // Others may delete the file while it is open: the interrupt handler does, from its own thread.
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        const DWORD creation = how == Open::kCreateNew ? CREATE_NEW : OPEN_EXISTING;
        // The console (CON) opens for writing only with read access too.
        m_handle = how == Open::kExisting ? CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                                        creation, FILE_ATTRIBUTE_NORMAL, nullptr)
                                          : INVALID_HANDLE_VALUE;
        if (m_handle == INVALID_HANDLE_VALUE) {
            m_handle =
                CreateFileW(path.c_str(), GENERIC_WRITE, share, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
        }
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool FileSink::IsOpen() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

bool FileSink::WriteAll(const char* data, std::size_t size) {
    while (size > 0 && IsOpen()) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        if (!WriteFile(m_handle, data, piece, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return size == 0;
}

FileSink::~FileSink() { Close(); }

bool FileSink::Close() {
    const bool flushed = sync() == 0;
    if (IsOpen() && m_owned) {
        CloseHandle(m_handle);
    }
    m_handle = INVALID_HANDLE_VALUE;
    return flushed && !m_failed;
}

std::int64_t FileSink::MoveTo(std::int64_t offset, std::ios_base::seekdir direction) {
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    const DWORD method = direction == std::ios_base::beg   ? FILE_BEGIN
                         : direction == std::ios_base::cur ? FILE_CURRENT
                                                           : FILE_END;
    if (GetFileType(m_handle) != FILE_TYPE_DISK || !SetFilePointerEx(m_handle, distance, &position, method)) {
        return -1;
    }
    return position.QuadPart;
}

bool IsDevicePath(const std::filesystem::path& path) {
    const std::wstring& text = path.native();
    if (text.starts_with(L"\\\\.\\") || text.starts_with(L"//./")) {
        return true;
    }
    return IsWindowsDeviceName(PathToUtf8(path.filename()));
}

#else

FileSink::FileSink(const std::filesystem::path& path, Open how) {
    switch (how) {
        case Open::kStandardOutput:
            m_descriptor = STDOUT_FILENO;
            m_owned = false;
            break;
        case Open::kCreateNew:
            m_descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            break;
        case Open::kExisting:
            // No O_TRUNC: a terminal or FIFO has nothing to cut, and a file behind /dev/stdout opened with >> keeps
            // what it holds.
            m_descriptor = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
            break;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool FileSink::IsOpen() const { return m_descriptor >= 0; }

bool FileSink::WriteAll(const char* data, std::size_t size) {
    while (size > 0 && IsOpen()) {
        const ssize_t written = ::write(m_descriptor, data, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return size == 0;
}

FileSink::~FileSink() { Close(); }

bool FileSink::Close() {
    const bool flushed = sync() == 0;
    if (IsOpen() && m_owned) {
        if (::close(m_descriptor) != 0) {
            m_failed = true;
        }
    }
    m_descriptor = -1;
    return flushed && !m_failed;
}

std::int64_t FileSink::MoveTo(std::int64_t offset, std::ios_base::seekdir direction) {
    const int whence = direction == std::ios_base::beg   ? SEEK_SET
                       : direction == std::ios_base::cur ? SEEK_CUR
                                                         : SEEK_END;
    return ::lseek(m_descriptor, static_cast<off_t>(offset), whence);
}

bool IsDevicePath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || status.type() == std::filesystem::file_type::not_found) {
        return false;
    }
    // /dev/stdout may lead to a regular file, which a rename would replace by a file of its own in /dev.
    const std::string text = path.lexically_normal().string();
    return !std::filesystem::is_regular_file(status) || text.starts_with("/dev/") || text.starts_with("/proc/");
}

#endif

int FileSink::sync() {
    const std::size_t pending = static_cast<std::size_t>(pptr() - pbase());
    if (pending > 0 && !WriteAll(pbase(), pending)) {
        m_failed = true;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_failed ? -1 : 0;
}

FileSink::int_type FileSink::overflow(int_type c) {
    if (sync() != 0) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

FileSink::pos_type FileSink::seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) {
    if ((which & std::ios_base::out) == 0 || sync() != 0) {
        return pos_type(off_type(-1));
    }
    return pos_type(off_type(MoveTo(offset, direction)));
}

FileSink::pos_type FileSink::seekpos(pos_type position, std::ios_base::openmode which) {
    return seekoff(off_type(position), std::ios_base::beg, which);
}

// Large blocks go straight to the system: copying them through the buffer first only costs time.
std::streamsize FileSink::xsputn(const char* data, std::streamsize size) {
    const auto count = static_cast<std::size_t>(size);
    if (count < m_buffer.size() / 4) {
        return std::streambuf::xsputn(data, size);
    }
    if (sync() != 0 || !WriteAll(data, count)) {
        m_failed = true;
        return 0;
    }
    return size;
}

}  // namespace brcc
