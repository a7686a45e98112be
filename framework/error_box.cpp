// The standard error box.
#include "framework/error_box.h"

#include <windows.h>

#include "framework/application.h"
#include "framework/message_text.h"

namespace framework {

void ShowErrorBox(std::wstring_view message) {
    const std::wstring text = WithFinalFullStop(message);
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), Application::Instance().Title().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace framework
