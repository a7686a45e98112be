// The base of the program's own windows.
#include "framework/window.h"

#include "framework/error_box.h"

namespace framework {

Window::~Window() { Destroy(); }

void Window::Show() {
    ::ShowWindow(m_hwnd, SW_SHOW);
    ::UpdateWindow(m_hwnd);
}

void Window::Destroy() {
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
}

void RegisterWindowClass(WNDCLASSEXW windowClass) {
    windowClass.cbSize = sizeof(windowClass);
    if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw Error(L"Impossible d'enregistrer la classe de fenêtre : " + SystemErrorDescription(::GetLastError()));
    }
}

void Window::Register(WNDCLASSEXW windowClass) {
    windowClass.lpfnWndProc = &Window::WindowProc;
    RegisterWindowClass(windowClass);
}

void Window::Create(DWORD exStyle, const wchar_t* className, const wchar_t* caption, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu) {
    if (::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menu,
                          ::GetModuleHandleW(nullptr), this) == nullptr) {
        throw Error(L"Impossible de créer la fenêtre : " + SystemErrorDescription(::GetLastError()));
    }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    RunGuarded([&] {
        result = self->HandleMessage(message, wParam, lParam);
        handled = true;
    });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
    }
    return handled ? result : 0;
}

}  // namespace framework
