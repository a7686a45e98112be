// Atomic output: the target keeps its old contents until the rename that replaces it.
#include "brcc32/output/atomic_file.h"

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>

#include "brcc32/files/input_file.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

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

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : m_target(std::move(target)) {
    m_buffer.pubsetbuf(nullptr, 0);  // the writer hands over large blocks
    for (int attempt = 0; attempt < 16 && !m_buffer.is_open(); ++attempt) {
        std::filesystem::path candidate = m_target;
        candidate += UniqueSuffix();
        std::error_code error;
        if (std::filesystem::exists(candidate, error)) {
            continue;
        }
        m_temporary = std::move(candidate);
        m_buffer.open(m_temporary, std::ios::out | std::ios::binary | std::ios::trunc);
    }
    if (!m_buffer.is_open()) {
        throw LocalizedError(Compose(msg::kCannotCreateIn, {PathToUtf8(m_target)}));
    }
}

AtomicFile::~AtomicFile() {
    if (!m_committed) {
        m_buffer.close();
        std::error_code ignored;
        std::filesystem::remove(m_temporary, ignored);
    }
}

void AtomicFile::Commit() {
    if (m_buffer.close() == nullptr) {
        throw LocalizedError(Compose(msg::kCannotWrite, {PathToUtf8(m_target)}));
    }
    std::error_code error;
    // Replaces an existing target on every platform (a plain rename on Windows would refuse).
    std::filesystem::rename(m_temporary, m_target, error);
    if (error) {
        throw LocalizedError(Compose(msg::kCannotReplace, {PathToUtf8(m_target), SystemReason(error)}));
    }
    m_committed = true;
}

}  // namespace brcc
