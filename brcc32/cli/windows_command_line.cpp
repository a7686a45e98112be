// Command-line splitting for the Windows program; portable, so that its rules are tested natively.
#include "brcc32/cli/windows_command_line.h"

#include <algorithm>

namespace brcc {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// Whether `argument`, as far as it is read, is a define up to its '=' ("-DNAME=", or "NAME=" after a lone -D).
bool AtDefineValue(const std::string& argument, bool afterDefineOption) {
    if (argument.empty() || argument.back() != '=') {
        return false;
    }
    if (afterDefineOption) {
        return argument.find('=') == argument.size() - 1;
    }
    return argument.size() > 3 && argument[0] == '-' && (argument[1] == 'd' || argument[1] == 'D') &&
           argument.find('=') == argument.size() - 1;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::size_t at = 0;
    // The program's name ends at the first space, or at its closing quote; backslashes are part of a path there.
    if (at < line.size() && line[at] == '"') {
        const std::size_t end = line.find('"', 1);
        at = end == std::string_view::npos ? line.size() : end + 1;
    }
    while (at < line.size() && !IsSpace(line[at])) {
        ++at;
    }
    std::vector<std::string> arguments;
    bool afterDefineOption = false;
    while (true) {
        while (at < line.size() && IsSpace(line[at])) {
            ++at;
        }
        if (at == line.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (at < line.size() && (quoted || !IsSpace(line[at]))) {
            const char c = line[at];
            if (c == '\\') {
                std::size_t count = 0;
                while (at < line.size() && line[at] == '\\') {
                    ++count;
                    ++at;
                }
                if (at < line.size() && line[at] == '"') {
                    argument.append(count / 2, '\\');
                    if (count % 2 == 1) {
                        argument += '"';
                        ++at;
                    }
                } else {
                    argument.append(count, '\\');
                }
                continue;
            }
            if (c != '"') {
                argument += c;
                ++at;
                continue;
            }
            if (!quoted && AtDefineValue(argument, afterDefineOption)) {
                // Kept as written, quotes and all, up to the quote that closes it.
                std::size_t end = at + 1;
                while (end < line.size() && line[end] != '"') {
                    end += line[end] == '\\' && end + 1 < line.size() ? 2 : 1;
                }
                end = std::min(end + 1, line.size());
                argument.append(line.substr(at, end - at));
                at = end;
                continue;
            }
            if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                argument += '"';
                at += 2;
                continue;
            }
            quoted = !quoted;
            ++at;
        }
        afterDefineOption = argument == "-d" || argument == "-D";
        arguments.push_back(std::move(argument));
    }
}

}  // namespace brcc
