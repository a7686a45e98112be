// Identifiers of the About dialog's window and controls. Plain C++, so that tests can include it.
#pragma once

namespace talvorine {

enum FAboutControlId : unsigned short {
    kIdImage1 = 2001,
    kIdLblPhysMem = 2002,
    kIdLblPhysRes = 2003,
    kIdLine1 = 2004,
    kIdLine2 = 2005,
    kIdAboutLabel1 = 2006,
    kIdAboutLabel2 = 2007,
    kIdAboutLabel3 = 2008,
    kIdFImage = 2009,
    // Neither IDOK nor IDCANCEL: Enter elsewhere and Escape do not end the dialog.
    kIdButton1 = 2010,
};

inline constexpr wchar_t kFAboutClassName[] = L"TFAbout";
inline constexpr wchar_t kFAboutCaption[] = L"A propos de...";

}  // namespace talvorine
