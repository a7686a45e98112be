// Read-ahead of a script's files: a script of many small files spends most of its time in the system calls that
// open and read them, and these overlap on a second core while the first copies earlier files into the output.
#include "brcc32/files/file_read_ahead.h"

#include <algorithm>
#include <cstring>
#include <system_error>
#include <utility>

#include "brcc32/script_error.h"

namespace brcc {

StagedFile::StagedFile(InputFile file) : m_size(file.Size()) { m_file.emplace(std::move(file)); }

StagedFile::StagedFile(FileBytes bytes) : m_bytes(std::move(bytes)), m_size(m_bytes.size()) {}

void StagedFile::Read(std::span<std::uint8_t> bytes) {
    if (bytes.size() > m_size - m_position) {
        throw FileAccessError(Compose(msg::kEndedWhileRead));
    }
    if (m_file) {
        m_file->Read(bytes);
    } else if (!bytes.empty()) {
        std::memcpy(bytes.data(), m_bytes.data() + m_position, bytes.size());
    }
    m_position += bytes.size();
}

FileBytes StagedFile::TakeRest() {
    if (!m_file && m_position == 0) {
        m_position = m_size;
        return std::move(m_bytes);
    }
    if (Left() > SIZE_MAX) {
        throw FileAccessError(Compose(msg::kFileTooLarge));
    }
    FileBytes rest(static_cast<std::size_t>(Left()));
    Read(rest);
    return rest;
}

FileReadAhead::FileReadAhead(std::filesystem::path baseFolder, std::size_t readers,
                             const std::vector<std::filesystem::path>& searchFolders)
    : m_readers(readers), m_slots(kLookAhead) {
    m_folders.emplace_back(std::move(baseFolder));
    for (const std::filesystem::path& folder : searchFolders) {
        m_folders.emplace_back(folder);
    }
}

FileReadAhead::~FileReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

void FileReadAhead::Add(std::string name) {
    std::unique_lock lock(m_mutex);
    Slot& slot = m_slots[m_end % kLookAhead];
    slot.name = std::move(name);
    slot.state = State::kQueued;
    ++m_end;
    const bool wake = m_idleReaders > 0 && m_end - m_next >= kBatch;
    lock.unlock();
    if (wake) {
        m_queued.notify_one();
    } else if (m_threads.empty() && IsFull()) {
        try {
            for (std::size_t i = 0; i < m_readers; ++i) {
                m_threads.emplace_back([this] { Work(); });
            }
        } catch (const std::system_error&) {
            // Fewer readers, or none: Take opens whatever no reader has claimed.
        }
    }
}

StagedFile FileReadAhead::Take() {
    std::unique_lock lock(m_mutex);
    Slot& front = m_slots[m_first % kLookAhead];
    while (front.state != State::kDone) {
        if (m_next < m_end) {
            // Rather than wait for a reader, open the first file no reader has claimed: this one, or one that would
            // otherwise wait for a reader later.
            Slot& slot = m_slots[m_next % kLookAhead];
            ++m_next;
            slot.state = State::kBusy;
            lock.unlock();
            Stage(slot);
            lock.lock();
            slot.state = State::kDone;
        } else {
            m_takerWaits = true;
            m_staged.wait(lock);
            m_takerWaits = false;
        }
    }
    ++m_first;
    m_heldBytes -= front.heldBytes;
    front.heldBytes = 0;
    front.state = State::kFree;
    const std::exception_ptr error = std::exchange(front.error, nullptr);
    std::optional<StagedFile> file = std::move(front.file);
    front.file.reset();
    lock.unlock();
    if (error) {
        std::rethrow_exception(error);
    }
    return std::move(*file);
}

void FileReadAhead::Work() {
    std::unique_lock lock(m_mutex);
    while (true) {
        ++m_idleReaders;
        m_queued.wait(lock, [this] { return m_stopping || m_end - m_next >= kBatch; });
        --m_idleReaders;
        if (m_stopping) {
            return;
        }
        const std::size_t first = m_next;
        m_next += kBatch;
        for (std::size_t i = first; i < m_next; ++i) {
            m_slots[i % kLookAhead].state = State::kBusy;
        }
        lock.unlock();
        for (std::size_t i = first; i < first + kBatch; ++i) {
            Stage(m_slots[i % kLookAhead]);
        }
        lock.lock();
        for (std::size_t i = first; i < first + kBatch; ++i) {
            m_slots[i % kLookAhead].state = State::kDone;
        }
        if (m_takerWaits) {
            m_staged.notify_one();
        }
    }
}

void FileReadAhead::Stage(Slot& slot) {
    try {
        if (std::optional<FileBytes> kept = m_kept.Find(slot.name); kept && ReserveBytes(kept->size())) {
            slot.heldBytes = kept->size();
            slot.file.emplace(std::move(*kept));
            return;
        }
        InputFile file = Open(slot.name);
        if (file.Size() != 0 && !ReserveBytes(file.Size())) {
            slot.file.emplace(std::move(file));
            return;
        }
        slot.heldBytes = file.Size();
        FileBytes bytes(static_cast<std::size_t>(file.Size()));
        file.Read(bytes);
        m_kept.Offer(slot.name, bytes);
        slot.file.emplace(std::move(bytes));
    } catch (...) {
        slot.error = std::current_exception();
    }
}

InputFile FileReadAhead::Open(std::string_view name) const {
    // Only the first folder is tried for a name with a root: the others would give the same path.
    const std::size_t folders = IsRootedScriptName(name) ? 1 : m_folders.size();
    for (std::size_t i = 0;; ++i) {
        try {
            return InputFile(m_folders[i].NativePath(name));
        } catch (const FileNotFoundError&) {
            if (i + 1 == folders) {
                throw;
            }
        }
    }
}

bool FileReadAhead::ReserveBytes(std::uint64_t size) {
    std::uint64_t held = m_heldBytes.load();
    do {
        if (size > kHeldBytesLimit - held) {
            return false;
        }
    } while (!m_heldBytes.compare_exchange_weak(held, held + size));
    return true;
}

std::size_t DefaultReaderCount() {
#ifdef _WIN32
    // Opening a file costs far more here than on Linux, enough for the overlap to pay where a core is free; the
    // compiler's own thread opens files too when the readers fall behind or get no core.
    const unsigned cores = std::thread::hardware_concurrency();
    return cores < 2 ? 0 : std::min<std::size_t>(cores - 1, 3);
#else
    // On Linux a file in the page cache opens in a few microseconds, less than handing it over between threads,
    // and a second thread makes every file call of the process dearer (the descriptor table becomes shared): with
    // a reader the compiler took 1.1 times as long, with a free core or without.
    return 0;
#endif
}

}  // namespace brcc
