// STRINGTABLE statements: strings gathered into bundles of 16 by id and language, written after every other resource.
#include "brcc32/byte_order.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kStringsPerBundle = 16;

}  // namespace

void ResourceCompiler::AddStrings(const ResourceStatement& statement) {
    for (const ResourceStatement::String& string : statement.strings) {
        const auto name = static_cast<std::uint16_t>((string.id >> 4) + 1);
        const std::uint32_t key = static_cast<std::uint32_t>(name) << 16 | statement.language;
        auto [found, added] = m_bundleIndex.try_emplace(key, m_bundles.size());
        if (added) {
            Claim(ResourceId::Ordinal(kTypeStringTable), ResourceId::Ordinal(name), statement.language, string.line);
            m_bundles.push_back({name,
                                 statement.language,
                                 statement.memoryFlags,
                                 statement.version,
                                 statement.characteristics,
                                 {},
                                 {}});
        }
        StringBundle& bundle = m_bundles[found->second];
        const std::size_t slot = string.id % kStringsPerBundle;
        if (bundle.strings[slot]) {
            throw ScriptError(
                string.line, Compose(msg::kDuplicateString, {std::to_string(string.id), HexLanguage(statement.language),
                                                             std::to_string(bundle.lines[slot])}));
        }
        // The length is 16 bits, and counts the NUL that /n adds.
        if (string.text.size() > (m_settings.nullTerminateStrings ? 0xFFFEu : 0xFFFFu)) {
            throw ScriptError(string.line, Compose(msg::kStringTooLong, {std::to_string(string.id)}));
        }
        bundle.strings[slot] = string.text;
        bundle.lines[slot] = string.line;
    }
}

void ResourceCompiler::WriteStringTables() {
    std::vector<std::uint8_t> data;
    for (const StringBundle& bundle : m_bundles) {
        data.clear();
        for (const std::optional<std::u16string>& string : bundle.strings) {
            const std::u16string_view text = string ? std::u16string_view(*string) : std::u16string_view();
            const bool terminate = string && m_settings.nullTerminateStrings;
            PutU16(data, static_cast<std::uint32_t>(text.size() + (terminate ? 1 : 0)));
            PutUtf16(data, text, terminate);
        }
        m_writer.WriteResource(ResourceId::Ordinal(kTypeStringTable), ResourceId::Ordinal(bundle.name),
                               bundle.memoryFlags, bundle.language, data, bundle.version, bundle.characteristics);
    }
}

}  // namespace brcc
