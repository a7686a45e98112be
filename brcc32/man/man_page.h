// The manual page brcc32(1), written from the usage texts that --help prints, in either language.
#pragma once

#include <string>

#include "brcc32/messages.h"

namespace brcc {

// The page in roff (man macros), UTF-8.
std::string ManPage(UiLanguage language);

}  // namespace brcc
