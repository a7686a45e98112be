// Controls described as data and created from their table, in table order.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace framework {

// Image: a bitmap named by the entry's text, or an icon the form puts in later (style SS_ICON).
// Windowless: a control of the form's own that paints on the form (see Form::GraphicControlFor).
enum class ControlKind { GroupBox, Label, Memo, Edit, StatusBar, ControlBar, ToolBar, Button, Image, Windowless };

struct Bounds {
    int left, top, width, height;
};

inline constexpr COLORREF kDefaultColour = CLR_INVALID;

// A font by face and size in points; a null face means the form's font.
struct FontDesign {
    const wchar_t* face = nullptr;
    int points = 0;
    bool bold = false;
};

// A control docked to an edge of its form spans the form's width there and does not scroll.
enum class Dock { None, Top, Bottom };

struct ControlDesign {
    ControlKind kind;
    const wchar_t* name;  // the designer's name, for readers of the table
    int id;
    int parentId = 0;  // 0: the window itself
    // A windowless control given no height keeps its own.
    Bounds bounds;
    const wchar_t* text = nullptr;
    DWORD style = 0;                   // added to the kind's own style
    COLORREF colour = kDefaultColour;  // text colour, or kDefaultColour
    bool autoSize = false;             // a label that takes the size of its text
    bool tabStop = false;
    Dock dock = Dock::None;
    FontDesign font = {};  // its own font, or the form's
};

// Creates one control as a child of `parent` (the window or an earlier control), at
// `bounds` (the entry's, scaled for the display), with the given font; a label that
// sizes itself takes the size of its text in that font.
HWND CreateControl(HWND parent, const ControlDesign& entry, const Bounds& bounds, HFONT font);

// Group boxes are real parents of their controls but the form handles the controls'
// notifications: this sends them on to the group box's own parent.
void ForwardNotificationsToParent(HWND container);

// The memo takes no Tab: the key stays with the form, whose only tab stop is the memo.
void RefuseTabKey(HWND edit);

// Gives a label the size of its current text in its font.
void FitToText(HWND label);

// The window's outer rectangle in the client coordinates of `coordinatesOf`.
RECT WindowRectIn(HWND window, HWND coordinatesOf);

std::wstring GetText(HWND control);
void SetText(HWND control, const std::wstring& text);

inline constexpr wchar_t kMemoCapacityError[] = L"Le texte dépasse la capacité du mémo";

// Replaces a multi-line edit's text; if the edit cannot hold it all, puts `former`
// back and raises the memo-capacity error.
void SetMemoText(HWND memo, const std::wstring& text, const std::wstring& former);

}  // namespace framework
