// C integer expressions of #if and #elif, on the text after macros are expanded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace brcc {

// The value of the expression; `fail` is called with the message of a fault and must not return.
std::int64_t EvaluateExpression(std::string_view text, const std::function<void(const std::string&)>& fail);

}  // namespace brcc
