// The constants of the Windows headers that scripts include, built in so that the compiler needs no SDK.
#include "brcc32/preprocessor/built_in_headers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "brcc32/preprocessor/tokens.h"

namespace brcc {
namespace {

struct BuiltInSource {
    std::string_view name;
    std::string_view value;
    unsigned char groups;
};

// Read only while compiling, to build kBuiltInMacros: it holds pointers, which would be relocated, so read whole,
// at every start of the program.
constexpr BuiltInSource kBuiltInSources[] = {
#include "brcc32/preprocessor/windows_headers.inc"
};

constexpr std::size_t BuiltInTextSize() {
    std::size_t size = 0;
    for (const BuiltInSource& source : kBuiltInSources) {
        size += source.name.size() + source.value.size();
    }
    return size;
}

constexpr std::size_t kBuiltInCount = std::size(kBuiltInSources);

// Each entry's name and value follow one another in one array of text, and entries say where: records of
// fixed-size text arrays made the table four times larger.
struct BuiltInEntry {
    std::uint32_t offset;
    std::uint8_t nameSize;
    std::uint8_t valueSize;
    std::uint8_t groups;
};

struct BuiltInTable {
    std::array<char, BuiltInTextSize()> text;
    std::array<BuiltInEntry, kBuiltInCount> entries;
};

constexpr BuiltInTable PackBuiltIns() {
    BuiltInTable table{};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < kBuiltInCount; ++i) {
        const BuiltInSource& source = kBuiltInSources[i];
        if (source.name.size() > 255 || source.value.size() > 255) {
            throw "a built-in name or value is longer than an entry can say";
        }
        table.entries[i] = {static_cast<std::uint32_t>(offset), static_cast<std::uint8_t>(source.name.size()),
                            static_cast<std::uint8_t>(source.value.size()), source.groups};
        for (const char c : source.name) {
            table.text[offset++] = c;
        }
        for (const char c : source.value) {
            table.text[offset++] = c;
        }
    }
    return table;
}

constexpr BuiltInTable kBuiltInMacros = PackBuiltIns();

std::string_view BuiltInName(const BuiltInEntry& entry) {
    return {kBuiltInMacros.text.data() + entry.offset, entry.nameSize};
}

std::string_view BuiltInValue(const BuiltInEntry& entry) {
    return {kBuiltInMacros.text.data() + entry.offset + entry.nameSize, entry.valueSize};
}

constexpr unsigned kGroupWindows = 1;
constexpr unsigned kGroupWinRes = 2;
constexpr unsigned kGroupCommCtrl = 4;
constexpr unsigned kGroupDlgs = 8;
constexpr unsigned kGroupWinVer = 16;

struct BuiltInHeader {
    std::string_view name;
    unsigned groups;
};

// The headers resource scripts include; each brings the constants the MinGW-w64 header of that name brings.
constexpr std::array<BuiltInHeader, 15> kBuiltInHeaders = {{
    {"windows.h", kGroupWindows},
    {"winresrc.h", kGroupWindows},
    {"winuser.h", kGroupWindows},
    {"winuser.rh", kGroupWindows},
    {"winnt.h", kGroupWindows},
    {"winnt.rh", kGroupWindows},
    {"winbase.h", kGroupWindows},
    {"winres.h", kGroupWindows | kGroupWinRes},
    {"afxres.h", kGroupWindows | kGroupWinRes},
    {"winver.h", kGroupWinVer},
    {"verrsrc.h", kGroupWinVer},
    {"commctrl.h", kGroupCommCtrl},
    {"commctrl.rh", kGroupCommCtrl},
    {"dlgs.h", kGroupDlgs},
    {"prsht.h", kGroupCommCtrl},
}};

}  // namespace

std::optional<BuiltInMacro> FindBuiltInMacro(std::string_view name, unsigned groups) {
    const auto end = kBuiltInMacros.entries.end();
    const auto entry = std::lower_bound(kBuiltInMacros.entries.begin(), end, name,
                                        [](const BuiltInEntry& m, std::string_view n) { return BuiltInName(m) < n; });
    if (entry == end || BuiltInName(*entry) != name || (entry->groups & groups) == 0) {
        return std::nullopt;
    }
    return BuiltInMacro{BuiltInName(*entry), BuiltInValue(*entry)};
}

unsigned BuiltInHeaderGroups(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    for (const BuiltInHeader& header : kBuiltInHeaders) {
        if (header.name.size() == name.size() && std::equal(name.begin(), name.end(), header.name.begin(),
                                                            [](char a, char b) { return LowerAscii(a) == b; })) {
            return header.groups;
        }
    }
    return 0;
}

}  // namespace brcc
