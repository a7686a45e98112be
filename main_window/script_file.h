// A script file's bytes and the memo's text, in the encoding the file came in.
#pragma once

#include <string>
#include <string_view>

#include "main_window/script_text.h"

namespace talvorine {

struct ScriptFileText {
    std::wstring text;
    ScriptEncoding encoding;
};

// The memo's text from a file's bytes: ANSI, or Unicode where the file starts with a byte-order mark.
ScriptFileText MemoTextFromFile(std::string bytes);

// The bytes that give `text` back when read: a Unicode file keeps its mark, so that a script
// opened and saved again is the same file and its compiler reads it the same way.
// Raises Error for an ANSI file when a character has no byte in the code page.
std::string FileBytesFromMemoText(std::wstring_view text, ScriptEncoding encoding);

}  // namespace talvorine
