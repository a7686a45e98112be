// The application object: its title, the message loop, and the request to terminate.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

class Window;

class Application {
public:
    static Application& Instance();

    void SetTitle(std::wstring title) { m_title = std::move(title); }
    const std::wstring& Title() const { return m_title; }

    // Shows the main window, takes one message at a time until Terminate, then
    // destroys the main window (its destruction event runs here, before the caller's
    // own shutdown). Returns the process's exit code.
    int Run(Window& mainWindow);

    // Ends the message loop once the current message is done.
    void Terminate();

private:
    Application() = default;
    std::wstring m_title;
};

}  // namespace framework
