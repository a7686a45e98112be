// Scaling of layouts and fonts for the display's resolution.
#include "framework/dpi_scale.h"

#include <cstdint>

namespace framework {

int MulDivRound(int value, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;  // as the platform's MulDiv answers
    }
    const int64_t product = static_cast<int64_t>(value) * numerator;
    const int64_t half = (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t magnitude = (product < 0 ? -product : product) + half;
    const int64_t quotient = magnitude / (denominator < 0 ? -static_cast<int64_t>(denominator) : denominator);
    return static_cast<int>(negative ? -quotient : quotient);
}

int DesignFontHeight(int points) { return -MulDivRound(points, kDesignDpi, 72); }

int FontHeightForDpi(int designHeight, int dpi) { return MulDivRound(designHeight, dpi, kDesignDpi); }

}  // namespace framework
