// Language choice and placeholder filling for the message catalogue.
#include "brcc32/messages.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <optional>
#include <vector>

#include "brcc32/message_catalogue.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace brcc {
namespace {

std::atomic<UiLanguage> g_language{UiLanguage::kEnglish};

}  // namespace

UiLanguage UiLanguageFromLocaleName(std::string_view name) {
    std::string lower(name.substr(0, std::min(name.find_first_of("_.@-"), name.size())));
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower == "fr" || lower == "fra" || lower == "fre" || lower == "french" ? UiLanguage::kFrench
                                                                                  : UiLanguage::kEnglish;
}

UiLanguage DetectUiLanguage() {
#ifdef _WIN32
    constexpr LANGID kPrimaryFrench = 0x0C;
    return (GetUserDefaultUILanguage() & 0x3FF) == kPrimaryFrench ? UiLanguage::kFrench : UiLanguage::kEnglish;
#else
    // The order and the "set and not empty" rule are those of POSIX for LC_MESSAGES.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return UiLanguageFromLocaleName(value);
        }
    }
    return UiLanguage::kEnglish;
#endif
}

void SetUiLanguage(UiLanguage language) { g_language = language; }

UiLanguage CurrentUiLanguage() { return g_language; }

std::string Text(const MessageText& message, std::initializer_list<std::string_view> arguments) {
    return Text(message, g_language, arguments);
}

std::string Text(const MessageText& message, UiLanguage language, std::initializer_list<std::string_view> arguments) {
    const std::string_view pattern = language == UiLanguage::kFrench ? message.french : message.english;
    std::string text;
    text.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                text += arguments.begin()[index];
            }
            i += 2;
            continue;
        }
        text += pattern[i];
    }
    return text;
}

namespace {

// The parts of `text` that the placeholders of `pattern` stand for, when the rest matches exactly. A placeholder
// takes the shortest text after which the rest can still match.
bool Match(std::string_view pattern, std::string_view text, std::vector<std::string_view>& parts) {
    const std::size_t open = pattern.find('{');
    if (open == std::string_view::npos || open + 2 >= pattern.size() || pattern[open + 2] != '}') {
        return pattern == text;
    }
    if (text.substr(0, open) != pattern.substr(0, open)) {
        return false;
    }
    const std::string_view rest = pattern.substr(open + 3);
    for (std::size_t length = 1; open + length <= text.size(); ++length) {
        parts.push_back(text.substr(open, length));
        if (Match(rest, text.substr(open + length), parts)) {
            return true;
        }
        parts.pop_back();
    }
    return false;
}

}  // namespace

std::string TranslateMessage(std::string_view english, UiLanguage language) {
    if (language == UiLanguage::kEnglish) {
        return std::string(english);
    }
    for (const MessageText& entry : msg::kDiagnosticPatterns) {
        std::vector<std::string_view> parts;
        if (!Match(entry.english, english, parts)) {
            continue;
        }
        std::vector<std::string> translated;
        for (const std::string_view part : parts) {
            translated.push_back(TranslateMessage(part, language));
        }
        std::string text;
        const std::string_view french = entry.french;
        for (std::size_t i = 0; i < french.size(); ++i) {
            if (french[i] == '{' && i + 2 < french.size() && french[i + 2] == '}') {
                const std::size_t index = static_cast<std::size_t>(french[i + 1] - '1');
                text += index < translated.size() ? translated[index] : std::string();
                i += 2;
                continue;
            }
            text += french[i];
        }
        return text;
    }
    return std::string(english);
}

}  // namespace brcc
