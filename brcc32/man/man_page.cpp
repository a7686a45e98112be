// The manual page is the help text set in roff: what --help says, the page says, in the same words.
#include "brcc32/man/man_page.h"

#include <sstream>
#include <string_view>

#include "brcc32/cli/command_line.h"
#include "brcc32/message_catalogue.h"

namespace brcc {
namespace {

// What the page says beside the help texts: its frame, and where the package keeps the windres names.
constexpr MessageText kName{"brcc32 \\- resource compiler for Windows programs (Borland, Microsoft and GNU dialects)",
                            "brcc32 \\- compilateur de ressources pour programmes Windows (dialectes de Borland, "
                            "Microsoft et GNU)"};
constexpr MessageText kSectionName{"NAME", "NOM"};
constexpr MessageText kSectionSynopsis{"SYNOPSIS", "SYNOPSIS"};
constexpr MessageText kSectionDialects{"DIALECTS", "DIALECTES"};
constexpr MessageText kSectionFiles{"FILES", "FICHIERS"};
constexpr MessageText kCommandsTitle{"User Commands", "Commandes de l'utilisateur"};
constexpr MessageText kDialectTitle{"Under the name {1}", "Sous le nom {1}"};
constexpr MessageText kFiles{
    "The Linux package puts brcc32 in /usr/bin and, in /usr/lib/brcc32/bin, the names that build tools look for: "
    "i686-w64-mingw32-windres, x86_64-w64-mingw32-windres and rc, links to brcc32. They stay out of the way of "
    "the system's own windres: name one to a build, or put the folder first in PATH. For instance:",
    "Le paquet Linux met brcc32 dans /usr/bin et, dans /usr/lib/brcc32/bin, les noms que cherchent les outils de "
    "construction : i686-w64-mingw32-windres, x86_64-w64-mingw32-windres et rc, des liens vers brcc32. Ils ne "
    "gênent pas le windres du système : nommez-en un à une construction, ou mettez le dossier en tête du PATH. "
    "Par exemple :"};
constexpr std::string_view kFilesExample =
    "cmake -DCMAKE_RC_COMPILER=/usr/lib/brcc32/bin/x86_64-w64-mingw32-windres ...\n"
    "PATH=/usr/lib/brcc32/bin:$PATH meson setup --cross-file mingw64.txt build\n";

// A line of the help as roff text: a backslash is printed, a line that would start a request does not.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

size_t Indent(std::string_view line) {
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

// The help's layout: an option line starts two blanks in and its text begins after a gap of two blanks or more;
// a line indented further goes on with the text above; a line at the margin that ends in ':' heads a group.
void SetUsage(std::string_view usage, bool skipSynopsis, std::ostringstream& page) {
    bool inParagraph = false;
    bool inOption = false;
    size_t lineStart = 0;
    bool first = skipSynopsis;
    while (lineStart < usage.size()) {
        size_t end = usage.find('\n', lineStart);
        if (end == std::string_view::npos) {
            end = usage.size();
        }
        const std::string_view line = usage.substr(lineStart, end - lineStart);
        lineStart = end + 1;
        if (first) {  // "Usage: NAME [options] ...": the synopsis, set apart by the caller
            first = false;
            continue;
        }
        const size_t indent = Indent(line);
        if (line.empty()) {
            inParagraph = inOption = false;
        } else if (indent >= 5 && inOption) {
            page << Escaped(line.substr(indent)) << '\n';
        } else if (indent > 0) {
            const std::string_view entry = line.substr(indent);
            const size_t gap = entry.find("  ");
            page << ".TP\n.B " << Escaped(entry.substr(0, gap)) << '\n';
            if (gap != std::string_view::npos) {
                page << Escaped(entry.substr(entry.find_first_not_of(' ', gap))) << '\n';
            }
            inOption = true;
            inParagraph = false;
        } else if (line.back() == ':') {
            page << ".SS \"" << Escaped(line.substr(0, line.size() - 1)) << "\"\n";
            inParagraph = inOption = false;
        } else {
            if (!inParagraph) {
                page << ".PP\n";
            }
            page << Escaped(line) << '\n';
            inParagraph = true;
            inOption = false;
        }
    }
}

std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find('\n')); }

}  // namespace

std::string ManPage(UiLanguage language) {
    struct DialectName {
        Dialect dialect;
        std::string_view program;
    };
    constexpr DialectName kDialects[] = {
        {Dialect::kBorland, "brcc32"}, {Dialect::kMicrosoft, "rc"}, {Dialect::kGnu, "x86_64-w64-mingw32-windres"}};
    std::ostringstream page;
    page << ".TH BRCC32 1 \"\" \"Talvorine 1.0\" \"" << Text(kCommandsTitle, language, {}) << "\"\n";
    // Option names and paths are typed as they are printed: no hyphen of the typesetter's in them.
    page << ".nh\n.ad l\n";
    page << ".SH " << Text(kSectionName, language, {}) << '\n' << Text(kName, language, {}) << '\n';
    page << ".SH " << Text(kSectionSynopsis, language, {}) << '\n';
    for (const DialectName& name : kDialects) {
        const std::string usage = Text(DialectUsage(name.dialect), language, {name.program});
        const std::string_view synopsis = FirstLine(usage);
        page << ".br\n" << Escaped(synopsis.substr(synopsis.find(name.program))) << '\n';
    }
    page << ".SH " << Text(kSectionDialects, language, {}) << '\n';
    for (const DialectName& name : kDialects) {
        page << ".SS \"" << Text(kDialectTitle, language, {name.program}) << "\"\n";
        SetUsage(Text(DialectUsage(name.dialect), language, {name.program}), true, page);
    }
    SetUsage(Text(msg::kUsageCommon, language, {"brcc32"}), false, page);
    page << ".SH " << Text(kSectionFiles, language, {}) << '\n' << Escaped(Text(kFiles, language, {})) << '\n';
    page << ".PP\n.nf\n" << Escaped(kFilesExample) << ".fi\n";
    return page.str();
}

}  // namespace brcc
