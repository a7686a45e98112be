// The one error type the compiler reports: a message tied to a line of the script.
#pragma once

#include <stdexcept>
#include <string>

namespace brcc {

class ScriptError : public std::runtime_error {
public:
    // Line 0 means the error concerns the script as a whole (it cannot be read, the output cannot be written).
    ScriptError(int line, const std::string& message) : std::runtime_error(message), m_line(line) {}

    int Line() const { return m_line; }

private:
    int m_line;
};

// Errors of a file read by the compiler; the caller knows the line that named the file and rethrows as ScriptError.
class FileFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened or read to its end.
class FileAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace brcc
