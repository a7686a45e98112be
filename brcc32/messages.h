// Every text brcc32 shows exists in English and French; the language is chosen once, from the user's.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

namespace brcc {

enum class UiLanguage { kEnglish, kFrench };

// A catalogue entry; {1}, {2}... stand for the arguments. `code` names an error or a warning for good, so that build
// logs, IDEs and the manual can refer to it whatever the language: BRC1xxx the command line, BRC2xxx the
// preprocessor, BRC3xxx the script's statements, BRC4xxx every warning, BRC5xxx the files a script names and the
// outputs, BRC9xxx the system's and the unexpected failures. A part of a message (a reason after a colon, a place, the
// usage text) has none. A code once given never moves to another message.
struct MessageText {
    const char* english;
    const char* french;
    const char* code = "";
};

// A message made before anyone knows who reads it: both languages, each with its arguments filled.
struct LocalText {
    std::string english;
    std::string french;
    std::string code{};  // the entry's, empty for words that are no catalogue entry

    // Words that read the same in both languages: a file name, a token of the script.
    static LocalText Verbatim(std::string text) { return {text, std::move(text)}; }
    const std::string& In(UiLanguage language) const { return language == UiLanguage::kFrench ? french : english; }
    bool operator==(const LocalText&) const = default;
};

// An argument of Compose: words of the script or a file name (the same in both languages), or a message that is
// translated itself (a reason after a colon).
class MessageArgument {
public:
    MessageArgument(const char* text) : m_english(text), m_french(text) {}
    MessageArgument(std::string_view text) : m_english(text), m_french(text) {}
    MessageArgument(const std::string& text) : m_english(text), m_french(text) {}
    MessageArgument(const LocalText& text) : m_english(text.english), m_french(text.french) {}
    MessageArgument(const MessageText& text) : m_english(text.english), m_french(text.french) {}

    std::string_view In(UiLanguage language) const { return language == UiLanguage::kFrench ? m_french : m_english; }

private:
    std::string_view m_english;
    std::string_view m_french;
};

// French for a locale name of the French language (fr, fr_FR.UTF-8, fr_CA, French_France.1252), else English.
UiLanguage UiLanguageFromLocaleName(std::string_view name);
// Windows: the user's interface language. Elsewhere the first of LC_ALL, LC_MESSAGES and LANG that is set.
UiLanguage DetectUiLanguage();

void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The text in the current language with its placeholders filled.
std::string Text(const MessageText& message, std::initializer_list<MessageArgument> arguments = {});
std::string Text(const MessageText& message, UiLanguage language, std::initializer_list<MessageArgument> arguments);

// The entry in both languages with its placeholders filled, for a message shown later.
LocalText Compose(const MessageText& message, std::initializer_list<MessageArgument> arguments = {});

// What the system says of a failure, in both languages: the kinds a file operation meets have their own words, any
// other keeps the system's text.
LocalText SystemReason(const std::error_code& code);

}  // namespace brcc
