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

inline constexpr framework::FontDesign kMsSansSerif8 = {.face = L"MS Sans Serif", .points = 8};
inline constexpr framework::FontDesign kMsSansSerif10Bold = {.face = L"MS Sans Serif", .points = 10, .bold = true};

// A fixed dialog frame with the system menu and the close box only, 294 × 268 inside.
inline constexpr framework::FormDesign kFAbout = {
    .className = kFAboutClassName,
    .caption = kFAboutCaption,
    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
    .exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT,
    .width = 294,
    .height = 268,
    .icon = nullptr,
    .font = kMsSansSerif8,
    .initialFocus = kIdButton1,
    .autoScroll = false,
    .clientSize = true,
};

namespace fabout {

using framework::ControlKind;
using framework::Dock;
using framework::kDefaultColour;
inline constexpr COLORREF kTextBlack = framework::clBlack;

inline constexpr framework::ControlDesign kControls[] = {
    {.kind = ControlKind::Image,
     .name = L"Image1",
     .id = kIdImage1,
     .bounds = {0, 0, 294, 77},
     .text = kAboutBanner,
     .style = SS_BITMAP},
    {.kind = ControlKind::Label,
     .name = L"lblPhysMem",
     .id = kIdLblPhysMem,
     .bounds = {86, 173, 56, 13},
     .text = L"lblPhysMem",
     .colour = kTextBlack,
     .autoSize = true},
    {.kind = ControlKind::Label,
     .name = L"lblPhysRes",
     .id = kIdLblPhysRes,
     .bounds = {86, 193, 52, 13},
     .text = L"lblPhysRes",
     .colour = kTextBlack,
     .autoSize = true},
    {.kind = ControlKind::Windowless, .name = L"Line1", .id = kIdLine1, .bounds = {86, 158, 196, 0}},
    {.kind = ControlKind::Windowless, .name = L"Line2", .id = kIdLine2, .bounds = {86, 159, 196, 0}},
    {.kind = ControlKind::Label,
     .name = L"Label1",
     .id = kIdAboutLabel1,
     .bounds = {88, 96, 48, 16},
     .text = L"Label1",
     .colour = kTextBlack,
     .autoSize = true,
     .font = kMsSansSerif10Bold},
    {.kind = ControlKind::Label,
     .name = L"Label2",
     .id = kIdAboutLabel2,
     .bounds = {88, 120, 32, 13},
     .text = L"Label2",
     .colour = kTextBlack,
     .autoSize = true},
    {.kind = ControlKind::Label,
     .name = L"Label3",
     .id = kIdAboutLabel3,
     .bounds = {88, 136, 32, 13},
     .text = L"Label3",
     .colour = kTextBlack,
     .autoSize = true},
    // The application icon at its natural size, from the form's creation event.
    {.kind = ControlKind::Image,
     .name = L"FImage",
     .id = kIdFImage,
     .bounds = {23, 95, 34, 34},
     .style = SS_ICON | SS_REALSIZEIMAGE},
    {.kind = ControlKind::Button,
     .name = L"Button1",
     .id = kIdButton1,
     .bounds = {208, 223, 74, 26},
     .text = L"OK",
     .tabStop = true},
};

struct LineSettings {
    int id;
    COLORREF penColour;
    int fromX, toX, fromY, toY;
    TLineType line;
};

// Applied in this order, so that the coordinates are taken while the line is still custom.
inline constexpr LineSettings kLines[] = {
    {.id = kIdLine1,
     .penColour = framework::clBlack,
     .fromX = 0,
     .toX = 195,
     .fromY = 4,
     .toY = 4,
     .line = ltHorizontal},
    {.id = kIdLine2,
     .penColour = framework::clWhite,
     .fromX = 0,
     .toX = 195,
     .fromY = 4,
     .toY = 4,
     .line = ltHorizontal},
};

}  // namespace fabout
}  // namespace talvorine
