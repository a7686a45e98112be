// Runs a command several times and prints its median wall time and its peak resident memory, from wait4's rusage.
// The median, not the best run: a multi-threaded program's best run flatters it on a shared machine.
// Usage: measure RUNS COMMAND [ARGS...]   prints "SECONDS PEAK_MB EXIT_CODE"
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: measure RUNS COMMAND [ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<double> times;
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
        times.push_back(seconds);
        peakKb = usage.ru_maxrss > peakKb ? usage.ru_maxrss : peakKb;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    std::sort(times.begin(), times.end());
    const double median = times.empty() ? 0.0 : times[times.size() / 2];
    std::printf("%.4f %.1f %d\n", median, static_cast<double>(peakKb) / 1024.0, exitCode);
    return 0;
}
