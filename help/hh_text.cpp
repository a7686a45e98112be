// Text rules of the help units.
#include "help/hh_text.h"

#include <algorithm>

namespace hh_funcs {
namespace {

char LowerAsciiLetter(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAsciiLetter(x) == LowerAsciiLetter(y);
           });
}

}  // namespace

void StripTrailingChar(std::string& text, char c, LeadBytePredicate isLeadByte) {
    // Where each character starts: only a walk from the front tells a trail byte from a character.
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size();) {
        starts.push_back(at);
        const bool pair =
            isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
        at += pair ? 2 : 1;
    }
    while (!starts.empty() && starts.back() == text.size() - 1 && text.back() == c) {
        text.pop_back();
        starts.pop_back();
    }
}

std::string RepeatChar(char c, int count) { return count > 0 ? std::string(static_cast<std::size_t>(count), c) : ""; }

std::string BoolToYesNo(bool value) { return value ? "YES" : "NO"; }

bool HasDebugSwitch(std::span<const std::string> parameters) {
    return std::ranges::any_of(parameters, [](const std::string& parameter) {
        return EqualsIgnoringAsciiCase(parameter, "/debug") || EqualsIgnoringAsciiCase(parameter, "-debug");
    });
}

std::string JoinParameters(std::span<const std::string> parameters) {
    std::string joined;
    for (const std::string& parameter : parameters) {
        if (!joined.empty()) {
            joined += " | ";
        }
        joined += parameter;
    }
    return joined;
}

std::string FormatLogText(std::string_view format, std::span<const std::string> arguments) {
    std::string text;
    std::size_t next = 0;
    for (std::size_t at = 0; at < format.size(); ++at) {
        const char c = format[at];
        const char following = at + 1 < format.size() ? format[at + 1] : '\0';
        if (c == '%' && (following == 's' || following == 'd')) {
            if (next < arguments.size()) {
                text += arguments[next++];
            }
            ++at;
        } else if (c == '%' && following == '%') {
            text += '%';
            ++at;
        } else {
            text += c;
        }
    }
    return text;
}

std::string LogLine(std::string text, const std::function<std::string()>& longTimeNow) {
    if (text == "-" || text == "=") {
        text = RepeatChar(text[0], 80);
    }
    if (!text.empty() && (text[0] == '!' || text[0] == '-' || text[0] == '=')) {
        return text.substr(1);
    }
    return longTimeNow() + "   " + text;
}

}  // namespace hh_funcs
