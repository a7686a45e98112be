// The base of the program's own windows: the WM_NCCREATE thunk that ties an HWND to its object.
#pragma once

#include <windows.h>

namespace framework {

// Registers a window class once per process: a class already registered is no failure.
void RegisterWindowClass(WNDCLASSEXW windowClass);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return m_hwnd; }
    // Makes the window visible the way the application shows its main window.
    virtual void Show();
    void Destroy();

protected:
    // Registers the class once per process, with the thunk as its window procedure.
    static void Register(WNDCLASSEXW windowClass);
    // Creates the window; `this` reaches HandleMessage from WM_NCCREATE on.
    void Create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu);

    // Called for every message; an exception thrown here ends in the error box.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
};

}  // namespace framework
