// Response files, split as the tool whose dialect is spoken splits them.
#include "brcc32/cli/response_file.h"

#include <cctype>

#include "brcc32/cli/windows_command_line.h"
#include "brcc32/files/input_file.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

// Deep enough for any real build; a file that names itself stops here instead of exhausting the stack.
constexpr int kMaxDepth = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::vector<std::string> SplitGnu(std::string_view text) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return arguments;
        }
        std::string argument;
        char quote = 0;
        while (i < text.size() && (quote != 0 || !IsBlank(text[i]))) {
            const char c = text[i++];
            if (c == '\\' && i < text.size()) {
                argument += text[i++];
            } else if (quote != 0 && c == quote) {
                quote = 0;
            } else if (quote == 0 && (c == '"' || c == '\'')) {
                quote = c;
            } else {
                argument += c;
            }
        }
        arguments.push_back(std::move(argument));
    }
}

void Expand(const std::vector<std::string>& arguments, ResponseFileQuoting quoting, const ResponseFileReader& reader,
            int depth, std::vector<std::string>& out) {
    for (const std::string& argument : arguments) {
        if (argument.size() < 2 || argument[0] != '@') {
            out.push_back(argument);
            continue;
        }
        const std::string name = argument.substr(1);
        if (depth == kMaxDepth) {
            throw ResponseFileError(ResponseFileError::Kind::kNestedTooDeep, name);
        }
        const std::optional<std::string> bytes = reader(PathFromUtf8(name));
        if (!bytes) {
            throw ResponseFileError(ResponseFileError::Kind::kUnreadable, name);
        }
        // Text arguments hold no NUL: these are UTF-16 characters saved without the mark that tells them apart, as
        // some editors and PowerShell's redirections write them. Read as bytes they would be options named '/'.
        if (bytes->find('\0') != std::string::npos && !Utf16FileToUtf8(*bytes)) {
            throw ResponseFileError(ResponseFileError::Kind::kUtf16WithoutMark, name);
        }
        Expand(SplitResponseText(*bytes, quoting), quoting, reader, depth + 1, out);
    }
}

std::optional<std::string> ReadFromDisk(const std::filesystem::path& path) {
    try {
        return ReadTextFile(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

std::vector<std::string> SplitResponseText(std::string_view bytes, ResponseFileQuoting quoting) {
    std::string text;
    if (std::optional<std::string> converted = Utf16FileToUtf8(bytes)) {
        text = std::move(*converted);
    } else {
        text = bytes.starts_with("\xEF\xBB\xBF") ? std::string(bytes.substr(3)) : std::string(bytes);
    }
    return quoting == ResponseFileQuoting::kGnu ? SplitGnu(text)
                                                : SplitWindowsArguments(text, WindowsArgumentSource::kResponseFile);
}

std::vector<std::string> ExpandResponseFiles(const std::vector<std::string>& arguments, ResponseFileQuoting quoting,
                                             const ResponseFileReader& reader) {
    std::vector<std::string> out;
    Expand(arguments, quoting, reader ? reader : ResponseFileReader(ReadFromDisk), 0, out);
    return out;
}

}  // namespace brcc
