// Atomic output: the target keeps its old contents until the rename that replaces it.
#include "brcc32/output/atomic_file.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>

#include "brcc32/files/input_file.h"
#include "brcc32/output/file_sink.h"
#include "brcc32/output/temporary_files.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

// The longest file name the file systems we write to take (255 bytes, or UTF-16 units on Windows).
constexpr std::size_t kNameMax = 255;
constexpr std::size_t kSuffixLength = 13;  // ".xxxxxxxx.tmp"

// Two compilers writing the same target at once must not share a temporary file.
std::string UniqueSuffix() {
    std::random_device device;
    const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::mt19937_64 random(device() ^ now);
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix = ".";
    for (int i = 0; i < 8; ++i) {
        suffix += kDigits[random() % 36];
    }
    return suffix + ".tmp";
}

// Beside the target, so that the rename stays on one file system; a name too long to take the suffix gets a short
// one of its own, as any name the system takes as a target must be writable.
std::filesystem::path TemporaryCandidate(const std::filesystem::path& target) {
    if (target.filename().native().size() + kSuffixLength <= kNameMax) {
        std::filesystem::path candidate = target;
        candidate += UniqueSuffix();
        return candidate;
    }
    return target.parent_path() / PathFromUtf8("brcc32" + UniqueSuffix());
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target, Target kind) : m_target(std::move(target)) {
    if (kind == Target::kStandardOutput) {
        m_sink = std::make_unique<FileSink>(m_target, FileSink::Open::kStandardOutput);
        return;
    }
    if (IsDevicePath(m_target)) {
        m_sink = std::make_unique<FileSink>(m_target, FileSink::Open::kExisting);
        if (!m_sink->IsOpen()) {
            throw LocalizedError(Compose(msg::kCannotOpenDevice, {PathToUtf8(m_target)}));
        }
        return;
    }
    const std::filesystem::path folder = m_target.parent_path();
    std::error_code error;
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        throw LocalizedError(Compose(msg::kNoOutputFolder, {PathToUtf8(m_target), PathToUtf8(folder)}));
    }
    for (int attempt = 0; attempt < 16 && (m_sink == nullptr || !m_sink->IsOpen()); ++attempt) {
        std::filesystem::path candidate = TemporaryCandidate(m_target);
        m_sink = std::make_unique<FileSink>(candidate, FileSink::Open::kCreateNew);
        if (m_sink->IsOpen()) {
            m_temporary = std::move(candidate);
            TemporaryFiles::Add(m_temporary);
        }
    }
    if (!m_sink->IsOpen()) {
        throw LocalizedError(Compose(msg::kCannotCreateIn, {PathToUtf8(m_target)}));
    }
}

AtomicFile::~AtomicFile() {
    if (!m_committed && !m_temporary.empty()) {
        m_sink->Close();
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
        TemporaryFiles::Remove(m_temporary);
    }
}

std::streambuf& AtomicFile::Stream() { return *m_sink; }

void AtomicFile::Commit() {
    if (!m_sink->Close()) {
        throw LocalizedError(Compose(msg::kCannotWrite, {PathToUtf8(m_target)}));
    }
    if (!m_temporary.empty()) {
        std::error_code error;
        // Replaces an existing target on every platform (a plain rename on Windows would refuse).
        std::filesystem::rename(m_temporary, m_target, error);
        if (error) {
            throw LocalizedError(Compose(msg::kCannotReplace, {PathToUtf8(m_target), SystemReason(error)}));
        }
        TemporaryFiles::Remove(m_temporary);
    }
    m_committed = true;
}

void RemoveTemporaryFilesOnInterrupt() { TemporaryFiles::InstallHandlers(); }

}  // namespace brcc
