// Opens and reads the files of the coming script lines on worker threads while the compiler writes earlier ones.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "brcc32/files/input_file.h"
#include "brcc32/files/kept_files.h"

namespace brcc {

// Leaves new elements uninitialised: a buffer that a file is read into at once needs no zeros first, and writing them
// was a third of the compiler's time on a script of many icons.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <typename U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

// A file's bytes, as read.
using FileBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

// A file of a coming line: read whole when the read-ahead had room for it, else left open to be read in turn.
class StagedFile {
public:
    explicit StagedFile(InputFile file);
    explicit StagedFile(FileBytes bytes);

    std::uint64_t Size() const { return m_size; }
    std::uint64_t Left() const { return m_size - m_position; }
    // The next bytes.size() bytes; throws FileAccessError if the file ends sooner.
    void Read(std::span<std::uint8_t> bytes);
    // The bytes not read yet.
    FileBytes TakeRest();

private:
    std::optional<InputFile> m_file;
    FileBytes m_bytes;
    std::uint64_t m_size = 0;  // as the file was when opened: what is read of it, whatever it holds by then
    std::uint64_t m_position = 0;
};

// A queue of the files named by the next lines, handed back strictly in the order they were added, each with the
// error its opening or reading met, so that the first error in script order is the one reported.
class FileReadAhead {
public:
    // How many lines ahead files are opened, and how many bytes of them are held at most.
    static constexpr std::size_t kLookAhead = 64;
    static constexpr std::uint64_t kHeldBytesLimit = 256 * 1024;
    // Files a reader claims at once: a reader woken for each file would spend more in the wake-up than in the file.
    static constexpr std::size_t kBatch = 8;

    // Names are taken from `baseFolder` as ScriptFilePath says; a relative name not found there is looked for in
    // each of `searchFolders` in turn, as Windows' compiler does with its include folders. At most `readers` threads
    // start, and only once the queue first fills: a script of a few lines has no thread to wait for.
    FileReadAhead(std::filesystem::path baseFolder, std::size_t readers,
                  const std::vector<std::filesystem::path>& searchFolders = {});
    ~FileReadAhead();
    FileReadAhead(const FileReadAhead&) = delete;
    FileReadAhead& operator=(const FileReadAhead&) = delete;

    bool IsFull() const { return m_end - m_first == kLookAhead; }
    bool IsEmpty() const { return m_end == m_first; }
    // Queues a file as the script names it. Not when IsFull().
    void Add(std::string name);
    // The oldest queued file, opened; throws what opening or reading it threw. Not when IsEmpty().
    StagedFile Take();

    std::size_t StartedReaders() const { return m_threads.size(); }

private:
    enum class State { kFree, kQueued, kBusy, kDone };
    struct Slot {
        State state = State::kFree;
        std::string name;
        std::optional<StagedFile> file;
        std::exception_ptr error;
        std::uint64_t heldBytes = 0;
    };

    void Work();
    // Runs on the thread that claimed the slot, without the lock: no other thread touches a busy slot.
    void Stage(Slot& slot);
    bool ReserveBytes(std::uint64_t size);
    InputFile Open(std::string_view name) const;

    std::vector<ScriptFolder> m_folders;  // the script's first
    KeptFiles<FileBytes> m_kept;
    const std::size_t m_readers;
    // Sequence numbers of added lines: [m_first, m_end) are queued, [m_first, m_next) were claimed by a thread.
    std::size_t m_first = 0;
    std::size_t m_next = 0;
    std::size_t m_end = 0;
    std::size_t m_idleReaders = 0;
    bool m_takerWaits = false;
    bool m_stopping = false;
    std::atomic<std::uint64_t> m_heldBytes = 0;  // reserved by the thread that stages a file, without the lock
    std::vector<Slot> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_staged;
    std::vector<std::thread> m_threads;
};

// Reader threads worth starting on this machine: none on a single core, where they would only take turns with it.
std::size_t DefaultReaderCount();

}  // namespace brcc
