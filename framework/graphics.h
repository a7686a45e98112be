// Pens, brushes and the canvas that draws with them: attributes with a change notification,
// realised as GDI objects only for the drawing that needs them.
#pragma once

#include <windows.h>

#include <functional>

#include "framework/handles.h"

namespace framework {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen's colour combines with the pixels under it.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor,
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

inline constexpr COLORREF clBlack = 0x00000000;
inline constexpr COLORREF clWhite = 0x00FFFFFF;

// Each setter, and Assign, calls OnChange once when an attribute actually changes.
class TPen {
public:
    TPen() = default;
    TPen(const TPen&) = delete;  // an owner's change handler must not travel with a copy
    TPen& operator=(const TPen&) = delete;

    COLORREF Color() const { return m_attributes.color; }
    int Width() const { return m_attributes.width; }
    TPenStyle Style() const { return m_attributes.style; }
    TPenMode Mode() const { return m_attributes.mode; }
    void SetColor(COLORREF color);
    void SetWidth(int width);  // a negative width is refused
    void SetStyle(TPenStyle style);
    void SetMode(TPenMode mode);
    // Copies colour, width, style and mode; the change handler stays.
    void Assign(const TPen& source);

    UniquePen CreateHandle() const;
    int RasterOperation() const;  // the R2_ code of the mode

    std::function<void()> OnChange;

private:
    struct Attributes {
        COLORREF color = clBlack;
        int width = 1;
        TPenStyle style = psSolid;
        TPenMode mode = pmCopy;
        bool operator==(const Attributes&) const = default;
    };
    Attributes m_attributes;
};

class TBrush {
public:
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    COLORREF Color() const { return m_attributes.color; }
    TBrushStyle Style() const { return m_attributes.style; }
    HBITMAP Bitmap() const { return m_attributes.bitmap; }
    void SetColor(COLORREF color);
    void SetStyle(TBrushStyle style);
    // A pattern that takes the place of colour and style while it is set; the caller keeps it alive.
    void SetBitmap(HBITMAP bitmap);
    // Copies colour, style and pattern; the change handler stays.
    void Assign(const TBrush& source);

    UniqueBrush CreateHandle() const;

    std::function<void()> OnChange;

private:
    struct Attributes {
        COLORREF color = clWhite;
        TBrushStyle style = bsSolid;
        HBITMAP bitmap = nullptr;  // not owned
        bool operator==(const Attributes&) const = default;
    };
    Attributes m_attributes;
};

// Draws on a DC it does not own with its own pen and brush.
class Canvas {
public:
    explicit Canvas(HDC dc) : m_dc(dc) {}

    HDC Handle() const { return m_dc; }
    TPen& Pen() { return m_pen; }
    TBrush& Brush() { return m_brush; }

    void MoveTo(int x, int y);
    // The platform's line drawing: the end point itself is not drawn. The brush is used only
    // for the gaps of a styled pen, which it fills unless it is clear.
    void LineTo(int x, int y);

private:
    HDC m_dc;  // not owned
    TPen m_pen;
    TBrush m_brush;
};

}  // namespace framework
