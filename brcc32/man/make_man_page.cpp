// Writes brcc32(1) at build time: make_man_page en|fr FILE.
#include <cstdio>
#include <fstream>
#include <string_view>

#include "brcc32/man/man_page.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make_man_page en|fr FILE\n", stderr);
        return 2;
    }
    const brcc::UiLanguage language =
        std::string_view(argv[1]) == "fr" ? brcc::UiLanguage::kFrench : brcc::UiLanguage::kEnglish;
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << brcc::ManPage(language);
    out.close();
    return out ? 0 : 1;
}
