// Messages in the user's language: French or English from the locale, the error keywords untouched.
#include "brcc32/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <regex>
#include <set>
#include <string>
#include <system_error>

#include "brcc32/message_catalogue.h"
#include "brcc32/script_error.h"
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

TEST(Messages, AReasonIsTranslatedInsideTheMessageThatCarriesIt) {
    // A file name that looks like a message part stays as it is; the reason after it is translated.
    const LocalText missing = Compose(msg::kCannotReadFile, {"my: file.bin", msg::kFileNotFound});
    EXPECT_EQ(missing.english, "cannot read 'my: file.bin': file not found");
    EXPECT_EQ(missing.french, "impossible de lire « my: file.bin » : fichier introuvable");
    const LocalText image = Compose(msg::kNotValidIcon, {"a.ico", Compose(msg::kImageBeyondEnd, {"2"})});
    EXPECT_EQ(image.english, "'a.ico' is not a valid icon file: image 2 lies beyond the end of the file");
    EXPECT_EQ(image.french,
              "« a.ico » n'est pas un fichier d'icône valide : l'image 2 se trouve au-delà de la fin du fichier");
    EXPECT_EQ(Text(msg::kCannotReadFile, UiLanguage::kEnglish, {"{2}", "x"}), "cannot read '{2}': x");
}

TEST(Messages, SystemFailuresHaveTheirOwnWords) {
    const struct {
        std::errc condition;
        const char* english;
        const char* french;
    } kCases[] = {
        {std::errc::no_such_file_or_directory, "file not found", "fichier introuvable"},
        {std::errc::permission_denied, "access is denied", "accès refusé"},
        {std::errc::no_space_on_device, "the disk is full", "le disque est plein"},
    };
    for (const auto& c : kCases) {
        const LocalText reason = SystemReason(std::make_error_code(c.condition));
        EXPECT_EQ(reason.english, c.english);
        EXPECT_EQ(reason.french, c.french);
    }
    // One the compiler has no words for keeps the system's, said to be the system's in French.
    const std::error_code other = std::make_error_code(std::errc::network_down);
    EXPECT_EQ(SystemReason(other).english, other.message());
    EXPECT_EQ(SystemReason(other).french, "erreur du système : " + other.message());
    EXPECT_EQ(ReasonOf(std::filesystem::filesystem_error("rename", std::make_error_code(std::errc::permission_denied)))
                  .french,
              "accès refusé");
    EXPECT_EQ(ReasonOf(std::bad_alloc()).french, "mémoire insuffisante");
    EXPECT_EQ(ReasonOf(FileNotFoundError()).french, "fichier introuvable");
}

// The placeholders of a text, in order of number: {1}{2}...
std::string Placeholders(std::string_view text) {
    std::string found;
    for (std::size_t at = text.find('{'); at != std::string_view::npos; at = text.find('{', at + 1)) {
        if (at + 2 < text.size() && text[at + 2] == '}' && text[at + 1] >= '1' && text[at + 1] <= '9') {
            found += text.substr(at, 3);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Whether a text has a word of its own, outside its placeholders and the script's keywords.
bool HasWords(std::string_view text) {
    int letters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{' && i + 2 < text.size() && text[i + 2] == '}') {
            i += 2;
            letters = 0;
        } else if (std::islower(static_cast<unsigned char>(text[i]))) {
            if (++letters == 2) {
                return true;
            }
        } else {
            letters = 0;
        }
    }
    return false;
}

TEST(Messages, EveryCatalogueEntryIsTranslated) {
    for (const MessageText* entry : msg::kEveryMessage) {
        const std::string_view english = entry->english;
        const std::string_view french = entry->french;
        EXPECT_FALSE(french.empty()) << english;
        if (HasWords(english)) {
            EXPECT_NE(french, english);
        }
        // A placeholder that one language lacks loses a file name or a reason in that language.
        EXPECT_EQ(Placeholders(french), Placeholders(english)) << english;
    }
    // The list above is complete: as many entries as the catalogue defines.
    std::ifstream header(MESSAGE_CATALOGUE);
    const std::string text((std::istreambuf_iterator<char>(header)), std::istreambuf_iterator<char>());
    std::size_t defined = 0;
    for (std::size_t at = text.find("MessageText k"); at != std::string::npos;
         at = text.find("MessageText k", at + 1)) {
        ++defined;
    }
    EXPECT_EQ(defined, msg::kEveryMessage.size());
}

// A code names one message for good: build logs, IDEs and the manual refer to it. Only the parts of messages (a place,
// a word, the usage and -v texts) go without.
TEST(Messages, EveryErrorAndWarningHasACodeOfItsOwn) {
    std::ifstream header(MESSAGE_CATALOGUE);
    const std::string text((std::istreambuf_iterator<char>(header)), std::istreambuf_iterator<char>());
    const std::regex entry(R"(MessageText (k\w+)\{([\s\S]*?)\};)");
    const std::regex code(R"re(,\s*"(BRC[1-59][0-9]{3})"$)re");
    const std::regex part(
        "kTryHelp|kVerbose.*|kUsage.*|kCompatible.*|kPart.*|kEndOfScript|kByte|kQuoted|kFont(Device|Face)|"
        "k(Cursor|Icon)Image|kTypeNumber|kSetBy.*|kRes(PastEnd|TooSmall|DataPastEnd|NameNotEnded|NoMarker)|"
        "kHeadersPastEnd|kNoResourceSection|kSectionPastEnd|kRelocationWrong|"
        "kDirectory(Outside|PastEnd|Loop|NameNotText|Level|DataOutside)");
    std::set<std::string> codes;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[1];
        const std::string body = (*it)[2];
        std::smatch found;
        if (!std::regex_search(body, found, code)) {
            EXPECT_TRUE(std::regex_match(name, part)) << name << " has no code";
            continue;
        }
        EXPECT_FALSE(std::regex_match(name, part)) << name;
        EXPECT_TRUE(codes.insert(found[1]).second) << name << " repeats " << found[1];
    }
    EXPECT_GT(codes.size(), 200u);
}

// One error of each stage, as the compiler prints it under each language; the keywords before the text never change.
TEST(Messages, EachStageSpeaksBothLanguages) {
    const std::string versionValue(70000, 'a');
    const struct {
        const char* stage;
        std::string script;
        std::string arguments;
        std::string english;
        std::string french;
    } kCases[] = {
        {"preprocessor", "#include \"nope.h\"\n", "x.rc",
         "x.rc(1): error BRC2021: cannot find the include file 'nope.h'\n",
         "x.rc(1): error BRC2021: fichier d'inclusion « nope.h » introuvable\n"},
        {"expression", "#if 1 +\n#endif\n", "x.rc",
         "x.rc(1): error BRC2101: the expression '1 +' is not valid: a value is "
         "missing at its end\n",
         "x.rc(1): error BRC2101: l'expression « 1 + » n'est pas valide : il manque une valeur à sa fin\n"},
        {"parser", "X DIALOG 0, 0, 1\n", "x.rc",
         "x.rc(1): error BRC3102: expected ',' before the next of the dialog's x, y, width and height, found the end "
         "of the "
         "script\n",
         "x.rc(1): error BRC3102: « , » est attendue avant la suivante des valeurs x, y, largeur et hauteur de la "
         "boîte de "
         "dialogue, et non la fin du script\n"},
        {"file reader", "1 ICON bad.ico\n", "x.rc",
         "x.rc(1): error BRC5303: 'bad.ico' is not a valid icon file: it does not start with an icon or cursor "
         "header\n",
         "x.rc(1): error BRC5303: « bad.ico » n'est pas un fichier d'icône valide : il ne commence pas par un en-tête "
         "d'icône ou de curseur\n"},
        {"encoder", "1 VERSIONINFO\nBEGIN\nBLOCK \"x\"\nBEGIN\nVALUE \"v\", \"" + versionValue + "\"\nEND\nEND\n",
         "x.rc", "x.rc(5): error BRC3610: the VALUE \"v\" is larger than 64 KB\n",
         "x.rc(5): error BRC3610: la VALUE \"v\" dépasse 64 Ko\n"},
        {"output", "1 RCDATA { 1 }\n", "-fo nofolder/x.res x.rc",
         "x.rc: error BRC5215: cannot write 'nofolder/x.res': the folder 'nofolder' does not exist\n",
         "x.rc: error BRC5215: impossible d'écrire « nofolder/x.res » : le dossier « nofolder » n'existe pas\n"},
        {"warning", "1 ACCELERATORS { \"a\", 1, ASCII, ALT }\n", "-fo x.res x.rc",
         "x.rc(1): warning BRC4008: ALT on an ASCII accelerator: Windows' compiler keeps it, and so does this one, but "
         "llvm-rc refuses it; for Alt and a key, write the key with VIRTKEY\n",
         "x.rc(1): warning BRC4008: ALT sur un raccourci ASCII : le compilateur de Windows le garde, celui-ci aussi, "
         "mais "
         "llvm-rc le refuse ; pour Alt et une touche, écrivez la touche avec VIRTKEY\n"},
    };
    const std::string brcc32 = std::string(" '") + BRCC32_PATH + "' ";
    for (const auto& c : kCases) {
        TestFolder folder;
        folder.Write("x.rc", c.script);
        folder.Write("bad.ico", std::string("xx"));
        EXPECT_EQ(RunIn(folder.Path(), "LC_ALL=C" + brcc32 + c.arguments).stderr, c.english) << c.stage;
        EXPECT_EQ(RunIn(folder.Path(), "LC_ALL=fr_FR.UTF-8" + brcc32 + c.arguments).stderr, c.french) << c.stage;
    }
}

TEST(Messages, OneErrorInFrenchAndInEnglish) {
    TestFolder folder;
    folder.Write("bad.rc", std::string("1 RCDATA absent.bin\n"));
    const std::string brcc32 = std::string(" '") + BRCC32_PATH + "' ";
    RunResult result = RunIn(folder.Path(), "LC_ALL= LC_MESSAGES=fr_FR.UTF-8 LANG=en_US.UTF-8" + brcc32 + "bad.rc");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.stderr, "bad.rc(1): error BRC5302: impossible de lire « absent.bin » : fichier introuvable\n");
    result = RunIn(folder.Path(), "LC_ALL=C LANG=fr_FR.UTF-8" + brcc32 + "bad.rc");
    EXPECT_EQ(result.stderr, "bad.rc(1): error BRC5302: cannot read 'absent.bin': file not found\n");
    // The command line's own messages, and its usage.
    result = RunIn(folder.Path(), "LANG=fr_FR.UTF-8 LC_ALL=" + brcc32 + "-q bad.rc");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.stderr,
              "brcc32: error BRC1001: option inconnue « -q »\nEssayez « brcc32 --help » pour en savoir plus.\n");
    EXPECT_EQ(RunIn(folder.Path(), "{ LANG=fr_FR.UTF-8 LC_ALL=" + brcc32 + "-h > usage.txt; }").exitCode, 0);
    const std::vector<std::uint8_t> usage = folder.Read("usage.txt");
    EXPECT_TRUE(std::string(usage.begin(), usage.end())
                    .starts_with("brcc32 (Talvorine) 1.0, compatible avec Borland Resource Compiler (brcc32)\n\n"
                                 "Usage : brcc32 [options] SCRIPT.rc\nCompile "));
}

// A terminal in Latin-1 gets Latin-1, in the error messages and in -v's lines alike; a name the script gives in
// UTF-8 too.
TEST(Messages, InTheTerminalsCharacterSet) {
    TestFolder folder;
    if (RunIn(folder.Path(), "localedef -i fr_FR -f ISO-8859-1 ./fr_FR.ISO-8859-1").exitCode > 1) {
        GTEST_SKIP() << "localedef cannot make a Latin-1 locale here";
    }
    folder.Write("caf\xC3\xA9.rc", std::string("1 RCDATA { 1 }\n2 RCDATA \"\xC3\xA9t\xC3\xA9.bin\"\n"));
    const std::string run = "LOCPATH=. LC_ALL=fr_FR.ISO-8859-1 '" + std::string(BRCC32_PATH) + "' -v caf\xC3\xA9.rc";
    const RunResult result = RunIn(folder.Path(), "(" + run + " >verbose.txt)");
    const std::vector<std::uint8_t> verbose = folder.Read("verbose.txt");
    EXPECT_EQ(std::string(verbose.begin(), verbose.end()), "lecture de caf\xE9.rc\n");
    EXPECT_EQ(result.stderr,
              "caf\xE9.rc(2): error BRC5302: impossible de lire \xAB \xE9t\xE9.bin \xBB : fichier "
              "introuvable\n");
}

}  // namespace
}  // namespace brcc::test
