// Every text brcc32 shows exists in English and French; the language is chosen once, from the user's.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace brcc {

enum class UiLanguage { kEnglish, kFrench };

// A catalogue entry; {1}, {2}... stand for the arguments.
struct MessageText {
    const char* english;
    const char* french;
};

// French for a locale name of the French language (fr, fr_FR.UTF-8, fr_CA, French_France.1252), else English.
UiLanguage UiLanguageFromLocaleName(std::string_view name);
// Windows: the user's interface language. Elsewhere the first of LC_ALL, LC_MESSAGES and LANG that is set.
UiLanguage DetectUiLanguage();

void SetUiLanguage(UiLanguage language);
UiLanguage CurrentUiLanguage();

// The text in the current language with its placeholders filled.
std::string Text(const MessageText& message, std::initializer_list<std::string_view> arguments = {});
std::string Text(const MessageText& message, UiLanguage language, std::initializer_list<std::string_view> arguments);

// A message the stages wrote in English, in `language`: the first catalogue pattern that matches it whole gives the
// translation, and the parts its placeholders took are translated in turn (a reason after a colon). A message the
// catalogue does not know stays as it is.
std::string TranslateMessage(std::string_view english, UiLanguage language);

}  // namespace brcc
