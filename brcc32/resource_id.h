// A resource type or name: a 16-bit ordinal or UTF-16 text, as a .res file stores it; the same whether a script gave
// it or a reader read it back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brcc {

struct ResourceId {
    bool isOrdinal = true;
    std::uint16_t ordinal = 0;
    // Only when !isOrdinal. A script's identifier gives upper-cased ASCII, its quoted text any character.
    std::u16string text;

    static ResourceId Ordinal(std::uint16_t value) { return ResourceId{true, value, {}}; }
    static ResourceId Text(std::u16string text) { return ResourceId{false, 0, std::move(text)}; }
    static ResourceId Text(std::string_view ascii) { return Text(std::u16string(ascii.begin(), ascii.end())); }

    bool operator==(const ResourceId&) const = default;
    // Text names before ordinals, each in ascending order: the order of a resource directory.
    bool operator<(const ResourceId& other) const {
        if (isOrdinal != other.isOrdinal) {
            return !isOrdinal;
        }
        return isOrdinal ? ordinal < other.ordinal : text < other.text;
    }
};

// Ordinals of the predefined types.
inline constexpr std::uint16_t kTypeCursor = 1;
inline constexpr std::uint16_t kTypeBitmap = 2;
inline constexpr std::uint16_t kTypeIcon = 3;
inline constexpr std::uint16_t kTypeMenu = 4;
inline constexpr std::uint16_t kTypeDialog = 5;
inline constexpr std::uint16_t kTypeStringTable = 6;
inline constexpr std::uint16_t kTypeFontDirectory = 7;
inline constexpr std::uint16_t kTypeFont = 8;
inline constexpr std::uint16_t kTypeAccelerator = 9;
inline constexpr std::uint16_t kTypeRcData = 10;
inline constexpr std::uint16_t kTypeMessageTable = 11;
inline constexpr std::uint16_t kTypeGroupCursor = 12;
inline constexpr std::uint16_t kTypeGroupIcon = 14;
inline constexpr std::uint16_t kTypeVersionInfo = 16;
inline constexpr std::uint16_t kTypeDlgInclude = 17;
inline constexpr std::uint16_t kTypePlugPlay = 19;
inline constexpr std::uint16_t kTypeVxd = 20;
inline constexpr std::uint16_t kTypeAniCursor = 21;
inline constexpr std::uint16_t kTypeAniIcon = 22;
inline constexpr std::uint16_t kTypeHtml = 23;
inline constexpr std::uint16_t kTypeToolbar = 241;  // MFC's and WTL's, not Windows' own

// Memory flags as the 16-bit resource format keeps them.
inline constexpr std::uint16_t kMemMoveable = 0x0010;
inline constexpr std::uint16_t kMemPure = 0x0020;
inline constexpr std::uint16_t kMemPreload = 0x0040;
inline constexpr std::uint16_t kMemDiscardable = 0x1000;

inline constexpr std::uint16_t kDefaultLanguage = 0x0409;

}  // namespace brcc
