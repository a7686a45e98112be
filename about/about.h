// The About box: TAboutBox keeps the three texts, TFAbout is the modal dialog that shows them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "about/about_text.h"
#include "about/lines.h"
#include "framework/form.h"
#include "framework/handles.h"

namespace talvorine {

// Every beep of the About box goes through here, so that a test can count them.
extern BOOL(WINAPI* AboutMessageBeep)(UINT type);

class TFAbout : public framework::Form {
public:
    // Builds the layout and runs FormCreate; throws a framework::Error when it cannot be built.
    explicit TFAbout(HWND owner);

    void Button1Click();

private:
    framework::GraphicControl* GraphicControlFor(int id) override;
    void ControlsCreated() override;
    void FormCreate() override;
    void OnCommand(UINT id, UINT code, HWND control) override;

    TLine Line1;
    TLine Line2;
    framework::UniqueIcon m_icon;
};

class TAboutBox {
public:
    // `owner`: the window the dialog stays above and disables while it is up. Not owned.
    explicit TAboutBox(HWND owner = nullptr);

    // Each text keeps at most its first 100 characters of the system's ANSI code page;
    // a character that code page lacks is stored as its stand-in. Writing never fails.
    std::wstring ProductName() const;
    std::wstring Version() const;
    std::wstring Copyright() const;
    void SetProductName(std::wstring_view text);
    void SetVersion(std::wstring_view text);
    void SetCopyright(std::wstring_view text);
    void SetOwner(HWND owner) { m_owner = owner; }

    // Builds the dialog, shows it modally and frees it, whatever happens; a dialog that cannot
    // be built beeps once and shows nothing. The result says nothing: always false.
    virtual bool Execute();
    virtual ~TAboutBox() = default;

private:
    HWND m_owner;  // not owned
    ShortText m_productName;
    ShortText m_version;
    ShortText m_copyright;
};

}  // namespace talvorine
