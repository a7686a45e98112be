// Where a line control's segment lies and how the control's size follows it: plain C++, no Windows header.
#pragma once

#include <cstdint>
#include <optional>

namespace talvorine {

enum TLineType : std::uint8_t {
    ltCustom,
    ltHorizontal,
    ltVertical,
    ltTop,
    ltBottom,
    ltLeft,
    ltRight,
    ltUpDiagonal,
    ltDownDiagonal,
};

// A new line control's width and height, and the side a line turned from straight to an edge or a
// diagonal takes across.
inline constexpr int kLineRestingSize = 65;

struct LineSize {
    int width;
    int height;
    bool operator==(const LineSize&) const = default;
};

struct LineSegment {
    int fromX, fromY, toX, toY;
    bool operator==(const LineSegment&) const = default;
};

// The line type and the stored end points of one control. The control applies the sizes
// this returns through its own size setter, which repaints only when a size changes.
class LineGeometry {
public:
    TLineType Line() const { return m_line; }
    int FromX() const { return m_segment.fromX; }
    int FromY() const { return m_segment.fromY; }
    int ToX() const { return m_segment.toX; }
    int ToY() const { return m_segment.toY; }
    const LineSegment& Segment() const { return m_segment; }

    // A coordinate is stored only while the line is custom; true when it was, and a
    // repaint is due even for an unchanged value.
    bool SetFromX(int value) { return SetCoordinate(m_segment.fromX, value); }
    bool SetFromY(int value) { return SetCoordinate(m_segment.fromY, value); }
    bool SetToX(int value) { return SetCoordinate(m_segment.toX, value); }
    bool SetToY(int value) { return SetCoordinate(m_segment.toY, value); }

    // Switches the type; nullopt when it is unchanged (no resize, no repaint), else the size
    // the control takes, which may be its current one. The end points stay as they are.
    std::optional<LineSize> SetLine(TLineType line, LineSize current);

    struct Plan {
        LineSegment segment;  // what this paint draws, from the size at its start
        LineSize size;        // the size the control takes after it
    };
    // Computes and stores the end points for a control of `current` size drawn with a pen
    // `penWidth` wide. A custom line's control only ever grows to hold both end points.
    Plan PlanPaint(LineSize current, int penWidth);

private:
    bool SetCoordinate(int& coordinate, int value);

    TLineType m_line = ltCustom;
    LineSegment m_segment{0, 0, 0, 0};
};

}  // namespace talvorine
