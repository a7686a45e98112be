// The arithmetic of laying a form out for the display's resolution. Plain C++.
#pragma once

namespace framework {

// Layouts are drawn for 96 dots per inch, where the forms' font has this text height.
inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignTextHeight = 13;

// value × numerator / denominator, rounded to the nearest integer, halves away from
// zero: the platform's MulDiv, so that a height scaled here matches one scaled there.
int MulDivRound(int value, int numerator, int denominator);

// A font's character height (negative) in design pixels for its size in points.
int DesignFontHeight(int points);

// A font's pixel height (negative: character height) for the display's resolution.
int FontHeightForDpi(int designHeight, int dpi);

// The factor that takes a layout from the design text height to the text height of
// the font as created; identity when they agree.
class LayoutScale {
public:
    LayoutScale() = default;
    explicit LayoutScale(int textHeight) : m_textHeight(textHeight > 0 ? textHeight : kDesignTextHeight) {}

    bool IsIdentity() const { return m_textHeight == kDesignTextHeight; }
    int operator()(int value) const { return MulDivRound(value, m_textHeight, kDesignTextHeight); }
    // A size is the difference of its scaled edges, so that controls that touch at
    // 96 dpi still touch, and none grows apart from its neighbour by rounding.
    int Extent(int start, int size) const { return (*this)(start + size) - (*this)(start); }

private:
    int m_textHeight = kDesignTextHeight;
};

}  // namespace framework
