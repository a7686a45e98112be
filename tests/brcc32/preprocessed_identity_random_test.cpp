// Byte identity with llvm-rc and the MinGW-w64 headers on scripts drawn at random.
#include <random>
#include <string>
#include <vector>

#include "preprocessed_identity.h"

namespace brcc::test {
namespace {

// Scripts drawn at random from the block statements and the preprocessor: catches what a hand-written case misses.
TEST_F(PreprocessedIdentity, RandomScripts) {
    const std::vector<std::string> languages = {"LANG_ENGLISH, SUBLANG_ENGLISH_US", "LANG_FRENCH, SUBLANG_FRENCH",
                                                "LANG_NEUTRAL, SUBLANG_NEUTRAL", "0x07, 0x01", "LANG_POLISH, 1"};
    const std::vector<std::string> numbers = {"0",           "1",     "65535",      "0x7FFF",    "017",        "12L",
                                              "0xFFFFFFFFL", "IDOK",  "IDC_STATIC", "VK_F1",     "(1 + 2)",    "-3",
                                              "~0",          "7 & 3", "1 | 4 - 2",  "NOT 1 | 6", "WS_VISIBLE", "COUNT"};
    const std::vector<std::string> texts = {"\"\"",
                                            "\"plain\"",
                                            "L\"wide\"",
                                            "\"tab\\there\"",
                                            "\"quote \"\"x\"\"\"",
                                            "\"octal \\101\\0 end\"",
                                            "\"hex \\x41\\x7e\"",
                                            "L\"\\x263A smile\"",
                                            "\"back\\\\slash\"",
                                            "TITLE"};
    std::mt19937 random(20261207);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    const std::vector<std::string> controls = {
        "LTEXT",   "RTEXT",      "CTEXT",       "PUSHBUTTON",      "DEFPUSHBUTTON", "CHECKBOX", "AUTOCHECKBOX",
        "STATE3",  "AUTO3STATE", "RADIOBUTTON", "AUTORADIOBUTTON", "GROUPBOX",      "PUSHBOX",  "EDITTEXT",
        "LISTBOX", "COMBOBOX",   "SCROLLBAR",   "CONTROL",         "ICON"};
    const std::vector<std::string> styles = {"WS_TABSTOP",  "NOT WS_VISIBLE", "WS_DISABLED | WS_GROUP",
                                             "0x1",         "BS_FLAT",        "NOT WS_TABSTOP | WS_BORDER",
                                             "ES_PASSWORD", "SS_SUNKEN"};
    const std::vector<std::string> menuOptions = {
        "", ", CHECKED", ", GRAYED", ", INACTIVE, HELP", ", MENUBREAK", ", MENUBARBREAK, CHECKED"};
    for (int script = 0; script < 10; ++script) {
        // Half the scripts have no header: their constants written as numbers.
        std::string text = script % 2 ? "#include <winres.h>\n"
                                      : "#define IDOK 1\n#define IDC_STATIC (-1)\n"
                                        "#define VK_F1 0x70\n#define WS_VISIBLE 0x10000000L\n"
                                        "#define WS_TABSTOP 0x00010000L\n#define WS_DISABLED 0x08000000L\n"
                                        "#define WS_GROUP 0x00020000L\n#define BS_FLAT 0x8000\n"
                                        "#define WS_BORDER 0x00800000L\n#define ES_PASSWORD 0x20\n"
                                        "#define SS_SUNKEN 0x1000\n#define LANG_ENGLISH 9\n"
                                        "#define SUBLANG_ENGLISH_US 1\n#define LANG_FRENCH 0xc\n"
                                        "#define SUBLANG_FRENCH 1\n#define LANG_NEUTRAL 0\n#define SUBLANG_NEUTRAL 0\n"
                                        "#define LANG_POLISH 0x15\n";
        text += "#define COUNT 12\n#define TITLE \"title\"\n#define TWICE(x) x, x\n";
        int nextId = 1;
        for (int statement = 0; statement < 30; ++statement) {
            const bool guarded = random() % 4 == 0;
            if (guarded) {
                text += random() % 2 ? "#if COUNT > 10\n" : "#ifdef NOT_DEFINED\n";
            }
            switch (random() % 8) {
                case 0:
                    text += "LANGUAGE " + pick(languages) + "\n";
                    break;
                case 5: {
                    const bool extended = random() % 2;
                    text += std::to_string(nextId++) + (extended ? " DIALOGEX " : " DIALOG ") + "1, 2, 300, 200\n";
                    text += random() % 2 ? "CAPTION " + pick(texts) + "\n" : "";
                    text += random() % 2 ? "STYLE WS_VISIBLE | 0x80000000L\n" : "";
                    text += random() % 2 ? "FONT 8, \"MS Shell Dlg\"\n" : "";
                    text += "BEGIN\n";
                    for (int k = 0; k < static_cast<int>(random() % 8); ++k) {
                        const std::string control = pick(controls);
                        const std::string id = std::to_string(1000 + k);
                        const std::string place = ", " + std::to_string(random() % 300) + ", " +
                                                  std::to_string(random() % 200) + ", 40, " +
                                                  std::to_string(random() % 30);
                        const std::string style = random() % 2 ? ", " + pick(styles) : "";
                        if (control == "CONTROL") {
                            text += "  CONTROL " + pick(texts) + ", " + id + ", \"Button\", " + pick(styles) + place;
                        } else if (control == "EDITTEXT" || control == "LISTBOX" || control == "COMBOBOX" ||
                                   control == "SCROLLBAR") {
                            text += "  " + control + " " + id + place + style;
                        } else if (control == "ICON") {
                            text += "  ICON " + std::string(random() % 2 ? "\"APP\"" : "7") + ", " + id + place;
                        } else {
                            text += "  " + control + " " + pick(texts) + ", " + id + place + style;
                        }
                        text += style.empty() || !extended ? "" : ", 0x200" + std::string(random() % 2 ? ", 55" : "");
                        text += "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 6: {
                    text += std::to_string(nextId++) + " MENU\nBEGIN\n";
                    for (int k = 0; k < 1 + static_cast<int>(random() % 4); ++k) {
                        if (random() % 3 == 0) {
                            text += "  POPUP " + pick(texts) + pick(menuOptions) + "\n  BEGIN\n";
                            for (int j = 0; j < 1 + static_cast<int>(random() % 3); ++j) {
                                text += random() % 4 ? "    MENUITEM " + pick(texts) + ", " + std::to_string(j) +
                                                           pick(menuOptions) + "\n"
                                                     : "    MENUITEM SEPARATOR\n";
                            }
                            text += "  END\n";
                        } else {
                            text += "  MENUITEM " + pick(texts) + ", " + (random() % 2 ? "IDOK" : "0x7FFF") +
                                    pick(menuOptions) + "\n";
                        }
                    }
                    text += "END\n";
                    break;
                }
                case 7: {
                    text += std::to_string(nextId++) + " ACCELERATORS\nBEGIN\n";
                    const std::vector<std::string> keys = {"\"a\", 1",
                                                           "\"^C\", 2",
                                                           "\"Z\", 3, ASCII",
                                                           "VK_F1, 4, VIRTKEY",
                                                           "0x41, 5, VIRTKEY, CONTROL, SHIFT",
                                                           "\"x\", 6, VIRTKEY, ALT, NOINVERT",
                                                           "65, 7, ASCII"};
                    for (int k = 0; k < 1 + static_cast<int>(random() % 5); ++k) {
                        text += "  " + pick(keys) + "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 1: {
                    text += "STRINGTABLE\nBEGIN\n";
                    const int count = 1 + static_cast<int>(random() % 6);
                    for (int k = 0; k < count; ++k) {
                        text += std::to_string(script * 4096 + nextId++ * 17 + static_cast<int>(random() % 17)) +
                                (random() % 2 ? ", " : " ") + pick(texts) + "\n";
                    }
                    text += "END\n";
                    break;
                }
                case 2: {
                    text += std::to_string(nextId++) + (random() % 2 ? " RCDATA" : " MYDATA") + " {";
                    const int count = static_cast<int>(random() % 6);
                    for (int k = 0; k < count; ++k) {
                        const std::string number = pick(numbers);
                        const bool simple =
                            number.find_first_of("( -~&|N") == std::string::npos && number != "IDC_STATIC";
                        text += (k ? ", " : " ") + (random() % 2 || !simple ? pick(texts) : number);
                    }
                    text += random() % 3 ? " }\n" : count ? ", TWICE(5) }\n" : " TWICE(5) }\n";
                    break;
                }
                case 3: {
                    text += std::to_string(nextId++) + " VERSIONINFO\nFILEVERSION " + std::to_string(random() % 9) +
                            "," + std::to_string(random() % 300) + "\nFILEFLAGS " + pick(numbers) + "\nFILETYPE " +
                            pick(numbers) + "\nBEGIN\n";
                    for (int block = 0; block < static_cast<int>(random() % 3); ++block) {
                        text += " BLOCK \"b" + std::to_string(block) + "\"\n BEGIN\n";
                        for (int value = 0; value < static_cast<int>(random() % 4); ++value) {
                            text += "  VALUE \"v" + std::to_string(value) + "\", " +
                                    (random() % 2 ? pick(texts) + (random() % 2 ? ", " : " ") + pick(texts)
                                                  : std::string("1, 2L 3"));
                            text += "\n";
                        }
                        text += " END\n";
                    }
                    text += "END\n";
                    break;
                }
                default:
                    text += std::to_string(nextId++) + " ICON app.ico\n";
                    break;
            }
            if (guarded) {
                text += "#endif\n";
            }
        }
        ExpectIdentical(text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace brcc::test
