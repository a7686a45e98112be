// @file arguments: a file of more arguments, read in place of the @ argument, nested files included.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brcc {

// How a response file quotes: Windows' command-line rules (backslashes are literal but before a quote), or GNU's
// (single or double quotes, a backslash escapes any character).
enum class ResponseFileQuoting { kWindows, kGnu };

// Splits a response file's text (UTF-8; a UTF-8 or UTF-16 byte-order mark is honoured) into arguments.
std::vector<std::string> SplitResponseText(std::string_view bytes, ResponseFileQuoting quoting);

// A response file that cannot be read, one that includes itself, or one in UTF-16 without its byte-order mark; what()
// is the file's name as given.
class ResponseFileError : public std::runtime_error {
public:
    enum class Kind { kUnreadable, kNestedTooDeep, kUtf16WithoutMark };
    ResponseFileError(Kind kind, const std::string& name) : std::runtime_error(name), m_kind(kind) {}
    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind;
};

using ResponseFileReader = std::function<std::optional<std::string>(const std::filesystem::path&)>;

// Replaces each @NAME argument by the arguments in NAME, recursively; a relative name inside a response file is
// taken from the current folder, as the tools that write response files expect. Throws ResponseFileError.
std::vector<std::string> ExpandResponseFiles(const std::vector<std::string>& arguments, ResponseFileQuoting quoting,
                                             const ResponseFileReader& reader = {});

}  // namespace brcc
