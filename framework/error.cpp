// The system's descriptions of error codes.
#include "framework/error.h"

#include "framework/message_text.h"

namespace framework {

namespace {

std::wstring DescriptionIn(DWORD code, LANGID language) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? TrimSystemDescription(std::wstring_view(buffer, length)) : std::wstring();
    ::LocalFree(buffer);
    return text;
}

}  // namespace

std::wstring SystemErrorDescription(DWORD code) {
    // The tool speaks French: the system's reason too, where the system has it in French.
    std::wstring text = DescriptionIn(code, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    if (text.empty()) {
        text = DescriptionIn(code, 0);
    }
    if (text.empty()) {
        text = L"Erreur système " + std::to_wstring(code);
    }
    return text;
}

}  // namespace framework
