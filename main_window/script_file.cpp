// A script file's bytes and the memo's text, in the encoding the file came in.
#include "main_window/script_file.h"

#include "framework/ansi.h"

namespace talvorine {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace

ScriptFileText MemoTextFromFile(std::string bytes) {
    // The bytes go as soon as the text is decoded: one large copy at a time.
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    std::wstring decoded;
    switch (mark.encoding) {
        case ScriptEncoding::kAnsi: {
            std::string script = ScriptTextFromFileBytes(bytes);
            std::string().swap(bytes);
            return {framework::AnsiToWide(script), ScriptEncoding::kAnsi};
        }
        case ScriptEncoding::kUtf8:
            decoded = framework::Utf8ToWide(std::string_view(bytes).substr(mark.length));
            break;
        case ScriptEncoding::kUtf16Le:
        case ScriptEncoding::kUtf16Be:
            decoded = Utf16UnitsFromBytes(std::string_view(bytes).substr(mark.length),
                                          mark.encoding == ScriptEncoding::kUtf16Be);
            break;
    }
    std::string().swap(bytes);
    return {ScriptTextFromWideText(decoded), mark.encoding};
}

std::string FileBytesFromMemoText(std::wstring_view text, ScriptEncoding encoding) {
    switch (encoding) {
        case ScriptEncoding::kUtf8:
            return std::string(kUtf8Mark) + framework::WideToUtf8(text);
        case ScriptEncoding::kUtf16Le:
            return std::string(kUtf16LeMark) + Utf16BytesFromUnits(text, false);
        case ScriptEncoding::kUtf16Be:
            return std::string(kUtf16BeMark) + Utf16BytesFromUnits(text, true);
        case ScriptEncoding::kAnsi:
            break;
    }
    return framework::WideToAnsi(text);
}

}  // namespace talvorine
