// The least any compiler of the script must do: open, read and close each file it names, and write what it read.
// Usage: io_floor LIST OUTPUT   (LIST: one file name a line)
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

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
    std::vector<char> buffer(1 << 16);
    std::string name;
    while (std::getline(list, name)) {
        const int input = open(name.c_str(), O_RDONLY);
        if (input < 0) {
            return 1;
        }
        ssize_t got = 0;
        while ((got = read(input, buffer.data(), buffer.size())) > 0) {
            if (write(output, buffer.data(), static_cast<size_t>(got)) != got) {
                return 1;
            }
        }
        close(input);
    }
    return close(output) == 0 ? 0 : 1;
}
