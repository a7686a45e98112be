// The decompiler's guarantee: what it writes is read back by the compiler's own parser and encoders, and only text
// that gives the stored bytes again is kept.
#pragma once

#include <string_view>

#include "brcc32/output/res_file.h"

namespace brcc {

// Whether `text`, one statement or STRINGTABLE, builds `entry`: its name, type, flags, language, version,
// characteristics and bytes.
bool BuildsEntry(std::string_view text, const ResEntry& entry);

// Whether the statement that starts with `head` (a name, a type, flags and options; its data or file left off) gives
// `entry` its name, type and all but its bytes.
bool HeadNames(std::string_view head, const ResEntry& entry);

}  // namespace brcc
