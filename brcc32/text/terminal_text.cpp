// Messages in the terminal's character set, so that a French accent or a file name reads on any console.
#include "brcc32/text/terminal_text.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>

#include "brcc32/text/ascii_case.h"
#include "brcc32/text/code_page.h"
#include "brcc32/text/code_page_tables.h"

#ifdef _WIN32
#include <io.h>

#include "brcc32/windows_api.h"
#else
#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#endif

namespace brcc {
namespace {

// Every character of the page and its bytes; the first bytes win where a page gives one character twice.
std::unordered_map<char32_t, std::string> EncodingOf(const CodePageTable& table) {
    std::unordered_map<char32_t, std::string> bytes;
    const std::size_t width = 256 - std::size_t{table.m_firstTrail};
    for (unsigned byte = 0x80; byte < 0x100; ++byte) {
        const char16_t alone = table.m_high[byte - 0x80];
        if (alone != kNoCharacter) {
            bytes.emplace(alone, std::string(1, static_cast<char>(byte)));
        }
        if (table.m_leadRows == nullptr || table.m_leadRows[byte - 0x80] == 0) {
            continue;
        }
        const char16_t* row = table.m_pairs + (table.m_leadRows[byte - 0x80] - 1u) * width;
        for (std::size_t trail = 0; trail < width; ++trail) {
            if (row[trail] != kNoCharacter) {
                bytes.emplace(row[trail],
                              std::string{static_cast<char>(byte), static_cast<char>(table.m_firstTrail + trail)});
            }
        }
    }
    return bytes;
}

#ifdef _WIN32
bool WriteConsoleText(std::FILE* stream, std::string_view utf8) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        return false;
    }
    std::wstring wide;
    for (const char16_t unit : ToUtf16(utf8, kCodePageUtf8)) {
        if (unit == u'\n') {
            wide += L'\r';
        }
        wide += static_cast<wchar_t>(unit);
    }
    std::fflush(stream);
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
}
#else
// The character set of the user's locale; where the system has not generated that locale, the one its name gives
// (fr_FR.ISO-8859-1), which is still what the terminal was set up for.
std::uint32_t TerminalCodePage() {
    if (std::setlocale(LC_CTYPE, "") != nullptr) {
        const std::uint32_t codePage = CodePageOfCharset(nl_langinfo(CODESET));
        std::setlocale(LC_CTYPE, "C");
        return codePage;
    }
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            const std::string_view name(value);
            const std::size_t dot = name.find('.');
            return dot == std::string_view::npos ? 0
                                                 : CodePageOfCharset(name.substr(dot + 1, name.find('@') - dot - 1));
        }
    }
    return 0;
}
#endif

}  // namespace

std::string ReadableUtf8(std::string_view text) {
    if (IsValidUtf8(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        if (DecodeUtf8(text, i)) {
            out.append(text, start, i - start);
        } else {
            out += Windows1252ToUtf8(text.substr(start, 1));
        }
    }
    return out;
}

std::uint32_t CodePageOfCharset(std::string_view name) {
    std::string key = LowerAscii(std::string(name));
    std::erase_if(key, [](char c) { return c == '-' || c == '_'; });
    if (key == "utf8") {
        return kCodePageUtf8;
    }
    static constexpr struct {
        std::string_view prefix;
        std::uint32_t base;
    } kFamilies[] = {{"iso8859", 28590}, {"windows", 0}, {"cp", 0}, {"ibm", 0}};
    for (const auto& family : kFamilies) {
        if (!key.starts_with(family.prefix)) {
            continue;
        }
        const std::string digits = key.substr(family.prefix.size());
        if (digits.empty() || digits.size() > 5 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            return 0;
        }
        const std::uint32_t page = family.base + static_cast<std::uint32_t>(std::stoul(digits));
        return FindCodePageTable(page) != nullptr ? page : 0;
    }
    static constexpr struct {
        std::string_view name;
        std::uint32_t page;
    } kNames[] = {{"koi8r", 20866}, {"koi8u", 21866}, {"sjis", 932},   {"shiftjis", 932},
                  {"gbk", 936},     {"big5", 950},    {"euckr", 51949}};
    for (const auto& known : kNames) {
        if (key == known.name) {
            return FindCodePageTable(known.page) != nullptr ? known.page : 0;
        }
    }
    return 0;
}

std::string Utf8ToCodePage(std::string_view utf8, std::uint32_t codePage) {
    const CodePageTable* table = codePage == kCodePageUtf8 ? nullptr : FindCodePageTable(codePage);
    if (table == nullptr) {
        return std::string(utf8);
    }
    static std::mutex mutex;
    static std::map<std::uint32_t, std::unordered_map<char32_t, std::string>> encodings;
    const std::lock_guard lock(mutex);
    auto found = encodings.find(codePage);
    if (found == encodings.end()) {
        found = encodings.emplace(codePage, EncodingOf(*table)).first;
    }
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        // A byte that is no part of UTF-8 stands for the character of its value.
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const char32_t code = DecodeUtf8(utf8, i).value_or(byte);
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (const auto bytes = found->second.find(code); bytes != found->second.end()) {
            out += bytes->second;
        } else {
            out += '?';
        }
    }
    return out;
}

void WriteTerminalText(std::FILE* stream, std::string_view utf8) {
    const std::string readable = ReadableUtf8(utf8);
#ifdef _WIN32
    if (WriteConsoleText(stream, readable)) {
        return;
    }
    const std::uint32_t codePage = GetACP();
#else
    const std::uint32_t codePage = TerminalCodePage();
#endif
    const std::string bytes = Utf8ToCodePage(readable, codePage);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace brcc
