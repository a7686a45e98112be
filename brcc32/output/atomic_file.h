// An output file that appears whole or not at all: written beside its target, renamed on success. A device, FIFO
// or terminal (and the standard output) cannot be replaced and is written in place instead.
#pragma once

#include <filesystem>
#include <memory>
#include <streambuf>

namespace brcc {

class FileSink;

class AtomicFile {
public:
    enum class Target { kPath, kStandardOutput };
    // Creates the temporary file, or opens the device; throws std::runtime_error if it cannot.
    explicit AtomicFile(std::filesystem::path target, Target kind = Target::kPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::streambuf& Stream();
    // Puts the written bytes in place of the target, replacing an older file. Throws std::runtime_error.
    void Commit();

    // Empty when the target is written in place.
    const std::filesystem::path& TemporaryPath() const { return m_temporary; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::unique_ptr<FileSink> m_sink;
    bool m_committed = false;
};

// From now on an interrupt (Ctrl-C, a closed console, SIGTERM) deletes the temporary files before the program ends.
void RemoveTemporaryFilesOnInterrupt();

}  // namespace brcc
