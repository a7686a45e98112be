// The constants of the Windows headers that scripts include, built in so that the compiler needs no SDK.
#pragma once

#include <optional>
#include <string_view>

namespace brcc {

struct BuiltInMacro {
    std::string_view name;  // lives as long as the program
    std::string_view value;
};

// The built-in constant of that name among the header groups given, if any.
std::optional<BuiltInMacro> FindBuiltInMacro(std::string_view name, unsigned groups);

// The header groups that the built-in header of that name (any case) brings; 0 when there is none.
unsigned BuiltInHeaderGroups(std::string_view name);

}  // namespace brcc
