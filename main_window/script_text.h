// The script text as it travels between a file and the memo.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talvorine {

// What the memo shows of a file's bytes: the text up to the first NUL, with every
// line break made CR LF (CR LF, a lone CR and a lone LF are one break each; LF CR is two).
std::string ScriptTextFromFileBytes(std::string_view bytes);
// The same rules, for a text already decoded from a Unicode file.
std::wstring ScriptTextFromWideText(std::wstring_view text);

enum class ScriptEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

struct ByteOrderMark {
    ScriptEncoding encoding;
    size_t length;  // bytes of the mark itself, 0 for an ANSI file
};

// Other editors mark Unicode files at their start; a file without a mark is ANSI.
ByteOrderMark DetectByteOrderMark(std::string_view bytes);

// UTF-16 code units from their bytes; an odd last byte, half a unit, becomes U+FFFD.
std::wstring Utf16UnitsFromBytes(std::string_view bytes, bool bigEndian);
// And back: two bytes a unit, in the order given.
std::string Utf16BytesFromUnits(std::wstring_view units, bool bigEndian);

}  // namespace talvorine
