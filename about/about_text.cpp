// The About box's texts.
#include "about/about_text.h"

#include <algorithm>

namespace talvorine {

void ShortText::Assign(std::string_view bytes) {
    const std::size_t length = std::min(bytes.size(), kCapacity);
    std::copy_n(bytes.data(), length, m_chars.data());
    m_length = static_cast<std::uint8_t>(length);
}

std::wstring PhysicalMemoryLine(std::uint64_t totalBytes, std::wstring_view thousandsSeparator) {
    // Rounded without adding first, which could overflow at the top of the range.
    const std::uint64_t kilobytes = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
    const std::wstring digits = std::to_wstring(kilobytes);
    std::wstring grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += thousandsSeparator;
        }
        grouped += digits[i];
    }
    return L"Mémoire physique totale : " + grouped + L" Ko";
}

std::wstring FreeResourcesLine(unsigned memoryLoad) {
    const unsigned free = 100 - std::min(memoryLoad, 100u);
    return L"Ressources système      : " + std::to_wstring(free) + L"% libre.";
}

}  // namespace talvorine
