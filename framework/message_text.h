// Texts of the messages the framework shows: placeholders, system descriptions, the final full stop.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace framework {

// Replaces each "%s" of the pattern, in order, by the next argument. Arguments are
// inserted as they are: a "%s" inside an argument is not expanded again.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args);

// System descriptions end in blanks, line breaks and a full stop; a message that
// embeds one ends it itself.
std::wstring TrimSystemDescription(std::wstring_view description);

// A caption that shows `text` exactly: labels and group boxes take "&" for the mark of
// an access key, so each one is doubled.
std::wstring LiteralCaption(std::wstring_view text);

// The error box ends a message with a full stop when its last character sorts after
// "." (a letter or a digit); one ending in "!", "." or a blank is shown unchanged.
std::wstring WithFinalFullStop(std::wstring_view message);

}  // namespace framework
