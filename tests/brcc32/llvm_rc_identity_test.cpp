// Byte identity with llvm-rc on a generated corpus: every form of the language, alone and mixed at random.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "test_folder.h"
#include "test_images.h"

namespace brcc::test {
namespace {

class LlvmRcIdentity : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder.Write("multi.ico", MakeIconFile({{MakeDibImage(16, 16, 1), 16, 16, 1},
                                                  {MakeDibImage(16, 16, 4), 16, 16, 4},
                                                  {MakeDibImage(32, 32, 8), 32, 32, 8},
                                                  {MakeDibImage(48, 48, 24), 48, 48, 24},
                                                  {MakeDibImage(32, 32, 32), 32, 32, 32},
                                                  {MakePngImage(256, 256), 256, 256, 32},
                                                  {MakePngImage(64, 64), 64, 64, 32}}));
        m_folder.Write("single.ico", MakeIconFile({{MakeDibImage(32, 32, 4), 32, 32, 4}}));
        m_folder.Write("icons/png only.ico", MakeIconFile({{MakePngImage(128, 128), 128, 128, 32}}));
        m_folder.Write("arrow.cur", MakeIconFile({{MakeDibImage(32, 32, 1), 32, 32, 1, 3, 5},
                                                  {MakeDibImage(48, 48, 1), 48, 48, 1, 47, 0},
                                                  {MakeDibImage(17, 9, 4), 17, 9, 4, 16, 8}},
                                                 true));
        m_folder.Write("wait.cur", MakeIconFile({{MakePngImage(256, 256), 256, 256, 32, 128, 255}}, true));
        m_folder.Write("odd.bmp", MakeBitmapFile(3, 3, 24));
        m_folder.Write("paletted.bmp", MakeBitmapFile(5, 7, 8));
        m_folder.Write("mono.bmp", MakeBitmapFile(33, 2, 1));
        m_folder.Write("core.bmp", MakeBitmapFile(6, 5, 4, 12));
        m_folder.Write("v5.bmp", MakeBitmapFile(9, 4, 32, 124));
        // Sizes that are not a multiple of 4, whole within the first bytes checked or not: their data is padded.
        for (const std::size_t extra : {1, 3, 200}) {
            Bytes bitmap = MakeBitmapFile(3, 3, 24);
            bitmap.resize(bitmap.size() + extra, 0x5A);
            m_folder.Write("tail" + std::to_string(extra) + ".bmp", bitmap);
        }
        for (int size = 0; size <= 8; ++size) {
            m_folder.Write("d" + std::to_string(size) + ".bin", std::string(size, static_cast<char>('a' + size)));
        }
        std::string big(300003, '\0');  // more than the compiler reads ahead of its turn
        for (std::size_t i = 0; i < big.size(); ++i) {
            big[i] = static_cast<char>(i * 7 + (i >> 9));
        }
        m_folder.Write("big.bin", big);
        m_folder.Write("sub dir/x.bin", std::string("in a folder"));
    }

    // Our output for `script` against llvm-rc's for `llvmScript` (the same resources, in a form llvm-rc reads).
    void ExpectIdentical(const std::string& script, const std::string& llvmScript = "") {
        m_folder.Write("ours.rc", script);
        m_folder.Write("theirs.rc", llvmScript.empty() ? script : llvmScript);
        ExpectSameRes(m_folder, script, [&] { return RunLlvmRc(m_folder.Path(), "theirs.rc", "theirs.res"); });
    }

    TestFolder m_folder;
};

TEST_F(LlvmRcIdentity, EachTypeWithNumericAndNamedIds) {
    ExpectIdentical(
        "1 ICON multi.ico\nAppIcon ICON single.ico\n2 CURSOR arrow.cur\nbusy CURSOR wait.cur\n"
        "3 BITMAP odd.bmp\nLogo BITMAP paletted.bmp\n4 RCDATA d5.bin\nblob RCDATA big.bin\n"
        "5 WAVE d3.bin\nsound wave d4.bin\n6 300 d1.bin\nnumbered 65535 d2.bin\n7 0 d0.bin\n");
}

TEST_F(LlvmRcIdentity, KeywordsInAnyCaseAndIdentifiersUpperCased) {
    ExpectIdentical(
        "a icon single.ico\nB Icon single.ico\nc cursor arrow.cur\nd Bitmap mono.bmp\ne rcdata d1.bin\n"
        "MiXeD_Case.Name My_Type d2.bin\n_under rcData d3.bin\nicon ICON single.ico\n");
}

TEST_F(LlvmRcIdentity, NumberForms) {
    ExpectIdentical(
        "0x1F RCDATA d1.bin\n0XaB RCDATA d2.bin\n017 RCDATA d3.bin\n12L RCDATA d4.bin\n"
        "0x10l 0x100 d5.bin\n0 RCDATA d6.bin\n65535 RCDATA d7.bin\n0177777L 077 d8.bin\n");
}

TEST_F(LlvmRcIdentity, MemoryFlagsOnEveryKind) {
    const std::vector<std::string> flags = {"MOVEABLE",
                                            "FIXED",
                                            "PURE",
                                            "IMPURE",
                                            "PRELOAD",
                                            "LOADONCALL",
                                            "DISCARDABLE",
                                            "preload fixed impure",
                                            "Discardable LoadOnCall",
                                            "FIXED PURE PRELOAD"};
    std::string script;
    int id = 1;
    for (const std::string& flag : flags) {
        script += std::to_string(id++) + " ICON " + flag + " single.ico\n";
        script += std::to_string(id++) + " CURSOR " + flag + " arrow.cur\n";
        script += std::to_string(id++) + " BITMAP " + flag + " odd.bmp\n";
        script += std::to_string(id++) + " RCDATA " + flag + " d3.bin\n";
        script += std::to_string(id++) + " WAVE " + flag + " \"d2.bin\"\n";
    }
    ExpectIdentical(script);
}

TEST_F(LlvmRcIdentity, LanguageAppliesToTheResourcesAfterIt) {
    ExpectIdentical(
        "1 RCDATA d1.bin\nLANGUAGE 7, 1\n1 ICON multi.ico\n2 RCDATA d2.bin\n"
        "LANGUAGE 0x0C, 02\n1 RCDATA d1.bin\nLANGUAGE 0,0\n2 CURSOR arrow.cur\n"
        "LANGUAGE 1023L, 63\nx WAVE d0.bin\nlanguage 9 , 1\n3 RCDATA d3.bin\n");
}

TEST_F(LlvmRcIdentity, IconsCursorsAndBitmapsOfManyShapes) {
    ExpectIdentical(
        "10 ICON multi.ico\n11 ICON \"icons/png only.ico\"\n12 CURSOR arrow.cur\n13 CURSOR wait.cur\n"
        "14 ICON multi.ico\n15 BITMAP odd.bmp\n16 BITMAP paletted.bmp\n17 BITMAP mono.bmp\n"
        "18 BITMAP core.bmp\n19 BITMAP v5.bmp\n20 CURSOR arrow.cur\n21 BITMAP tail1.bmp\n22 BITMAP tail3.bmp\n"
        "23 BITMAP tail200.bmp\n");
}

TEST_F(LlvmRcIdentity, DataAndNamesOfEveryLengthArePadded) {
    std::string script;
    for (int size = 0; size <= 8; ++size) {
        script += std::string(static_cast<std::size_t>(size) + 1, static_cast<char>('A' + size)) + " " +
                  std::string(static_cast<std::size_t>(9 - size), 'T') + " d" + std::to_string(size) + ".bin\n";
    }
    ExpectIdentical(script);
}

TEST_F(LlvmRcIdentity, CommentsLineEndsAndByteOrderMark) {
    ExpectIdentical(
        "\xEF\xBB\xBF// leading comment\r\n1 ICON single.ico // trailing\r\n/* block\r\n over lines */\r\n"
        "2 /* inside */ RCDATA d2.bin\r\n\t3\tRCDATA\t\"d3.bin\"\r\n4 RCDATA d4.bin");
    ExpectIdentical("/**/1 RCDATA d1.bin\n\n\n/* a // b */ 2 RCDATA d2.bin\n// last line without end");
}

TEST_F(LlvmRcIdentity, BackslashSeparatesFoldersLikeSlash) {
    // llvm-rc on Linux takes a backslash as part of a name, so it reads the same script with slashes.
    ExpectIdentical("1 ICON \"icons\\png only.ico\"\n2 RCDATA \"sub dir\\x.bin\"\n3 RCDATA .\\d3.bin\n",
                    "1 ICON \"icons/png only.ico\"\n2 RCDATA \"sub dir/x.bin\"\n3 RCDATA ./d3.bin\n");
}

TEST_F(LlvmRcIdentity, EmptyScript) { ExpectIdentical("// nothing but a comment\n"); }

// Scripts drawn at random from every form above: catches the interactions a hand-written case misses. The last is
// long enough for files to be read ahead on threads.
TEST_F(LlvmRcIdentity, RandomScripts) {
    const std::vector<std::string> types = {"ICON", "icon",   "CURSOR", "BITMAP", "RCDATA",
                                            "WAVE", "Data_2", "256",    "0x7"};
    const std::vector<std::string> icons = {"multi.ico", "single.ico", "\"icons/png only.ico\""};
    const std::vector<std::string> cursors = {"arrow.cur", "wait.cur"};
    const std::vector<std::string> bitmaps = {"odd.bmp", "paletted.bmp", "mono.bmp", "core.bmp", "v5.bmp"};
    const std::vector<std::string> flags = {
        "", "", "", "PRELOAD ", "FIXED ", "DISCARDABLE ", "IMPURE ", "LOADONCALL PURE ", "MOVEABLE "};
    std::mt19937 random(20240501);
    for (int script = 0; script < 13; ++script) {
        std::string text = script % 2 ? "\xEF\xBB\xBF" : "";
        const char* newline = script % 3 ? "\n" : "\r\n";
        for (int line = 0; line < (script == 12 ? 1000 : 40); ++line) {
            if (random() % 10 == 0) {
                text += "LANGUAGE " + std::to_string(random() % 1024) + ", " + std::to_string(random() % 64) + newline;
            }
            // Ids are unique by construction: line number and script in every name.
            const std::string name = random() % 2 ? std::to_string(script * 100 + line + 1)
                                                  : "N" + std::to_string(line) + "_" + std::to_string(script);
            const std::string& type = types[random() % types.size()];
            std::string file = "d" + std::to_string(random() % 9) + ".bin";
            if (type == "ICON" || type == "icon") {
                file = icons[random() % icons.size()];
            } else if (type == "CURSOR") {
                file = cursors[random() % cursors.size()];
            } else if (type == "BITMAP") {
                file = bitmaps[random() % bitmaps.size()];
            } else if (random() % (script == 12 ? 100 : 7) == 0) {
                file = "big.bin";
            }
            text += name + " " + type + " " + flags[random() % flags.size()] + file;
            text += random() % 5 == 0 ? " // note" : "";
            text += newline;
        }
        ExpectIdentical(text);
        if (HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace brcc::test
