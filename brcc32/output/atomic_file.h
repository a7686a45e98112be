// An output file that appears whole or not at all: written beside its target, renamed on success.
#pragma once

#include <filesystem>
#include <fstream>

namespace brcc {

class AtomicFile {
public:
    // Creates the temporary file; throws std::runtime_error if it cannot.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::streambuf& Stream() { return m_buffer; }
    // Puts the written bytes in place of the target, replacing an older file. Throws std::runtime_error.
    void Commit();

    const std::filesystem::path& TemporaryPath() const { return m_temporary; }

private:
    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::filebuf m_buffer;
    bool m_committed = false;
};

}  // namespace brcc
