// Tool bars described as data, and the image list of their glyphs.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <span>

#include "framework/dpi_scale.h"
#include "framework/handles.h"

namespace framework {

struct ToolButtonDesign {
    const wchar_t* name;  // the designer's name, for readers of the table
    int left;             // where the table places it, for readers: the bar lines its buttons up itself
    bool separator;
    int glyph;
    UINT commandId;
    bool enabled;
};

struct ToolBarDesign {
    int buttonWidth;
    int buttonHeight;
    int separatorWidth;
};

// Whether windows are drawn with the platform's visual styles now: the common controls
// of version 6 loaded (the manifest asks for them) and a theme active.
bool VisualStylesActive();

// Flat tool buttons belong to visual styles; without them the buttons are drawn raised.
DWORD ToolBarStyle();

// An image list of `count` square glyphs of `size` pixels, masked, at 32 bits per pixel,
// from a bitmap resource that holds them side by side with their alpha channel. A pixel
// whose alpha is 0 is transparent in the mask too.
UniqueImageList LoadGlyphList(const wchar_t* bitmapName, int size, int count);

// Adds the table's buttons with glyphs from `images` (which must outlive the bar).
void AddToolButtons(HWND toolBar, std::span<const ToolButtonDesign> buttons, const ToolBarDesign& sizes,
                    HIMAGELIST images, const LayoutScale& scale);

}  // namespace framework
