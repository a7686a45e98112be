// Messages in the user's language: French or English from the locale, the error keywords untouched.
#include "brcc32/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "test_folder.h"

namespace brcc::test {
namespace {

TEST(Messages, LanguageFromTheLocaleName) {
    for (const char* french : {"fr", "fr_FR.UTF-8", "fr_CA", "fr_BE@euro", "French_France.1252"}) {
        EXPECT_EQ(UiLanguageFromLocaleName(french), UiLanguage::kFrench) << french;
    }
    for (const char* other : {"", "C", "C.UTF-8", "POSIX", "en_US.UTF-8", "de_DE", "fy_NL", "francais"}) {
        EXPECT_EQ(UiLanguageFromLocaleName(other), UiLanguage::kEnglish) << other;
    }
}

TEST(Messages, PatternsTranslateTheirPartsAndLeaveTheUnknown) {
    EXPECT_EQ(TranslateMessage("cannot read 'my: file.bin': file not found", UiLanguage::kFrench),
              "impossible de lire « my: file.bin » : fichier introuvable");
    EXPECT_EQ(TranslateMessage("'a.ico' is not a valid icon file: image 2 lies beyond the end of the file",
                               UiLanguage::kFrench),
              "« a.ico » n'est pas un fichier d'icône valide : l'image 2 se trouve au-delà de la fin du fichier");
    EXPECT_EQ(TranslateMessage("cannot read 'x': a reason not in the catalogue", UiLanguage::kFrench),
              "impossible de lire « x » : a reason not in the catalogue");
    EXPECT_EQ(TranslateMessage("a message not in the catalogue", UiLanguage::kFrench),
              "a message not in the catalogue");
    EXPECT_EQ(TranslateMessage("cannot read 'x': file not found", UiLanguage::kEnglish),
              "cannot read 'x': file not found");
}

TEST(Messages, OneErrorInFrenchAndInEnglish) {
    TestFolder folder;
    folder.Write("bad.rc", std::string("1 RCDATA absent.bin\n"));
    const std::string brcc32 = std::string(" '") + BRCC32_PATH + "' ";
    RunResult result = RunIn(folder.Path(), "LC_ALL= LC_MESSAGES=fr_FR.UTF-8 LANG=en_US.UTF-8" + brcc32 + "bad.rc");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.stderr, "bad.rc(1): error: impossible de lire « absent.bin » : fichier introuvable\n");
    result = RunIn(folder.Path(), "LC_ALL=C LANG=fr_FR.UTF-8" + brcc32 + "bad.rc");
    EXPECT_EQ(result.stderr, "bad.rc(1): error: cannot read 'absent.bin': file not found\n");
    // The command line's own messages, and its usage.
    result = RunIn(folder.Path(), "LANG=fr_FR.UTF-8 LC_ALL=" + brcc32 + "-q bad.rc");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.stderr, "brcc32: error: option inconnue « -q »\nEssayez « brcc32 --help » pour en savoir plus.\n");
    EXPECT_EQ(RunIn(folder.Path(), "{ LANG=fr_FR.UTF-8 LC_ALL=" + brcc32 + "-h > usage.txt; }").exitCode, 0);
    const std::vector<std::uint8_t> usage = folder.Read("usage.txt");
    EXPECT_TRUE(std::string(usage.begin(), usage.end()).starts_with("Usage : brcc32 [options] SCRIPT.rc\nCompile "));
}

}  // namespace
}  // namespace brcc::test
