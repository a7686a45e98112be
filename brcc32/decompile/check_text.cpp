// Parses what the decompiler wrote as the compiler will, in the script's UTF-8, and compares with the stored resource.
#include "brcc32/decompile/check_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "brcc32/byte_order.h"
#include "brcc32/encode/encode.h"
#include "brcc32/script/parser.h"

namespace brcc {
namespace {

constexpr std::uint32_t kUtf8 = 65001;

std::optional<ResourceStatement> ParseOne(std::string_view text, std::uint16_t language) {
    try {
        ScriptParser parser(text, CodePageChanges{{1, kUtf8}});
        parser.SetDefaultLanguage(language);
        std::optional<ResourceStatement> statement = parser.Next();
        if (!statement || parser.Next()) {
            return std::nullopt;
        }
        return statement;
    } catch (...) {
        return std::nullopt;  // any refusal: the text is not what the compiler reads
    }
}

bool SameHead(const ResourceStatement& statement, const ResEntry& entry) {
    // A STRINGTABLE has no name of its own: its bundle is named by its strings' ids.
    const bool named = statement.kind == ResourceKind::kStrings || statement.name == entry.name;
    return statement.type == entry.type && named && statement.memoryFlags == entry.memoryFlags &&
           statement.language == entry.language && statement.version == entry.version &&
           statement.characteristics == entry.characteristics;
}

// A bundle as the compiler writes one from a STRINGTABLE's strings, all of which must fall in it.
std::optional<std::vector<std::uint8_t>> BundleBytes(const ResourceStatement& statement, std::uint16_t bundle) {
    std::array<std::optional<std::u16string>, 16> strings;
    for (const ResourceStatement::String& string : statement.strings) {
        if ((string.id >> 4) + 1 != bundle || strings[string.id % 16]) {
            return std::nullopt;
        }
        strings[string.id % 16] = string.text;
    }
    if (statement.strings.empty()) {
        return std::nullopt;  // no string, no bundle
    }
    std::vector<std::uint8_t> out;
    for (const std::optional<std::u16string>& string : strings) {
        const std::u16string_view text = string ? std::u16string_view(*string) : std::u16string_view();
        PutU16(out, static_cast<std::uint32_t>(text.size()));
        PutUtf16(out, text, false);
    }
    return out;
}

bool SameBytes(const std::vector<std::uint8_t>& built, std::span<const std::uint8_t> stored) {
    return std::equal(built.begin(), built.end(), stored.begin(), stored.end());
}

}  // namespace

bool BuildsEntry(std::string_view text, const ResEntry& entry) {
    const std::optional<ResourceStatement> statement = ParseOne(text, entry.language);
    if (!statement || !SameHead(*statement, entry)) {
        return false;
    }
    if (statement->kind == ResourceKind::kStrings) {
        const std::optional<std::vector<std::uint8_t>> bundle = BundleBytes(*statement, entry.name.ordinal);
        return bundle && SameBytes(*bundle, entry.data);
    }
    if (statement->kind != ResourceKind::kData) {
        return false;
    }
    try {
        const std::optional<std::vector<std::uint8_t>> encoded = EncodeBody(statement->body);
        return SameBytes(encoded ? *encoded : statement->data, entry.data);
    } catch (...) {
        return false;  // over a size limit
    }
}

bool HeadNames(std::string_view head, const ResEntry& entry) {
    const std::optional<ResourceStatement> statement = ParseOne(std::string(head) + " {}\n", entry.language);
    return statement && SameHead(*statement, entry);
}

}  // namespace brcc
