// The system's descriptions of error codes.
#include "framework/error.h"

#include "framework/message_text.h"

namespace framework {

std::wstring SystemErrorDescription(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? TrimSystemDescription(std::wstring_view(buffer, length)) : std::wstring();
    ::LocalFree(buffer);
    if (text.empty()) {
        text = L"Erreur système " + std::to_wstring(code);
    }
    return text;
}

}  // namespace framework
