// The exception the framework raises for a failure the user must be told about.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace framework {

class Error : public std::exception {
public:
    explicit Error(std::wstring message) : m_message(std::move(message)) {}
    const std::wstring& Message() const { return m_message; }
    const char* what() const noexcept override { return "framework::Error"; }

private:
    std::wstring m_message;
};

// The system's description of an error code, in French where the system has it, else in
// its default language, without its trailing blanks and full stops.
std::wstring SystemErrorDescription(DWORD code);

}  // namespace framework
