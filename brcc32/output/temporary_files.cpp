// A handler may run between any two instructions of the program: it reads fixed slots, whose paths are complete
// before a slot is marked in use, and calls only what a signal handler may call.
#include "brcc32/output/temporary_files.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include "brcc32/windows_api.h"
#else
#include <unistd.h>
#endif

namespace brcc::TemporaryFiles {
namespace {

using Char = std::filesystem::path::value_type;
// The output and its dependency file are all the program holds at once.
constexpr std::size_t kSlots = 4;
constexpr std::size_t kPathMax = 4096;

struct Slot {
    std::atomic<bool> used = false;
    std::array<Char, kPathMax> path{};
};
std::array<Slot, kSlots> g_slots;

void DeleteAll() {
    for (Slot& slot : g_slots) {
        if (slot.used.load()) {
#ifdef _WIN32
            DeleteFileW(slot.path.data());
#else
            unlink(slot.path.data());
#endif
        }
    }
}

#ifdef _WIN32
BOOL WINAPI OnConsoleEvent(DWORD) {
    DeleteAll();
    return FALSE;  // the default handler then ends the program
}
#endif

extern "C" void OnSignal(int signal) {
    DeleteAll();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void Add(const std::filesystem::path& path) {
    const auto& text = path.native();
    if (text.size() >= kPathMax) {
        return;  // longer than any path the system opens; never reached in practice
    }
    for (Slot& slot : g_slots) {
        if (!slot.used.load()) {
            std::memcpy(slot.path.data(), text.c_str(), (text.size() + 1) * sizeof(Char));
            slot.used.store(true);
            return;
        }
    }
}

void Remove(const std::filesystem::path& path) {
    for (Slot& slot : g_slots) {
        if (slot.used.load() && path.native() == slot.path.data()) {
            slot.used.store(false);
        }
    }
}

void InstallHandlers() {
    // A signal the program was started to ignore (nohup, a script's background job) stays ignored, as asked.
    const auto handle = [](int signal) {
        if (std::signal(signal, OnSignal) == SIG_IGN) {
            std::signal(signal, SIG_IGN);
        }
    };
    handle(SIGINT);
    handle(SIGTERM);
#ifdef _WIN32
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
    handle(SIGHUP);
#endif
}

}  // namespace brcc::TemporaryFiles
