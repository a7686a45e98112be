// Escaping is the part that matters: make splits on blanks and reads $ and #, Ninja reads the same escapes.
#include "brcc32/output/dependency_file.h"

#include <cstdio>

#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

constexpr std::size_t kLineWidth = 100;

// A name as make reads it: a blank or # escaped by a backslash (and the backslashes before it doubled), $ as $$.
std::string MakeEscape(const std::string& name) {
    std::string escaped;
    std::size_t slashes = 0;
    for (const char c : name) {
        if (c == ' ' || c == '\t' || c == '#') {
            escaped.append(slashes, '\\');
            escaped += '\\';
        } else if (c == '$') {
            escaped += '$';
        }
        slashes = c == '\\' ? slashes + 1 : 0;
        escaped += c;
    }
    return escaped;
}

// JSON is UTF-8: a name in other bytes (a file system takes any) is read as the Windows-1252 text that names in
// scripts are taken for when they are not UTF-8.
std::string JsonString(const std::string& name) {
    const std::string text = IsValidUtf8(name) ? name : Windows1252ToUtf8(name);
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

std::string JsonList(const std::vector<std::string>& items) {
    std::string list = "[";
    for (const std::string& item : items) {
        if (!item.empty()) {
            list += (list.size() == 1 ? "\n    " : ",\n    ") + JsonString(item);
        }
    }
    return list + (list.size() == 1 ? "]" : "\n  ]");
}

}  // namespace

std::string MakeDependencyText(const std::vector<std::string>& targets, const std::vector<std::string>& files) {
    std::string text;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        text += (i == 0 ? "" : " ") + MakeEscape(targets[i]);
    }
    text += ':';
    std::size_t lineStart = 0;
    for (const std::string& file : files) {
        if (file.empty()) {
            continue;
        }
        const std::string escaped = MakeEscape(file);
        if (text.size() - lineStart + escaped.size() + 1 > kLineWidth) {
            text += " \\\n ";
            lineStart = text.size() - 1;
        }
        text += ' ' + escaped;
    }
    text += '\n';
    // Not the script: when it is gone the build has to stop, as gcc's -MP leaves the source out too.
    for (std::size_t i = 1; i < files.size(); ++i) {
        text += '\n' + MakeEscape(files[i]) + ":\n";
    }
    return text;
}

std::string JsonDependencyText(const std::vector<std::string>& targets, const std::vector<std::string>& files) {
    return "{\n  \"targets\": " + JsonList(targets) + ",\n  \"dependencies\": " + JsonList(files) + "\n}\n";
}

}  // namespace brcc
