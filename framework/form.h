// The base of the program's forms: a window laid out from its table of controls, with its
// font, colours, docking, resolution scaling, auto-scroll, focus and close handling.
#pragma once

#include <windows.h>

#include <map>
#include <span>
#include <vector>

#include "framework/auto_scroll.h"
#include "framework/dpi_scale.h"
#include "framework/graphic_control.h"
#include "framework/handles.h"
#include "framework/layout.h"
#include "framework/window.h"

namespace framework {

// What the close event may do with the form.
enum TCloseAction { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };

struct FormDesign {
    const wchar_t* className;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    int width;  // outer size, frame, title bar and menu bar included; the same at any resolution
    int height;
    const wchar_t* icon;  // resource name of the form's icon, or nullptr
    FontDesign font;      // every control's font unless its entry gives its own
    int initialFocus;     // id of the control that has the focus at first show, 0: none
    bool autoScroll;      // scroll bars when the client area is smaller than the controls
    // Width and height are the client area's, not the outer size.
    bool clientSize = false;
};

class Form : public Window {
public:
    ~Form() override;

    HWND Control(int id) const;
    // Shows the form and gives the focus to its initial control.
    void Show() override;
    // Shows the form modally over `owner` until it closes or EndModal; returns the modal result.
    int ShowModal(HWND owner);
    void EndModal(int result);

    // Sets a control's text; a label that sizes itself takes the size of the new text.
    void SetControlText(int id, const std::wstring& text);

    // The run-time text colour of a control that has one of its own.
    void SetTextColour(int id, COLORREF colour);
    COLORREF TextColour(int id) const;

    // The factor between the table's 96-dpi design pixels and the pixels on screen.
    const LayoutScale& Scale() const { return m_scale; }

protected:
    Form(const FormDesign& design, std::span<const ControlDesign> controls);

    // Creates the window (which owns `menu` from then on), applies the table in its order,
    // runs ControlsCreated, then the creation event under the handlers' guard.
    void CreateForm(HWND owner, UniqueMenu menu = UniqueMenu());

    // The form's own object for a windowless entry of its table; the form places it, paints
    // it in table order beneath the windowed controls, and must outlive its window.
    virtual GraphicControl* GraphicControlFor(int /*id*/) { return nullptr; }

    // Events, named as the forms name them.
    virtual void ControlsCreated() {}
    virtual void FormCreate() {}
    virtual void FormClose(TCloseAction& /*action*/) {}
    virtual void FormDestroy() {}
    virtual void OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Placed {
        const ControlDesign* entry;
        HWND hwnd;
        Bounds bounds;  // on screen pixels, before any scrolling
    };

    // The steps of CreateForm, in their order.
    DWORD WindowStyle() const;
    void RegisterWindowClass() const;
    void CreateCentredWindow(HWND owner, UniqueMenu menu);
    void CreateFonts(HWND window);
    void FitClientAreaToScale(bool hasMenu);
    void PlaceControl(const ControlDesign& entry);
    void KeepDockedBarsAbove();
    SIZE ControlsExtent() const;

    // What the messages do, one member each.
    void OnSize(WPARAM kind);
    void OnScrollBar(int bar, WORD request, HWND control);
    bool OnMouseWheel(int delta);
    void OnActivate(WORD state);
    void OnSetFocus();
    bool RefusesSystemCommand(WPARAM command) const;
    void OnClose();
    void Paint();
    LRESULT OnControlColour(UINT message, HDC dc, HWND control);

    HFONT FontFor(const ControlDesign& entry);
    void ApplyCloseAction(TCloseAction action);
    // Takes Enter for the focused push button; true when it did.
    bool PressFocusedButton(const MSG& msg);
    // Places the controls at the scroll offset; a moved offset repaints the whole window.
    void LayOut();

    FormDesign m_design;
    std::span<const ControlDesign> m_controls;
    LayoutScale m_scale;
    UniqueFont m_font;
    std::vector<UniqueFont> m_ownFonts;
    std::vector<Placed> m_placed;  // in creation order
    GraphicControls m_graphicControls;
    std::vector<UniqueBitmap> m_pictures;
    std::map<int, COLORREF> m_textColours;
    HWND m_lastFocus = nullptr;
    AutoScroll m_scroll;
    POINT m_laidOutOffset{0, 0};  // where the controls were last placed
    bool m_modal = false;
    int m_modalResult = 0;

    // Given by Whole<T> alone: a form class stays abstract until it is held as a Whole.
    virtual void HeldWhole() = 0;
};

// A form as the program holds it. Its destructor, the first to run, destroys the window while
// every part of the form is still there: the destroy event then runs once, on the whole form,
// however the form goes (the owner's destructor included). A base destructor could only run
// the base's event.
template <class T>
class Whole final : public T {
public:
    using T::T;
    ~Whole() override { this->Destroy(); }

private:
    void HeldWhole() override {}
};

}  // namespace framework
