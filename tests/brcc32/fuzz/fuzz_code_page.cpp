// Fuzz target: arbitrary bytes read in every code page, by the decoder, the string decoders and the preprocessor.
// The first byte picks the page; the decoder must give one UTF-16 unit per character it steps over.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "brcc32/preprocessor/preprocessor.h"
#include "brcc32/script/strings.h"
#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"
#include "brcc32/text/code_page_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::span<const brcc::CodePageTable> tables = brcc::CodePageTables();
    const bool utf8 = data[0] == 0xFF;
    const std::uint32_t page = utf8 ? brcc::kCodePageUtf8 : tables[data[0] % tables.size()].m_number;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::u16string decoded = brcc::ToUtf16(text, page);
    if (!utf8) {
        const brcc::CodePageTable* table = brcc::FindCodePageTable(page);
        std::size_t characters = 0;
        for (std::size_t i = 0; i < text.size(); i += brcc::CharacterSize(table, text, i)) {
            ++characters;
        }
        if (characters != decoded.size()) {
            __builtin_trap();
        }
    }
    brcc::DecodeNarrowString(text, page);
    brcc::DecodeWideString(text, page);
    try {
        brcc::Preprocessor preprocessor(brcc::PreprocessOptions{},
                                        [](const std::filesystem::path&) { return std::optional<std::string>(); });
        const std::string script = "#pragma code_page(" + std::to_string(page) + ")\n" + std::string(text);
        preprocessor.Run(script, "fuzz.rc", "fuzz.rc");
    } catch (const brcc::ScriptError& error) {
        if (error.Line() < 1) {
            __builtin_trap();
        }
    }
    return 0;
}
