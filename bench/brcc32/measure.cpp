// Runs a command several times and prints its best wall time and its peak resident memory, from wait4's rusage.
// Usage: measure RUNS COMMAND [ARGS...]   prints "SECONDS PEAK_MB EXIT_CODE"
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: measure RUNS COMMAND [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    double best = 1e30;
    long peakKb = 0;
    int exitCode = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            execvp(argv[2], argv + 2);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = seconds < best ? seconds : best;
        peakKb = usage.ru_maxrss > peakKb ? usage.ru_maxrss : peakKb;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    std::printf("%.4f %.1f %d\n", best, static_cast<double>(peakKb) / 1024.0, exitCode);
    return 0;
}
