// The least any compiler of the script must do: open, read and close each file it names, and write what it read.
// Each file is read in one call of its own size, the output written in large blocks: the fewest system calls.
// Usage: io_floor LIST OUTPUT   (LIST: one file name a line)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr size_t kBlock = 256 * 1024;

bool WriteAll(int output, const std::vector<char>& bytes) {
    return write(output, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: io_floor LIST OUTPUT\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    const int output = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!list || output < 0) {
        return 1;
    }
    std::vector<char> pending;
    pending.reserve(2 * kBlock);
    std::string name;
    while (std::getline(list, name)) {
        const int input = open(name.c_str(), O_RDONLY);
        struct stat status {};
        if (input < 0 || fstat(input, &status) != 0) {
            return 1;
        }
        const size_t start = pending.size();
        pending.resize(start + static_cast<size_t>(status.st_size));
        if (read(input, pending.data() + start, static_cast<size_t>(status.st_size)) != status.st_size) {
            return 1;
        }
        close(input);
        if (pending.size() >= kBlock) {
            if (!WriteAll(output, pending)) {
                return 1;
            }
            pending.clear();
        }
    }
    return WriteAll(output, pending) && close(output) == 0 ? 0 : 1;
}
