// The script text as it travels between a file and the memo.
#include "main_window/script_text.h"

namespace talvorine {
namespace {

template <typename Char>
std::basic_string<Char> NormalisedText(std::basic_string_view<Char> text) {
    text = text.substr(0, text.find(Char('\0')));

    // One pass to size the result exactly: a 10 MB script must not be copied twice over.
    size_t size = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == Char('\r') && (i + 1 == text.size() || text[i + 1] != Char('\n'))) {
            ++size;  // lone CR gains an LF
        } else if (text[i] == Char('\n') && (i == 0 || text[i - 1] != Char('\r'))) {
            ++size;  // lone LF gains a CR
        }
    }
    std::basic_string<Char> result;
    result.reserve(size);
    for (size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n')) {
            result += Char('\r');
            result += Char('\n');
            if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) {
                ++i;
            }
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::string ScriptTextFromFileBytes(std::string_view bytes) { return NormalisedText(bytes); }

std::wstring ScriptTextFromWideText(std::wstring_view text) { return NormalisedText(text); }

ByteOrderMark DetectByteOrderMark(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return {ScriptEncoding::kUtf8, 3};
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return {ScriptEncoding::kUtf16Le, 2};
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return {ScriptEncoding::kUtf16Be, 2};
    }
    return {ScriptEncoding::kAnsi, 0};
}

std::wstring Utf16UnitsFromBytes(std::string_view bytes, bool bigEndian) {
    std::wstring units;
    units.reserve(bytes.size() / 2 + 1);
    const auto byteAt = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned first = byteAt(i);
        const unsigned second = byteAt(i + 1);
        units += static_cast<wchar_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    if (bytes.size() % 2 != 0) {
        units += L'\uFFFD';
    }
    return units;
}

std::string Utf16BytesFromUnits(std::wstring_view units, bool bigEndian) {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (const wchar_t unit : units) {
        const char high = static_cast<char>((unit >> 8) & 0xFF);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace talvorine
