// Splitting arguments by Windows' rules; portable, so that its rules are tested natively.
#include "brcc32/cli/windows_command_line.h"

#include <algorithm>

namespace brcc {
namespace {

bool IsSeparator(char c, WindowsArgumentSource source) {
    if (c == ' ' || c == '\t') {
        return true;
    }
    return source == WindowsArgumentSource::kResponseFile && (c == '\r' || c == '\n' || c == '\f' || c == '\v');
}

// Whether `argument`, as far as it is read, is a define up to its '=' ("-DNAME=", or "NAME=" after a lone -D).
bool AtDefineValue(const std::string& argument, bool afterDefineOption) {
    if (argument.empty() || argument.back() != '=') {
        return false;
    }
    if (afterDefineOption) {
        return argument.find('=') == argument.size() - 1;
    }
    return argument.size() > 3 && (argument[0] == '-' || argument[0] == '/') &&
           (argument[1] == 'd' || argument[1] == 'D') && argument.find('=') == argument.size() - 1;
}

}  // namespace

std::vector<std::string> SplitWindowsArguments(std::string_view text, WindowsArgumentSource source) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    bool afterDefineOption = false;
    while (true) {
        while (at < text.size() && IsSeparator(text[at], source)) {
            ++at;
        }
        if (at == text.size()) {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        while (at < text.size() && (quoted || !IsSeparator(text[at], source))) {
            const char c = text[at];
            if (c == '\\') {
                std::size_t count = 0;
                while (at < text.size() && text[at] == '\\') {
                    ++count;
                    ++at;
                }
                if (at < text.size() && text[at] == '"') {
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
                while (end < text.size() && text[end] != '"') {
                    end += text[end] == '\\' && end + 1 < text.size() ? 2 : 1;
                }
                end = std::min(end + 1, text.size());
                argument.append(text.substr(at, end - at));
                at = end;
                continue;
            }
            // "" inside quotes is a literal quote, as the Windows C runtime reads it.
            if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
                argument += '"';
                at += 2;
                continue;
            }
            quoted = !quoted;
            ++at;
        }
        afterDefineOption = argument == "-d" || argument == "-D" || argument == "/d" || argument == "/D";
        arguments.push_back(std::move(argument));
    }
}

std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::size_t at = 0;
    // The program's name ends at the first space, or at its closing quote; backslashes are part of a path there.
    if (at < line.size() && line[at] == '"') {
        const std::size_t end = line.find('"', 1);
        at = end == std::string_view::npos ? line.size() : end + 1;
    }
    while (at < line.size() && line[at] != ' ' && line[at] != '\t') {
        ++at;
    }
    return SplitWindowsArguments(line.substr(at), WindowsArgumentSource::kCommandLine);
}

}  // namespace brcc
