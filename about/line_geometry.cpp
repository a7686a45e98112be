// The segment of a line control and the size changes it brings.
#include "about/line_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace talvorine {
namespace {

// Sizes stay representable however large a pen or an end point is set.
int Saturated(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX)); }

int ThicknessFor(int penWidth) { return Saturated(std::int64_t{10} * penWidth); }

// One axis of a custom line: its end points kept off the negative side, the extent grown to hold both.
void GrowToHold(int& from, int& to, int last, int& extent) {
    to = std::max(to, 0);
    from = std::max(from, 0);
    if (last < to || last < from) {
        extent = Saturated(std::int64_t{std::max(to, from)} + 1);
    }
}

}  // namespace

bool LineGeometry::SetCoordinate(int& coordinate, int value) {
    if (m_line != ltCustom) {
        return false;
    }
    coordinate = value;
    return true;
}

std::optional<LineSize> LineGeometry::SetLine(TLineType line, LineSize current) {
    if (line == m_line) {
        return std::nullopt;
    }
    LineSize size = current;
    if (m_line == ltHorizontal) {
        switch (line) {
            case ltVertical:
                size = {current.height, current.width};
                break;
            case ltTop:
            case ltBottom:
            case ltUpDiagonal:
            case ltDownDiagonal:
                size.height = kLineRestingSize;
                break;
            case ltLeft:
            case ltRight:
                size = {kLineRestingSize, current.width};
                break;
            default:
                break;
        }
    } else if (m_line == ltVertical) {
        switch (line) {
            case ltHorizontal:
                size = {current.height, current.width};
                break;
            case ltTop:
            case ltBottom:
                size = {current.height, kLineRestingSize};
                break;
            case ltLeft:
            case ltRight:
            case ltUpDiagonal:
            case ltDownDiagonal:
                size.width = kLineRestingSize;
                break;
            default:
                break;
        }
    }
    m_line = line;
    return size;
}

LineGeometry::Plan LineGeometry::PlanPaint(LineSize current, int penWidth) {
    // Taken once: the size changes below are for the next paint, not this one.
    const int w1 = Saturated(std::int64_t{current.width} - 1);
    const int h1 = Saturated(std::int64_t{current.height} - 1);
    LineSize size = current;
    LineSegment& s = m_segment;
    switch (m_line) {
        case ltCustom:
            GrowToHold(s.fromX, s.toX, w1, size.width);
            GrowToHold(s.fromY, s.toY, h1, size.height);
            break;
        case ltHorizontal:
            s = {0, h1 / 2, w1, h1 / 2};
            size.height = ThicknessFor(penWidth);
            break;
        case ltVertical:
            s = {w1 / 2, 0, w1 / 2, h1};
            size.width = ThicknessFor(penWidth);
            break;
        case ltTop:
            s = {0, 0, w1, 0};
            break;
        case ltBottom:
            s = {0, h1, w1, h1};
            break;
        case ltLeft:
            s = {0, 0, 0, h1};
            break;
        case ltRight:
            s = {w1, 0, w1, h1};
            break;
        case ltUpDiagonal:
            s = {0, h1, w1, 0};
            break;
        case ltDownDiagonal:
            s = {0, 0, w1, h1};
            break;
    }
    return {s, size};
}

}  // namespace talvorine
