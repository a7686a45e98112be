// The standard error box, and the guard that routes every handler's exception to it.
#pragma once

#include <cstring>
#include <new>
#include <string_view>

#include "framework/error.h"

namespace framework {

// Modal, owned by the active window, captioned with the application title.
void ShowErrorBox(std::wstring_view message);

// Runs a handler; whatever it throws ends it and is shown in the error box. Nothing
// may unwind into the system's frames that called the window procedure.
template <typename Handler>
void RunGuarded(Handler&& handler) noexcept {
    try {
        handler();
    } catch (const Error& e) {
        ShowErrorBox(e.Message());
    } catch (const std::bad_alloc&) {
        ShowErrorBox(L"Mémoire insuffisante");
    } catch (const std::exception& e) {
        ShowErrorBox(L"Erreur interne : " + std::wstring(e.what(), e.what() + strlen(e.what())));
    } catch (...) {
        ShowErrorBox(L"Erreur interne");
    }
}

}  // namespace framework
