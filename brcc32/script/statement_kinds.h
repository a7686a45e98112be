// The kinds of resource statement by their type keyword, each with the member that parses what follows the type.
#pragma once

#include <cstdint>
#include <string_view>

#include "brcc32/resource_id.h"
#include "brcc32/script/parser.h"

namespace brcc {

inline constexpr std::uint16_t kIconImageFlags = kMemMoveable | kMemDiscardable;
inline constexpr std::uint16_t kOtherFlags = kMemMoveable | kMemPure;

struct ScriptParser::StatementKind {
    std::string_view keyword;
    std::uint16_t type;  // the predefined type's ordinal
    ResourceKind kind;
    std::uint16_t memoryFlags;  // before the statement's own PRELOAD, FIXED...
    // False where the statement defines no resource.
    bool (ScriptParser::*parse)(const Token& typeToken, ResourceStatement& statement);
};

}  // namespace brcc
