// Tool bars from their tables, and glyph lists from bitmap resources.
#include "framework/tool_bar.h"

#include <shlwapi.h>

#include <vector>

#include "framework/error.h"

namespace framework {
namespace {

// The theme library is optional: looked up at run time, absent before visual styles existed.
using IsThemeActiveFn = BOOL(WINAPI*)();

bool ThemeActive() {
    HMODULE uxtheme = ::GetModuleHandleW(L"uxtheme.dll");
    if (uxtheme == nullptr) {
        uxtheme = ::LoadLibraryW(L"uxtheme.dll");  // kept loaded: the controls use it too
    }
    if (uxtheme == nullptr) {
        return false;
    }
    const auto isAppThemed =
        reinterpret_cast<IsThemeActiveFn>(reinterpret_cast<void*>(::GetProcAddress(uxtheme, "IsAppThemed")));
    const auto isThemeActive =
        reinterpret_cast<IsThemeActiveFn>(reinterpret_cast<void*>(::GetProcAddress(uxtheme, "IsThemeActive")));
    return isAppThemed != nullptr && isThemeActive != nullptr && isAppThemed() && isThemeActive();
}

bool CommonControlsSix() {
    HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    const auto getVersion =
        comctl == nullptr
            ? nullptr
            : reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion")));
    if (getVersion == nullptr) {
        return false;
    }
    DLLVERSIONINFO version{};
    version.cbSize = sizeof(version);
    return SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 6;
}

}  // namespace

bool VisualStylesActive() { return CommonControlsSix() && ThemeActive(); }

DWORD ToolBarStyle() {
    const DWORD common = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    return VisualStylesActive() ? common | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT : common;
}

UniqueImageList LoadGlyphList(const wchar_t* bitmapName, int size, int count) {
    UniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), bitmapName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!strip || ::GetObjectW(strip.get(), sizeof(dib), &dib) != sizeof(dib) || dib.dsBm.bmBitsPixel != 32 ||
        dib.dsBm.bmWidth < size * count || dib.dsBm.bmHeight < size) {
        throw Error(L"Les images de la barre d'outils sont absentes ou illisibles");
    }
    // The mask from the alpha channel: one bit per pixel, set where the glyph is transparent.
    const int width = dib.dsBm.bmWidth;
    const int height = dib.dsBm.bmHeight;
    const int maskStride = ((width + 15) / 16) * 2;
    std::vector<BYTE> maskBits(static_cast<size_t>(maskStride) * height, 0);
    const auto* pixels = static_cast<const BYTE*>(dib.dsBm.bmBits);
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = pixels + static_cast<size_t>(bottomUp ? height - 1 - y : y) * dib.dsBm.bmWidthBytes;
        for (int x = 0; x < width; ++x) {
            if (row[x * 4 + 3] == 0) {
                maskBits[static_cast<size_t>(y) * maskStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    UniqueBitmap mask(::CreateBitmap(width, height, 1, 1, maskBits.data()));
    UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count, 4));
    if (!mask || !list || ::ImageList_Add(list.get(), strip.get(), mask.get()) < 0) {
        throw Error(L"Impossible de créer la liste d'images de la barre d'outils");
    }
    return list;
}

void AddToolButtons(HWND toolBar, std::span<const ToolButtonDesign> buttons, const ToolBarDesign& sizes,
                    HIMAGELIST images, const LayoutScale& scale) {
    ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    std::vector<TBBUTTON> entries;
    for (const ToolButtonDesign& entry : buttons) {
        TBBUTTON button{};
        if (entry.separator) {
            button.iBitmap = scale(sizes.separatorWidth);
            button.fsStyle = BTNS_SEP;
        } else {
            button.iBitmap = entry.glyph;
            button.idCommand = static_cast<int>(entry.commandId);
            button.fsStyle = BTNS_BUTTON;
            button.fsState = entry.enabled ? TBSTATE_ENABLED : 0;
            button.iString = -1;  // no caption
        }
        entries.push_back(button);
    }
    ::SendMessageW(toolBar, TB_ADDBUTTONSW, entries.size(), reinterpret_cast<LPARAM>(entries.data()));
    ::SendMessageW(toolBar, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(sizes.buttonWidth), scale(sizes.buttonHeight)));
}

}  // namespace framework
