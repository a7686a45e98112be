// Child processes started hidden, and the message that says when one has ended.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/handles.h"

namespace framework {

// A temporary file that receives a child's standard output and error. A file, not a pipe:
// nobody reads while the child runs, and a full pipe would block it. The file goes when
// the last handle to it closes, the child's included.
class OutputFile {
public:
    // Raises Error when the temporary file cannot be made.
    OutputFile();
    HANDLE Handle() const { return m_file.get(); }
    // The first `limit` bytes the child wrote, cut after the last full line when there is more.
    std::string ReadHead(size_t limit) const;

private:
    UniqueFile m_file;
};

// Starts a command line as a separate process with no window, in the current
// directory, without waiting for it; its standard output and error go to `output`
// when given. The program is searched for as the system searches a command given
// without a path (the executable's folder first). Raises Error with `failureMessage`
// followed by the system's reason when it cannot start.
UniqueKernelHandle StartHiddenProcess(const std::wstring& commandLine, const std::wstring& failureMessage,
                                      const OutputFile* output = nullptr);

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
