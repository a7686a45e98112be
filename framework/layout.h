// Controls described as data and created from their table, in table order.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace framework {

enum class ControlKind { GroupBox, Label, Memo, Edit, StatusBar, ControlBar, ToolBar };

struct Bounds {
    int left, top, width, height;
};

inline constexpr COLORREF kDefaultColour = CLR_INVALID;

struct ControlSpec {
    ControlKind kind;
    const wchar_t* name;  // the designer's name, for readers of the table
    int id;
    int parentId;  // 0: the window itself
    Bounds bounds;
    const wchar_t* text;
    DWORD style;       // added to the kind's own style
    COLORREF colour;   // text colour, or kDefaultColour
    bool autoSize;     // a label that takes the size of its text
    bool tabStop;
};

// Creates one control as a child of `parent` (the window or an earlier control),
// with the given font.
HWND CreateControl(HWND parent, const ControlSpec& entry, HFONT font);

// Group boxes are real parents of their controls but the form handles the controls'
// notifications: this sends them on to the group box's own parent.
void ForwardNotificationsToParent(HWND container);

// The memo takes no Tab: the key stays with the form, whose only tab stop is the memo.
void RefuseTabKey(HWND edit);

std::wstring GetText(HWND control);
void SetText(HWND control, const std::wstring& text);

inline constexpr wchar_t kMemoCapacityError[] = L"Le texte dépasse la capacité du mémo";

// Replaces a multi-line edit's text; if the edit cannot hold it all, puts `former`
// back and raises the memo-capacity error.
void SetMemoText(HWND memo, const std::wstring& text, const std::wstring& former);

}  // namespace framework
