// The bytes of small files a script has read already, for the lines that name them again.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace brcc {

// A script that names one file on many lines (an icon for each language, one data file for many ids) would open,
// size, read and close it each time: four system calls, most of the compiler's time on such a script. The first
// files read are kept, up to a limit, and never replaced: a script that cycles through more files than fit still
// finds the first ones here. Safe to use from several threads.
template <typename Bytes>
class KeptFiles {
public:
    static constexpr std::size_t kLargestFile = 16 * 1024;
    static constexpr std::size_t kBytesLimit = 256 * 1024;

    // A copy of the bytes kept under `name`, if any.
    std::optional<Bytes> Find(std::string_view name) {
        const std::lock_guard lock(m_mutex);
        if (m_files.empty()) {
            return std::nullopt;
        }
        const auto found = m_files.find(std::string(name));
        if (found == m_files.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    // Keeps a copy of `bytes` if the file is small and there is room for it.
    void Offer(std::string_view name, const Bytes& bytes) {
        if (bytes.size() > kLargestFile) {
            return;
        }
        const std::lock_guard lock(m_mutex);
        const std::size_t cost = bytes.size() + name.size();
        if (cost > kBytesLimit - m_bytes) {
            return;
        }
        if (m_files.try_emplace(std::string(name), bytes).second) {
            m_bytes += cost;
        }
    }

private:
    std::mutex m_mutex;
    std::unordered_map<std::string, Bytes> m_files;
    std::size_t m_bytes = 0;
};

}  // namespace brcc
