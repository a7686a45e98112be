// Owners for the Win32 handles the program holds: one move-only template, one line per kind.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <utility>

namespace framework {

// Traits give the handle type, its "none" value and how to release it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::None(); }
    Handle release() { return std::exchange(m_handle, Traits::None()); }
    void reset(Handle handle = Traits::None()) {
        if (m_handle != Traits::None()) {
            Traits::Release(m_handle);
        }
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::None();
};

// For the kinds whose "none" is null and whose release takes the handle alone, whatever it returns.
template <typename H, auto ReleaseFn>
struct NullIsNone {
    using Handle = H;
    static Handle None() { return nullptr; }
    static void Release(Handle h) { ReleaseFn(h); }
};

struct FileTraits {
    using Handle = HANDLE;
    // CreateFile reports failure with INVALID_HANDLE_VALUE, not null.
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle h) { ::CloseHandle(h); }
};

struct WaitTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    // Waits for a callback already running, so that none outlives its owner.
    static void Release(Handle h) { ::UnregisterWaitEx(h, INVALID_HANDLE_VALUE); }
};

using UniqueKernelHandle = UniqueHandle<NullIsNone<HANDLE, ::CloseHandle>>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueWindow = UniqueHandle<NullIsNone<HWND, ::DestroyWindow>>;
using UniqueGdiObject = UniqueHandle<NullIsNone<HGDIOBJ, ::DeleteObject>>;
using UniqueMenu = UniqueHandle<NullIsNone<HMENU, ::DestroyMenu>>;
using UniqueModule = UniqueHandle<NullIsNone<HMODULE, ::FreeLibrary>>;
using UniqueImageList = UniqueHandle<NullIsNone<HIMAGELIST, ::ImageList_Destroy>>;
using UniqueWait = UniqueHandle<WaitTraits>;
// The same release for each kind of GDI object, typed so that a pen cannot be handed where a brush is due.
using UniquePen = UniqueHandle<NullIsNone<HPEN, ::DeleteObject>>;
using UniqueBrush = UniqueHandle<NullIsNone<HBRUSH, ::DeleteObject>>;
using UniqueBitmap = UniqueHandle<NullIsNone<HBITMAP, ::DeleteObject>>;
using UniqueFont = UniqueHandle<NullIsNone<HFONT, ::DeleteObject>>;
using UniqueIcon = UniqueHandle<NullIsNone<HICON, ::DestroyIcon>>;
using UniqueMemoryDc = UniqueHandle<NullIsNone<HDC, ::DeleteDC>>;
using UniqueRegistryKey = UniqueHandle<NullIsNone<HKEY, ::RegCloseKey>>;
// Memory the system allocated for the caller to give back with LocalFree (CommandLineToArgvW, FormatMessage).
template <typename T>
using UniqueLocalMemory = UniqueHandle<NullIsNone<T*, ::LocalFree>>;

// Puts an object into a DC for one scope, then puts the former one back, so that the
// object can be deleted afterwards (a selected object cannot).
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_former(::SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (m_former != nullptr && m_former != HGDI_ERROR) {
            ::SelectObject(m_dc, m_former);
        }
    }

private:
    HDC m_dc;  // not owned
    HGDIOBJ m_former;
};

// A window's DC, given back when the scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (m_dc != nullptr) {
            ::ReleaseDC(m_window, m_dc);
        }
    }
    HDC get() const { return m_dc; }

private:
    HWND m_window;  // not owned
    HDC m_dc;
};

// Runs a clean-up when the scope ends, however it ends: for a state to put back that no handle owns.
template <typename Action>
class ScopeExit {
public:
    explicit ScopeExit(Action action) : m_action(std::move(action)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() {
        if (m_armed) {
            m_action();
        }
    }
    // For a path that has done the clean-up itself.
    void Dismiss() { m_armed = false; }

private:
    Action m_action;
    bool m_armed = true;
};

}  // namespace framework
