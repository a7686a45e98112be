// Conversion of a script's text from its code page to UTF-16, through the generated tables; the UTF decoders.
#include "brcc32/text/code_page.h"

#include <algorithm>

#include "brcc32/text/code_page_tables.h"

namespace brcc {
namespace {

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code >= 0x10000) {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<char16_t>(code);
    }
}

}  // namespace

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    ++i;
    if (lead < 0x80) {
        return lead;
    }
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || i + length - 1 > text.size()) {
        return std::nullopt;
    }
    char32_t code = lead & (0xFF >> (length + 1));
    for (std::size_t k = 0; k + 1 < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF: what a UTF-16 conversion accepts.
    const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
        return std::nullopt;
    }
    i += length - 1;
    return code;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (!DecodeUtf8(text, i)) {
            return false;
        }
    }
    return true;
}

const CodePageTable* FindCodePageTable(std::uint32_t codePage) {
    const std::span<const CodePageTable> tables = CodePageTables();
    const auto found = std::lower_bound(tables.begin(), tables.end(), codePage,
                                        [](const CodePageTable& table, std::uint32_t n) { return table.m_number < n; });
    return found != tables.end() && found->m_number == codePage ? &*found : nullptr;
}

bool IsSupportedCodePage(std::uint32_t codePage) {
    return codePage == kCodePageUtf8 || FindCodePageTable(codePage) != nullptr;
}

bool HasDoubleByteCharacters(std::uint32_t codePage) {
    const CodePageTable* table = FindCodePageTable(codePage);
    return table != nullptr && table->m_leadRows != nullptr;
}

std::size_t CharacterSize(const CodePageTable* table, std::string_view text, std::size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80 || table == nullptr || table->m_leadRows == nullptr || table->m_leadRows[byte - 0x80] == 0) {
        return 1;
    }
    // A byte below the trail range (a quote, a line end) is never taken into a pair: the lead byte is then alone.
    return i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= table->m_firstTrail ? 2 : 1;
}

std::u16string ToUtf16(std::string_view text, std::uint32_t codePage) {
    std::u16string out;
    out.reserve(text.size());
    if (codePage == kCodePageUtf8) {
        for (std::size_t i = 0; i < text.size();) {
            AppendUtf16(out, DecodeUtf8(text, i).value_or(0xFFFD));
        }
        return out;
    }
    const CodePageTable* table = FindCodePageTable(codePage);
    if (table == nullptr) {
        table = FindCodePageTable(kCodePageWestern);
    }
    const std::size_t width = 256 - std::size_t{table->m_firstTrail};
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++i;
        } else if (CharacterSize(table, text, i) == 2) {
            const std::size_t row = table->m_leadRows[byte - 0x80] - 1u;
            out += table->m_pairs[row * width + static_cast<unsigned char>(text[i + 1]) - table->m_firstTrail];
            i += 2;
        } else {
            out += table->m_high[byte - 0x80];
            ++i;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const bool high = c >= 0xD800 && c < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            AppendUtf8(out, 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u));
        } else {
            AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? char32_t{0xFFFD} : c);
        }
    }
    return out;
}

std::string Windows1252ToUtf8(std::string_view text) {
    static const char16_t* const high = FindCodePageTable(kCodePageWestern)->m_high;
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte < 0x80 ? byte : high[byte - 0x80]);
    }
    return out;
}

std::optional<std::string> Utf16FileToUtf8(std::string_view bytes) {
    const bool little = bytes.starts_with("\xFF\xFE");
    if (!little && !bytes.starts_with("\xFE\xFF")) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]);
        const auto b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
    };
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, code >= 0xD800 && code < 0xE000 ? 0xFFFD : code);
    }
    return out;
}

}  // namespace brcc
