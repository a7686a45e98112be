// Texts of the messages the framework shows.
#include "framework/message_text.h"

namespace framework {

std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> args) {
    std::wstring out;
    out.reserve(pattern.size() + 64);
    auto next = args.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && next != args.end()) {
            out += *next++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::wstring TrimSystemDescription(std::wstring_view description) {
    size_t end = description.size();
    while (end > 0 && (description[end - 1] <= L' ' || description[end - 1] == L'.')) {
        --end;
    }
    return std::wstring(description.substr(0, end));
}

std::wstring LiteralCaption(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + 4);
    for (const wchar_t c : text) {
        out += c;
        if (c == L'&') {
            out += L'&';
        }
    }
    return out;
}

std::wstring WithFinalFullStop(std::wstring_view message) {
    std::wstring out(message);
    if (!out.empty() && out.back() > L'.') {
        out += L'.';
    }
    return out;
}

}  // namespace framework
