// Language choice and placeholder filling for the message catalogue.
#include "brcc32/messages.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>

#include "brcc32/message_catalogue.h"

#ifdef _WIN32
#include "brcc32/windows_api.h"
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

std::string Text(const MessageText& message, std::initializer_list<MessageArgument> arguments) {
    return Text(message, g_language, arguments);
}

std::string Text(const MessageText& message, UiLanguage language, std::initializer_list<MessageArgument> arguments) {
    const std::string_view pattern = language == UiLanguage::kFrench ? message.french : message.english;
    std::string text;
    text.reserve(pattern.size() + 32);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < arguments.size()) {
                text += arguments.begin()[index].In(language);
            }
            i += 2;
            continue;
        }
        text += pattern[i];
    }
    return text;
}

LocalText Compose(const MessageText& message, std::initializer_list<MessageArgument> arguments) {
    return {Text(message, UiLanguage::kEnglish, arguments), Text(message, UiLanguage::kFrench, arguments),
            message.code};
}

LocalText SystemReason(const std::error_code& code) {
    // Compared as conditions, so that Windows' own error numbers match too.
    static constexpr struct {
        std::errc condition;
        const MessageText& text;
    } kReasons[] = {
        {std::errc::no_such_file_or_directory, msg::kFileNotFound},
        {std::errc::permission_denied, msg::kAccessDenied},
        {std::errc::operation_not_permitted, msg::kAccessDenied},
        {std::errc::is_a_directory, msg::kIsAFolder},
        {std::errc::no_space_on_device, msg::kDiskFull},
        {std::errc::read_only_file_system, msg::kReadOnlyDisk},
        {std::errc::device_or_resource_busy, msg::kFileInUse},
        {std::errc::text_file_busy, msg::kFileInUse},
        {std::errc::not_enough_memory, msg::kOutOfMemory},
    };
    for (const auto& reason : kReasons) {
        if (code == reason.condition) {
            return Compose(reason.text);
        }
    }
    return Compose(msg::kSystemError, {code.message()});
}

}  // namespace brcc
