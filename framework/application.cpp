// The application object and its message loop.
#include "framework/application.h"

#include "framework/window.h"

namespace framework {

Application& Application::Instance() {
    static Application application;
    return application;
}

int Application::Run(Window& mainWindow) {
    mainWindow.Show();
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    mainWindow.Destroy();
    return 0;
}

void Application::Terminate() { ::PostQuitMessage(0); }

}  // namespace framework
