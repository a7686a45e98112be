// glibc's iconv, the reference the code page tests read bytes with.
#include "iconv_reference.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace brcc::test {

std::optional<char16_t> IconvUnit(const char* page, const std::string& bytes) {
    const iconv_t converter = iconv_open("UTF-16LE", page);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv does not know " << page;
        return std::nullopt;
    }
    std::string in = bytes;
    char out[8] = {};
    char* inPointer = in.data();
    char* outPointer = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    // 1255 and 1258 hold a letter back until they know no combining mark follows: flush it.
    if (result != static_cast<std::size_t>(-1)) {
        result = iconv(converter, nullptr, nullptr, &outPointer, &outLeft);
    }
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0 || sizeof out - outLeft != 2) {
        return std::nullopt;
    }
    return static_cast<char16_t>(static_cast<unsigned char>(out[0]) | static_cast<unsigned char>(out[1]) << 8);
}

std::string IconvToUtf8(const char* page, const std::string& bytes) {
    const iconv_t converter = iconv_open("UTF-8", page);
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << page;
    std::string in = bytes;
    std::string out(bytes.size() * 4 + 16, '\0');
    char* inPointer = in.data();
    char* outPointer = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv(converter, nullptr, nullptr, &outPointer, &outLeft);
    iconv_close(converter);
    EXPECT_NE(result, static_cast<std::size_t>(-1)) << page;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace brcc::test
