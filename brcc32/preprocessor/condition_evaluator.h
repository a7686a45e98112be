// C integer expressions of #if and #elif, on the text after macros are expanded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "brcc32/messages.h"

namespace brcc {

// The value of the expression; `fail` is called with the message of a fault and must not return.
std::int64_t EvaluateExpression(std::string_view text, const std::function<void(const LocalText&)>& fail);

}  // namespace brcc
