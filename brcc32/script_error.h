// The errors the compiler reports: a message in both languages, tied to a line of the script where it has one.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include "brcc32/message_catalogue.h"
#include "brcc32/messages.h"

namespace brcc {

// Every error the compiler raises itself. what() is the English text, for logs and the tests that read it; the
// user reads Text() in their language.
class LocalizedError : public std::runtime_error {
public:
    explicit LocalizedError(LocalText text) : std::runtime_error(text.english), m_text(std::move(text)) {}
    const LocalText& Text() const { return m_text; }

private:
    LocalText m_text;
};

class ScriptError : public LocalizedError {
public:
    // Line 0 means the error concerns the script as a whole (it cannot be read, the output cannot be written).
    ScriptError(int line, LocalText message) : LocalizedError(std::move(message)), m_line(line) {}
    // An error in an included file, or already placed in the script: the file as messages name it.
    ScriptError(std::string file, int line, LocalText message)
        : LocalizedError(std::move(message)), m_line(line), m_file(std::move(file)), m_placed(true) {}

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
class FileFormatError : public LocalizedError {
public:
    using LocalizedError::LocalizedError;
};

// A file that cannot be opened or read to its end.
class FileAccessError : public LocalizedError {
public:
    using LocalizedError::LocalizedError;
};

// A file that is not there at all: the one failure after which the next folder of a search is tried.
class FileNotFoundError : public FileAccessError {
public:
    FileNotFoundError() : FileAccessError(Compose(msg::kFileNotFound)) {}
};

// What an exception says, in both languages: its own texts where the compiler raised it, the system's words for the
// runtime's failures.
LocalText ReasonOf(const std::exception& error);

}  // namespace brcc
