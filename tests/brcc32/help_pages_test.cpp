// The manual against the compiler: each dialect's page names exactly the options the parser takes, and the code
// pages page exactly the pages it reads. A table row added or dropped without its page fails here.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>

#include "brcc32/cli/option_tables.h"
#include "brcc32/text/code_page.h"
#include "brcc32/text/code_page_tables.h"

namespace brcc::test {
namespace {

std::string ReadPage(const std::string& name) {
    std::ifstream in(std::string(HELP_SOURCE_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return {std::istreambuf_iterator<char>(in), {}};
}

// The texts of the page's <code class="...">: how a page marks what it documents.
std::set<std::string> Marked(const std::string& page, const std::string& cssClass) {
    std::set<std::string> found;
    const std::regex code("<code class=\"" + cssClass + "\">([^<]*)</code>");
    const std::string text = ReadPage(page);
    for (std::sregex_iterator i(text.begin(), text.end(), code), end; i != end; ++i) {
        found.insert((*i)[1].str());
    }
    return found;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Borland and Microsoft options are one option in any case, and Microsoft's /fo is its -fo.
std::string Canonical(std::string option, bool ignoreCase) {
    if (option.size() > 1 && option[0] == '/') {
        option[0] = '-';
    }
    return ignoreCase && !option.starts_with("--") ? Lower(option) : option;
}

std::set<std::string> Spelled(std::span<const OptionRow> rows, const std::string& prefix, bool ignoreCase) {
    std::set<std::string> names;
    for (const OptionRow& row : rows) {
        names.insert(Canonical(prefix + std::string(row.name), ignoreCase));
    }
    return names;
}

struct DialectPage {
    const char* page;
    std::span<const OptionRow> shortOptions;
    std::span<const OptionRow> longOptions;
    bool ignoreCase;
};

TEST(HelpPages, EachDialectPageNamesExactlyTheOptionsTheParserTakes) {
    const DialectPage dialects[] = {
        {"options-borland.html", kBorlandOptions, {}, true},
        {"options-microsoft.html", kMicrosoftOptions, {}, true},
        {"options-gnu.html", kGnuShortOptions, kGnuLongOptions, false},
    };
    // The page of what every dialect shares; the response file and --dialect are read before any table.
    const std::set<std::string> shared = Marked("dialectes.html", "option");
    for (const DialectPage& dialect : dialects) {
        std::set<std::string> expected = Spelled(dialect.shortOptions, "-", dialect.ignoreCase);
        expected.merge(Spelled(dialect.longOptions, "--", false));
        expected.merge(Spelled(kCommonLongOptions, "--", false));
        expected.insert({"@", "--dialect"});
        std::set<std::string> documented;
        for (const std::set<std::string>& page : {Marked(dialect.page, "option"), shared}) {
            for (const std::string& option : page) {
                documented.insert(Canonical(option, dialect.ignoreCase));
            }
        }
        EXPECT_EQ(documented, expected) << dialect.page;
    }
    EXPECT_EQ(Marked("options-gnu.html", "pp-option"), Spelled(kPreprocessorOptions, "-", false));
}

TEST(HelpPages, CodePagesPageListsExactlyThePagesTheCompilerReads) {
    std::set<std::string> expected = {std::to_string(kCodePageUtf8)};
    for (const CodePageTable& table : CodePageTables()) {
        expected.insert(std::to_string(table.m_number));
    }
    std::set<std::string> listed;
    const std::regex cell("<td class=\"cp\">([0-9]+)</td>");
    const std::string text = ReadPage("pages-de-codes.html");
    for (std::sregex_iterator i(text.begin(), text.end(), cell), end; i != end; ++i) {
        listed.insert((*i)[1].str());
    }
    EXPECT_EQ(listed, expected);
}

}  // namespace
}  // namespace brcc::test
