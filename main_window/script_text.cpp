// The script text as it travels between a file and the memo.
#include "main_window/script_text.h"

#include <algorithm>

namespace talvorine {

std::string ScriptTextFromFileBytes(std::string_view bytes) {
    bytes = bytes.substr(0, bytes.find('\0'));

    // One pass to size the result exactly: a 10 MB script must not be copied twice over.
    size_t size = bytes.size();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            ++size;  // lone CR gains an LF
        } else if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            ++size;  // lone LF gains a CR
        }
    }
    std::string text;
    text.reserve(size);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            text += "\r\n";
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace talvorine
