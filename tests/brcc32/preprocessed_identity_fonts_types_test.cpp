// Byte identity with llvm-rc on fonts and their directory, and on the types llvm-rc stores under their names.
#include <string>
#include <utility>
#include <vector>

#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

// The font directory, which llvm-rc does not write: the count, then each font's number and directory entry (its
// first 113 bytes, its device and face names), after every other resource.
Bytes FontDirectory(const std::vector<std::pair<std::uint16_t, Bytes>>& fonts,
                    const std::vector<std::pair<std::string, std::string>>& names) {
    Bytes out = {static_cast<std::uint8_t>(fonts.size()), 0};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(fonts[i].first));
        out.push_back(static_cast<std::uint8_t>(fonts[i].first >> 8));
        out.insert(out.end(), fonts[i].second.begin(), fonts[i].second.begin() + 113);
        for (const std::string& name : {names[i].first, names[i].second}) {
            out.insert(out.end(), name.begin(), name.end());
            out.push_back(0);
        }
    }
    return out;
}

// llvm-rc stores these types under their names as text: Windows looks them up by number. Ours against llvm-rc
// given the numbers.
TEST_F(PreprocessedIdentity, TypesLlvmRcStoresAsText) {
    const Bytes font = MakeFontFile("Tiny");
    m_folder.Write("tiny.fnt", font);
    m_folder.Write("fontdir.bin", FontDirectory({{2, font}}, {{"", "Tiny"}}));
    ExpectIdenticalTo(
        "1 MESSAGETABLE page.htm\n2 FONT tiny.fnt\n3 ANICURSOR page.htm\n"
        "4 ANIICON page.htm\n5 PLUGPLAY page.htm\n6 VXD page.htm\n"
        "7 DLGINCLUDE \"resource.h\"\n",
        "1 11 page.htm\n2 8 DISCARDABLE tiny.fnt\n3 21 page.htm\n"
        "4 22 page.htm\n5 19 page.htm\n6 20 page.htm\n"
        "7 17 { \"resource.h\\0\" }\nFONTDIR 7 DISCARDABLE fontdir.bin\n");
}

// Fonts in two languages, one naming its device: one directory, in the first font's language, in script order.
TEST_F(PreprocessedIdentity, FontDirectoryListsEveryFont) {
    const Bytes screen = MakeFontFile("Small Fonts");
    const Bytes printer = MakeFontFile("Courier", "PRINTER");
    m_folder.Write("screen.fnt", screen);
    m_folder.Write("printer.fnt", printer);
    m_folder.Write("fontdir.bin",
                   FontDirectory({{9, printer}, {0x7FFF, screen}}, {{"PRINTER", "Courier"}, {"", "Small Fonts"}}));
    ExpectIdenticalTo(
        "LANGUAGE 7, 1\n9 FONT printer.fnt\nLANGUAGE 9, 1\n"
        "0x7FFF FONT PRELOAD screen.fnt\n1 RCDATA page.htm\n",
        "LANGUAGE 7, 1\n9 8 DISCARDABLE printer.fnt\nLANGUAGE 9, 1\n"
        "0x7FFF 8 DISCARDABLE PRELOAD screen.fnt\n1 RCDATA page.htm\n"
        "LANGUAGE 7, 1\nFONTDIR 7 DISCARDABLE fontdir.bin\n");
}

}  // namespace
}  // namespace brcc::test
