// The About box's counted strings and memory lines.
#include "about/about_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace talvorine;

TEST(ShortText, KeepsAtMostTheFirstHundredCharacters) {
    ShortText text;
    EXPECT_EQ(text.Value(), "");
    const std::string exact(100, 'x');
    text.Assign(exact);
    EXPECT_EQ(text.Value(), exact);
    text.Assign(std::string(100, 'a') + std::string(50, 'b'));
    EXPECT_EQ(text.Value(), std::string(100, 'a'));
    text.Assign("\xA9 court");  // a shorter text replaces the whole of a longer one
    EXPECT_EQ(text.Value(), "\xA9 court");
}

TEST(MemoryLines, TotalInKilobytesRoundedAndGroupedByThrees) {
    const std::wstring prefix = L"Mémoire physique totale : ";
    EXPECT_EQ(prefix.size(), 26u);
    EXPECT_EQ(PhysicalMemoryLine(536870912, L"\u00A0"), prefix + L"524\u00A0288 Ko");
    EXPECT_EQ(PhysicalMemoryLine(536870912, L","), prefix + L"524,288 Ko");
    EXPECT_EQ(PhysicalMemoryLine(1023, L" "), prefix + L"1 Ko");  // 0.999 rounds up
    EXPECT_EQ(PhysicalMemoryLine(1535, L" "), prefix + L"1 Ko");  // 1.499 rounds down
    EXPECT_EQ(PhysicalMemoryLine(1536, L" "), prefix + L"2 Ko");  // 1.5 rounds up
    EXPECT_EQ(PhysicalMemoryLine(999 * 1024, L" "), prefix + L"999 Ko");
    EXPECT_EQ(PhysicalMemoryLine(1000 * 1024, L" "), prefix + L"1 000 Ko");
    // Beyond the 32-bit counts: 24 GiB and 6 GiB are shown whole.
    EXPECT_EQ(PhysicalMemoryLine(24ull << 30, L" "), prefix + L"25 165 824 Ko");
    EXPECT_EQ(PhysicalMemoryLine(6ull << 30, L"."), prefix + L"6.291.456 Ko");
    EXPECT_EQ(PhysicalMemoryLine(UINT64_MAX, L""), prefix + L"18014398509481984 Ko");
}

TEST(MemoryLines, FreeShareIsTheRestOfTheLoad) {
    const std::wstring prefix = L"Ressources système      : ";
    EXPECT_EQ(prefix.size(), 26u);
    EXPECT_EQ(FreeResourcesLine(37), prefix + L"63% libre.");
    EXPECT_EQ(FreeResourcesLine(0), prefix + L"100% libre.");
    EXPECT_EQ(FreeResourcesLine(100), prefix + L"0% libre.");
}
