// Where the readers of resources take a file's bytes from: memory that holds all of it, or the file itself, read
// only where its headers, its directory and the data asked for lie, so that a large file costs little memory.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "brcc32/files/input_file.h"

namespace brcc {

// A run of a file's bytes: where it starts and how long it is.
struct ByteRange {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Fills `into` from `offset`. The caller has checked that the bytes lie within Size(); a file that has shrunk
    // since throws FileAccessError.
    virtual void Read(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.size(); }
    void Read(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> m_bytes;
};

// Every read a call to the system: for a resource's data, and for a .res file's headers, which lie between the data
// where pages of them would come to the whole file.
class FileByteSource : public ByteSource {
public:
    // Throws FileAccessError with the reason the file cannot be opened.
    explicit FileByteSource(const std::filesystem::path& path) : m_file(path), m_size(m_file.Size()) {}
    std::uint64_t Size() const override { return m_size; }
    void Read(std::uint64_t offset, std::span<std::uint8_t> into) override { m_file.ReadAt(offset, into); }

private:
    InputFile m_file;
    std::uint64_t m_size;
};

// The many small reads of a walk through a resource directory, whose tables, names and descriptions lie close
// together but are visited out of order: each page is read from `bytes` once and kept while this lives, so the walk
// costs a call to the system per page of the directory, not one per field.
class PagedByteSource : public ByteSource {
public:
    static constexpr std::size_t kPageSize = 4096;
    explicit PagedByteSource(ByteSource& bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.Size(); }
    void Read(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    ByteSource& m_bytes;
    std::unordered_map<std::uint64_t, std::unique_ptr<std::uint8_t[]>> m_pages;  // by number
};

// Reads that mostly follow one another, as a .res file's headers and data do, or an executable's data in the order of
// its directory: a read that follows the last one and misses the window reads a window from there on, so a run of
// small reads costs a call to the system per window rather than one each. Only one window is held.
class ReadAheadByteSource : public ByteSource {
public:
    static constexpr std::size_t kWindowSize = std::size_t{1} << 18;
    explicit ReadAheadByteSource(ByteSource& bytes) : m_bytes(bytes) {}
    std::uint64_t Size() const override { return m_bytes.Size(); }
    void Read(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    ByteSource& m_bytes;
    std::vector<std::uint8_t> m_window;
    std::uint64_t m_windowStart = 0;
    std::uint64_t m_lastEnd = 0;  // where the last read ended
};

// A field group of a fixed size, and a run whose size the file gives, both within the file as the caller checked.
template <std::size_t N>
std::array<std::uint8_t, N> ReadArray(ByteSource& bytes, std::uint64_t offset) {
    std::array<std::uint8_t, N> out;
    bytes.Read(offset, out);
    return out;
}
std::vector<std::uint8_t> ReadVector(ByteSource& bytes, std::uint64_t offset, std::size_t size);

}  // namespace brcc
