// Escapes as Windows' resource compiler reads them: \a is a backspace there, and an unknown escape stays as written.
#include "brcc32/script/strings.h"

#include "brcc32/text/code_page.h"

namespace brcc {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

// Reads the escape at raw[i] == '\\'; returns the code it stands for, or -1 when it stays as written. Moves `i`.
long ReadEscape(std::string_view raw, std::size_t& i, std::size_t hexDigits, std::size_t octalDigits) {
    if (i + 1 >= raw.size()) {
        ++i;
        return -1;
    }
    const char c = raw[i + 1];
    i += 2;
    switch (c) {
        case 'n':
            return '\n';
        case 't':
            return '\t';
        case 'r':
            return '\r';
        case 'a':
            return '\b';
        case '\\':
            return '\\';
        case '"':
            // C++Builder's projects write a quote so; before a doubled quote, the backslash is text and "" the quote.
            if (i < raw.size() && raw[i] == '"') {
                break;
            }
            return '"';
        case 'x':
        case 'X': {
            long value = 0;
            std::size_t count = 0;
            while (count < hexDigits && i < raw.size() && HexDigit(raw[i]) >= 0) {
                value = value * 16 + HexDigit(raw[i++]);
                ++count;
            }
            return value;
        }
        default:
            break;
    }
    if (c >= '0' && c <= '7') {
        long value = c - '0';
        std::size_t count = 1;
        while (count < octalDigits && i < raw.size() && raw[i] >= '0' && raw[i] <= '7') {
            value = value * 8 + (raw[i++] - '0');
            ++count;
        }
        return value;
    }
    i -= 1;  // the backslash stays, the character after it is read as any other
    return -1;
}

}  // namespace

std::string DecodeNarrowString(std::string_view raw, std::uint32_t codePage, Letters letters) {
    const CodePageTable* pairs = HasDoubleByteCharacters(codePage) ? FindCodePageTable(codePage) : nullptr;
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        if (pairs != nullptr && CharacterSize(pairs, raw, i) == 2) {
            out.append(raw, i, 2);  // its trail byte may be a '\\' that escapes nothing
            i += 2;
        } else if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') {
            out += '"';
            i += 2;
        } else if (raw[i] == '\\') {
            const long code = ReadEscape(raw, i, 2, 3);
            out += code < 0 ? '\\' : static_cast<char>(code & 0xFF);
        } else {
            const char c = raw[i++];
            out += letters == Letters::kUpperCased && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
    }
    return out;
}

std::u16string DecodeWideString(std::string_view raw, std::uint32_t codePage, Letters letters) {
    const CodePageTable* pairs = HasDoubleByteCharacters(codePage) ? FindCodePageTable(codePage) : nullptr;
    std::u16string out;
    out.reserve(raw.size());
    std::size_t runStart = 0;
    // A run holds no escape, so each a-z it gives was typed as such: a double-byte character never reads as one.
    auto flush = [&](std::size_t end) {
        const std::size_t from = out.size();
        out += ToUtf16(raw.substr(runStart, end - runStart), codePage);
        if (letters == Letters::kUpperCased) {
            for (std::size_t k = from; k < out.size(); ++k) {
                out[k] = out[k] >= u'a' && out[k] <= u'z' ? static_cast<char16_t>(out[k] - u'a' + u'A') : out[k];
            }
        }
    };
    for (std::size_t i = 0; i < raw.size();) {
        if (pairs != nullptr && CharacterSize(pairs, raw, i) == 2) {
            i += 2;
        } else if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') {
            flush(i);
            out += u'"';
            i += 2;
            runStart = i;
        } else if (raw[i] == '\\') {
            flush(i);
            const long code = ReadEscape(raw, i, 4, 4);
            if (code < 0) {
                out += u'\\';
            } else {
                out += static_cast<char16_t>(code & 0xFFFF);
            }
            runStart = i;
        } else {
            ++i;
        }
    }
    flush(raw.size());
    return out;
}

}  // namespace brcc
