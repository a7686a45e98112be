// The wait cursor, shown while a command works without taking messages.
#pragma once

#include <windows.h>

namespace framework {

// Shows the wait cursor until destroyed, then puts the former cursor back.
class WaitCursor {
public:
    WaitCursor() : m_former(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(m_former); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_former;  // not owned: a shared system cursor
};

}  // namespace framework
