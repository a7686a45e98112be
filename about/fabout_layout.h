// The About dialog's layout: the form, its controls in creation order, and its two lines' settings.
#pragma once

#include <windows.h>

#include "about/fabout_ids.h"
#include "about/line_geometry.h"
#include "framework/form.h"
#include "framework/graphics.h"
#include "framework/layout.h"

namespace talvorine {

inline constexpr wchar_t kAboutBanner[] = L"ABOUTBANNER";

inline constexpr framework::FontDesign kMsSansSerif8 = {L"MS Sans Serif", 8};
inline constexpr framework::FontDesign kMsSansSerif10Bold = {L"MS Sans Serif", 10, true};

// A fixed dialog frame with the system menu and the close box only, 294 × 268 inside.
inline constexpr framework::FormDesign kFAbout = {
    kFAboutClassName,
    kFAboutCaption,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT,
    294,
    268,
    nullptr,
    kMsSansSerif8,
    kIdButton1,
    false,
    true,
};

namespace fabout {

using framework::ControlKind;
using framework::Dock;
using framework::kDefaultColour;
inline constexpr COLORREF kTextBlack = framework::clBlack;

inline constexpr framework::ControlDesign kControls[] = {
    {ControlKind::Image,
     L"Image1",
     kIdImage1,
     0,
     {0, 0, 294, 77},
     kAboutBanner,
     SS_BITMAP,
     kDefaultColour,
     false,
     false},
    {ControlKind::Label, L"lblPhysMem", kIdLblPhysMem, 0, {86, 173, 56, 13}, L"lblPhysMem", 0, kTextBlack, true, false},
    {ControlKind::Label, L"lblPhysRes", kIdLblPhysRes, 0, {86, 193, 52, 13}, L"lblPhysRes", 0, kTextBlack, true, false},
    {ControlKind::Windowless, L"Line1", kIdLine1, 0, {86, 158, 196, 0}, nullptr, 0, kDefaultColour, false, false},
    {ControlKind::Windowless, L"Line2", kIdLine2, 0, {86, 159, 196, 0}, nullptr, 0, kDefaultColour, false, false},
    {ControlKind::Label,
     L"Label1",
     kIdAboutLabel1,
     0,
     {88, 96, 48, 16},
     L"Label1",
     0,
     kTextBlack,
     true,
     false,
     Dock::None,
     kMsSansSerif10Bold},
    {ControlKind::Label, L"Label2", kIdAboutLabel2, 0, {88, 120, 32, 13}, L"Label2", 0, kTextBlack, true, false},
    {ControlKind::Label, L"Label3", kIdAboutLabel3, 0, {88, 136, 32, 13}, L"Label3", 0, kTextBlack, true, false},
    // The application icon at its natural size, from the form's creation event.
    {ControlKind::Image,
     L"FImage",
     kIdFImage,
     0,
     {23, 95, 34, 34},
     nullptr,
     SS_ICON | SS_REALSIZEIMAGE,
     kDefaultColour,
     false,
     false},
    {ControlKind::Button, L"Button1", kIdButton1, 0, {208, 223, 74, 26}, L"OK", 0, kDefaultColour, false, true},
};

struct LineSettings {
    int id;
    COLORREF penColour;
    int fromX, toX, fromY, toY;
    TLineType line;
};

// Applied in this order, so that the coordinates are taken while the line is still custom.
inline constexpr LineSettings kLines[] = {
    {kIdLine1, framework::clBlack, 0, 195, 4, 4, ltHorizontal},
    {kIdLine2, framework::clWhite, 0, 195, 4, 4, ltHorizontal},
};

}  // namespace fabout
}  // namespace talvorine
