// An output stream over the system's own file handle: an output can then be a new file, a device or the standard
// output alike, and an interrupted compiler can delete its temporary file while the file is still open.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <streambuf>

namespace brcc {

class FileSink : public std::streambuf {
public:
    enum class Open {
        kCreateNew,  // a file that must not exist yet
        kExisting,   // a device, a FIFO or a terminal, written in place
        kStandardOutput,
    };
    // Throws nothing: IsOpen() says whether it worked.
    FileSink(const std::filesystem::path& path, Open how);
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool IsOpen() const;
    // Writes what is buffered and lets the handle go; false if a write failed, now or before.
    bool Close();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;
    // A COFF object's header is written last, over its start; a pipe cannot go back and says so.
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    bool WriteAll(const char* data, std::size_t size);
    // The position from the start after a flush; -1 where the handle cannot seek.
    std::int64_t MoveTo(std::int64_t offset, std::ios_base::seekdir direction);

#ifdef _WIN32
    void* m_handle;
#else
    int m_descriptor;
#endif
    bool m_owned = true;
    bool m_failed = false;
    std::array<char, 1 << 16> m_buffer;
};

// Whether `path` names something to write in place rather than replace: a device, FIFO or terminal, or on Windows
// a reserved device name (NUL, CON, COM1...) or a \\.\ path.
bool IsDevicePath(const std::filesystem::path& path);
// Windows' reserved device names, in any case and with any extension ("nul.res" is NUL too).
bool IsWindowsDeviceName(std::string_view fileName);

}  // namespace brcc
