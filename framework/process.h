// Child processes started hidden, and the message that says when one has ended.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/handles.h"

namespace framework {

// Starts a command line as a separate process with no window, in the current
// directory, without waiting for it. The program is searched for as the system
// searches a command given without a path (the executable's folder first). Raises
// Error with `failureMessage` followed by the system's reason when it cannot start.
UniqueKernelHandle StartHiddenProcess(const std::wstring& commandLine, const std::wstring& failureMessage);

// Posts `message` with `cookie` as its wParam to `window` once `process` has ended.
// Destroying the watch stops it; no message is posted after that returns.
class ProcessExitWatch {
public:
    ProcessExitWatch(HANDLE process, HWND window, UINT message, WPARAM cookie);

private:
    struct Target {
        HWND window;
        UINT message;
        WPARAM cookie;
    };
    static void CALLBACK OnExit(void* context, BOOLEAN timedOut);

    std::unique_ptr<Target> m_target;  // the wait callback reads it until m_wait is released
    UniqueWait m_wait;
};

}  // namespace framework
