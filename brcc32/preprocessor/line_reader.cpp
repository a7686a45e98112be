// The preprocessor's reading of a file into logical lines: continuation lines joined, comments blanked.
#include <algorithm>
#include <array>

#include "brcc32/preprocessor/preprocessor_impl.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

// The characters that end a line, join it to the next, start a comment or a literal, or end a CR LF.
constexpr std::array<bool, 256> kLineSpecial = [] {
    std::array<bool, 256> special{};
    for (const char c : std::string_view("\n\r\\\"'/")) {
        special[static_cast<unsigned char>(c)] = true;
    }
    return special;
}();

// Whether the quote at `at` has its closing quote on its line: a lone apostrophe is just a character.
bool ClosesOnItsLine(std::string_view text, std::size_t at) {
    for (std::size_t i = at + 1; i < text.size() && text[i] != '\n'; ++i) {
        if (text[i] == text[at]) {
            return true;
        }
    }
    return false;
}

}  // namespace

// One line as the preprocessor sees it: continuation lines joined, comments replaced by a blank.
bool Preprocessor::Impl::ReadLogicalLine(SourceFile& file, LogicalLine& line) {
    const std::string& text = file.text;
    std::size_t i = file.position;
    if (i >= text.size()) {
        return false;
    }
    line.text.clear();
    line.firstLine = file.line;
    int lines = 1;
    std::size_t runStart = i;
    auto flush = [&](std::size_t end) { line.text.append(text, runStart, end - runStart); };
    char quote = 0;
    while (i < text.size()) {
        // Most of a line is none of the characters below: it is passed in one step.
        if (quote == 0) {
            while (i < text.size() && !kLineSpecial[static_cast<unsigned char>(text[i])]) {
                ++i;
            }
        } else {
            while (i < text.size() && text[i] != quote && text[i] != '\\' && text[i] != '\n' && text[i] != '\r' &&
                   (m_pairs == nullptr || static_cast<unsigned char>(text[i]) < 0x80)) {
                ++i;
            }
        }
        if (i >= text.size()) {
            break;
        }
        const char c = text[i];
        if (c == '\n') {
            break;
        }
        if (c == '\\' && (text.compare(i + 1, 1, "\n") == 0 || text.compare(i + 1, 2, "\r\n") == 0)) {
            flush(i);
            i += text[i + 1] == '\n' ? 2 : 3;
            ++lines;
            runStart = i;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            flush(i);
            runStart = ++i;
            continue;
        }
        if (quote != 0) {
            if (static_cast<unsigned char>(c) >= 0x80) {
                i += CharacterSize(m_pairs, text, i);  // a trail byte is no quote and no backslash
                continue;
            }
            if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                i += 2;
                continue;
            }
            if (c == quote) {
                quote = 0;
            }
            ++i;
            continue;
        }
        if (c == '"' || (c == '\'' && ClosesOnItsLine(text, i))) {
            quote = c;
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            flush(i);
            while (i < text.size() && text[i] != '\n') {
                if (text[i] == '\\' && text.compare(i + 1, 1, "\n") == 0) {
                    ++lines;
                    ++i;
                }
                i += m_pairs != nullptr ? CharacterSize(m_pairs, text, i) : 1;
            }
            runStart = i;
            break;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            flush(i);
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string::npos) {
                file.position = text.size();
                Fail(file, file.line + lines - 1, Compose(msg::kCommentNotClosed));
            }
            lines += static_cast<int>(
                std::count(text.begin() + static_cast<long>(i), text.begin() + static_cast<long>(end), '\n'));
            line.text += ' ';
            i = end + 2;
            runStart = i;
            continue;
        }
        ++i;
    }
    flush(std::min(i, text.size()));
    file.position = i < text.size() ? i + 1 : i;
    file.line += lines;
    line.lineCount = lines;
    return true;
}

}  // namespace brcc
