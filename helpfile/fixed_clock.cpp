// fixed_clock SECONDS PROGRAM [ARGS...]: runs PROGRAM with the wall clock stopped at SECONDS (since 1970).
//
// chmcmd stamps the help file with the time it runs (in the file's header, in its #SYSTEM entry and in
// pages it compresses), so two builds of the same sources gave different bytes. It is a Free Pascal
// program that asks the kernel directly, past any library a preloaded shim could replace; so this
// runner traces its system calls and rewrites what the clock calls return. Only the wall clock is
// stopped: the monotonic clocks keep running, as a program measuring a delay needs them to.
// chmcmd's compressor also gives other bytes for other memory addresses, so the program runs with its
// addresses laid out the same way each time (no address randomisation).
#include <sys/personality.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>

namespace {

// Writes one 8-byte word into the traced process.
void Poke(pid_t pid, std::uint64_t address, std::uint64_t value) {
    ptrace(PTRACE_POKEDATA, pid, reinterpret_cast<void*>(address), reinterpret_cast<void*>(value));
}

void StopTheClock(pid_t pid, std::uint64_t seconds) {
    user_regs_struct regs{};
    if (ptrace(PTRACE_GETREGS, pid, nullptr, &regs) != 0 || static_cast<std::int64_t>(regs.rax) < 0) {
        return;  // a failed call returns no time
    }
    switch (regs.orig_rax) {
        case SYS_time:
            if (regs.rdi != 0) {
                Poke(pid, regs.rdi, seconds);
            }
            regs.rax = seconds;
            ptrace(PTRACE_SETREGS, pid, nullptr, &regs);
            break;
        case SYS_gettimeofday:
            if (regs.rdi != 0) {
                Poke(pid, regs.rdi, seconds);
                Poke(pid, regs.rdi + 8, 0);
            }
            break;
        case SYS_clock_gettime:
            if ((regs.rdi == CLOCK_REALTIME || regs.rdi == CLOCK_REALTIME_COARSE) && regs.rsi != 0) {
                Poke(pid, regs.rsi, seconds);
                Poke(pid, regs.rsi + 8, 0);
            }
            break;
        default:
            break;
    }
}

int Trace(pid_t child, std::uint64_t seconds) {
    constexpr int kSyscallStop = SIGTRAP | 0x80;
    const long options =
        PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACECLONE | PTRACE_O_TRACEFORK | PTRACE_O_TRACEVFORK;
    std::set<pid_t> inCall;  // the processes stopped on entering a call, whose exit comes next
    bool optionsSet = false;
    for (;;) {
        int status = 0;
        const pid_t pid = waitpid(-1, &status, __WALL);
        if (pid < 0) {
            return EXIT_FAILURE;
        }
        if (WIFEXITED(status) || WIFSIGNALED(status)) {
            if (pid == child) {
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            inCall.erase(pid);
            continue;
        }
        int forward = 0;
        if (!optionsSet) {
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, reinterpret_cast<void*>(options));
            optionsSet = true;
        } else if (WSTOPSIG(status) == kSyscallStop) {
            if (inCall.erase(pid) != 0) {
                StopTheClock(pid, seconds);
            } else {
                inCall.insert(pid);
            }
        } else if (status >> 16 == 0 && WSTOPSIG(status) != SIGTRAP && WSTOPSIG(status) != SIGSTOP) {
            forward = WSTOPSIG(status);  // a real signal: the program gets it
        }
        ptrace(PTRACE_SYSCALL, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(forward)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long long seconds = argc >= 3 ? std::strtoull(argv[1], &end, 10) : 0;
    if (argc < 3 || end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "usage: fixed_clock SECONDS PROGRAM [ARGS...]\n");
        return EXIT_FAILURE;
    }
    const pid_t child = fork();
    if (child < 0) {
        std::perror("fixed_clock: fork");
        return EXIT_FAILURE;
    }
    if (child == 0) {
        personality(ADDR_NO_RANDOMIZE);
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0) {
            raise(SIGSTOP);  // the parent sets its options here, before the program runs
        } else {
            // A sandbox that forbids tracing: the program still runs, with the real clock.
            std::fprintf(stderr, "fixed_clock: cannot trace (%s); %s runs with the real clock\n", std::strerror(errno),
                         argv[2]);
        }
        execvp(argv[2], argv + 2);
        std::fprintf(stderr, "fixed_clock: cannot run %s: %s\n", argv[2], std::strerror(errno));
        _exit(127);
    }
    return Trace(child, seconds);
}
