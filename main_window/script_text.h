// The script text as it travels between a file and the memo.
#pragma once

#include <string>
#include <string_view>

namespace talvorine {

// What the memo shows of a file's bytes: the text up to the first NUL, with every
// line break made CR LF (CR LF, a lone CR and a lone LF are one break each; LF CR is two).
std::string ScriptTextFromFileBytes(std::string_view bytes);

}  // namespace talvorine
