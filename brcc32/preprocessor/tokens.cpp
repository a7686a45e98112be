// Characters and preprocessing tokens as the preprocessor and its expression evaluator read them.
#include "brcc32/preprocessor/tokens.h"

#include <algorithm>

namespace brcc {

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t TokenEnd(std::string_view text, std::size_t i) {
    const char c = text[i];
    if (IsIdentifierStart(c)) {
        if ((c == 'L' || c == 'u' || c == 'U') && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\'')) {
            return TokenEnd(text, i + 1);
        }
        return IdentifierEnd(text, i + 1);
    }
    if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
        while (++i < text.size()) {
            const char d = text[i];
            if ((d == '+' || d == '-') && (LowerAscii(text[i - 1]) == 'e' || LowerAscii(text[i - 1]) == 'p')) {
                continue;
            }
            if (!IsIdentifierChar(d) && d != '.') {
                break;
            }
        }
        return i;
    }
    if (c == '"' || c == '\'') {
        while (++i < text.size() && text[i] != c) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                ++i;
            }
        }
        return std::min(i + 1, text.size());
    }
    if (c == '#' && i + 1 < text.size() && text[i + 1] == '#') {
        return i + 2;
    }
    return i + 1;
}

}  // namespace brcc
