// A form shown, shown modally over its owner, and closed as its close event says.
#include "framework/application.h"
#include "framework/form.h"

namespace framework {

void Form::Show() {
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
    if (m_design.initialFocus != 0) {
        ::SetFocus(Control(m_design.initialFocus));
    }
}

int Form::ShowModal(HWND owner) {
    m_modal = true;
    m_modalResult = 0;
    const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        ::EnableWindow(owner, FALSE);
    }
    // However the show ends, the owner takes input again.
    ScopeExit reenable([owner, ownerWasEnabled] {
        if (ownerWasEnabled) {
            ::EnableWindow(owner, TRUE);
        }
    });
    Show();
    MSG msg;
    while (m_modal && Handle() != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));  // the application's own loop ends too
            }
            break;
        }
        if (!PressFocusedButton(msg) && !::IsDialogMessageW(Handle(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_modal = false;
    // The owner is enabled before the form hides, so that it gets the activation back.
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        reenable.Dismiss();
    }
    if (Handle() != nullptr) {
        ::ShowWindow(Handle(), SW_HIDE);
    }
    return m_modalResult;
}

bool Form::PressFocusedButton(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) {
        return false;
    }
    // Enter, from the main keyboard or the keypad, presses the focused push button, as in every
    // dialog. IsDialogMessage would send IDOK instead, which the form's buttons need not be.
    HWND focus = ::GetFocus();
    if (focus == nullptr || !::IsChild(Handle(), focus) || !::IsWindowEnabled(focus) ||
        (::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) == 0) {
        return false;
    }
    ::SendMessageW(::GetParent(focus), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                   reinterpret_cast<LPARAM>(focus));
    return true;
}

void Form::EndModal(int result) {
    m_modalResult = result;
    m_modal = false;
}

void Form::ApplyCloseAction(TCloseAction action) {
    switch (action) {
        case caNone:
            return;
        case caMinimize:
            ::ShowWindow(Handle(), SW_MINIMIZE);
            return;
        case caHide:
        case caFree:
            if (m_modal) {
                EndModal(IDCANCEL);
            } else {
                // The main form: the window stays until the loop has ended; the application destroys it then.
                Application::Instance().Terminate();
            }
            return;
    }
}

void Form::OnClose() {
    TCloseAction action = caHide;
    FormClose(action);
    ApplyCloseAction(action);
}

}  // namespace framework
