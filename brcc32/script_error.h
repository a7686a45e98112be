// The one error type the compiler reports: a message tied to a line of the script.
#pragma once

#include <stdexcept>
#include <string>

namespace brcc {

class ScriptError : public std::runtime_error {
public:
    // Line 0 means the error concerns the script as a whole (it cannot be read, the output cannot be written).
    ScriptError(int line, const std::string& message) : std::runtime_error(message), m_line(line) {}
    // An error in an included file, or already placed in the script: the file as messages name it.
    ScriptError(std::string file, int line, const std::string& message)
        : std::runtime_error(message), m_line(line), m_file(std::move(file)), m_placed(true) {}

    int Line() const { return m_line; }
    const std::string& File() const { return m_file; }
    // False while the line is one of the preprocessed text, not yet of a file.
    bool IsPlaced() const { return m_placed; }

private:
    int m_line;
    std::string m_file;
    bool m_placed = false;
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

// A file that is not there at all: the one failure after which the next folder of a search is tried.
class FileNotFoundError : public FileAccessError {
public:
    FileNotFoundError() : FileAccessError("file not found") {}
};

}  // namespace brcc
