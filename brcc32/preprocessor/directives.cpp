// The preprocessor's directives: conditionals, includes, definitions, pragmas.
#include <algorithm>
#include <functional>

#include "brcc32/files/input_file.h"
#include "brcc32/preprocessor/built_in_headers.h"
#include "brcc32/preprocessor/condition_evaluator.h"
#include "brcc32/preprocessor/preprocessor_impl.h"
#include "brcc32/preprocessor/tokens.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

struct DirectiveText {
    std::string_view name;
    std::string_view argument;
};

// The directive's name and what follows it, from the text after its '#'.
DirectiveText SplitDirective(std::string_view text) {
    const std::string_view rest = TrimBlanks(text);
    const std::size_t nameEnd = IdentifierEnd(rest, 0);
    return {rest.substr(0, nameEnd), TrimBlanks(rest.substr(nameEnd))};
}

}  // namespace

std::string FileKey(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return PathToUtf8((error ? path : absolute).lexically_normal());
}

void Preprocessor::Impl::Process(SourceFile& file, int depth) {
    std::vector<Conditional> conditionals;
    LogicalLine line;
    while (ReadLogicalLine(file, line)) {
        const std::string_view text = line.text;
        std::size_t first = 0;
        while (first < text.size() && IsBlank(text[first])) {
            ++first;
        }
        const bool active = conditionals.empty() || conditionals.back().active;
        if (first < text.size() && text[first] == '#') {
            const auto [name, argument] = SplitDirective(text.substr(first + 1));
            if (name == "if" || name == "ifdef" || name == "ifndef") {
                bool value = false;
                if (active) {
                    if (name == "if") {
                        value = EvaluateCondition(file, line, argument);
                    } else {
                        if (argument.empty() || !IsIdentifierStart(argument[0])) {
                            Fail(file, line.firstLine, Compose(msg::kDirectiveNeedsName, {"#" + std::string(name)}));
                        }
                        value = (Find(argument.substr(0, IdentifierEnd(argument, 0))) != nullptr) == (name == "ifdef");
                    }
                }
                conditionals.push_back({active, active && value, active && value, false, line.firstLine});
            } else if (name == "elif" || name == "else") {
                if (conditionals.empty()) {
                    Fail(file, line.firstLine, Compose(msg::kWithoutIf, {"#" + std::string(name)}));
                }
                Conditional& top = conditionals.back();
                if (top.hadElse) {
                    Fail(file, line.firstLine, Compose(msg::kAfterElse, {"#" + std::string(name)}));
                }
                top.hadElse = name == "else";
                const bool take =
                    top.wasActive && !top.taken && (name == "else" || EvaluateCondition(file, line, argument));
                top.active = take;
                top.taken = top.taken || take;
            } else if (name == "endif") {
                if (conditionals.empty()) {
                    Fail(file, line.firstLine, Compose(msg::kWithoutIf, {"#endif"}));
                }
                conditionals.pop_back();
            } else if (active) {
                Directive(file, line, name, argument, depth);
            }
            EndLines(line.lineCount);
            continue;
        }
        if (active && !file.onlyDirectives) {
            m_scratch.clear();
            m_currentFile = &file;
            m_currentLine = line.firstLine;
            m_active.clear();
            Expand(text, m_scratch, m_active, 0);
            Emit(m_scratch);
        }
        EndLines(line.lineCount);
    }
    if (!conditionals.empty()) {
        Fail(file, conditionals.back().line, Compose(msg::kIfWithoutEndif));
    }
}

void Preprocessor::Impl::Directive(SourceFile& file, const LogicalLine& line, std::string_view name,
                                   std::string_view argument, int depth) {
    if (name.empty() && argument.empty()) {
        return;  // a lone '#' is allowed
    }
    if (IsDigit(name[0])) {
        LineMarker(file, line, name, argument);  // # 12 "file", as C preprocessors write their output
        return;
    }
    if (name == "include" || name == "include_next") {
        // The GNU C library's and gcc's own headers wrap the next header of their name with #include_next.
        Include(file, line, argument, depth, name == "include_next");
    } else if (name == "define") {
        Define(file, line, argument);
    } else if (name == "undef") {
        const std::size_t end = IdentifierEnd(argument, 0);
        if (end == 0) {
            Fail(file, line.firstLine, Compose(msg::kDirectiveNeedsName, {"#undef"}));
        }
        Macro& macro = m_macros[std::string(argument.substr(0, end))];
        macro = Macro();
        macro.undefined = true;
    } else if (name == "error") {
        Fail(file, line.firstLine, Compose(msg::kErrorDirective, {argument}));
    } else if (name == "pragma") {
        Pragma(file, line, argument);
    } else if (name == "line") {
        const std::string expanded = ExpandLine(file, line, argument);
        const std::string_view rest = TrimBlanks(expanded);
        std::size_t end = 0;
        while (end < rest.size() && IsDigit(rest[end])) {
            ++end;
        }
        LineMarker(file, line, rest.substr(0, end), TrimBlanks(rest.substr(end)));
    } else if (name == "warning" || name == "ident") {
        // Said to the user by a C compiler, or of no use to resources: nothing to do.
    } else {
        Fail(file, line.firstLine, Compose(msg::kUnknownDirective, {name}));
    }
}

void Preprocessor::Impl::Pragma(SourceFile& file, const LogicalLine& line, std::string_view text) {
    if (text == "once") {
        m_includedOnce.insert(file.key);
        return;
    }
    if (!text.starts_with("code_page")) {
        return;  // other pragmas are for C compilers
    }
    std::string_view inside = TrimBlanks(text.substr(9));
    if (!inside.starts_with("(") || !inside.ends_with(")")) {
        Fail(file, line.firstLine, Compose(msg::kCodePagePragmaForm));
    }
    inside = TrimBlanks(inside.substr(1, inside.size() - 2));
    std::uint32_t codePage = 0;
    if (inside == "DEFAULT" || inside == "default") {
        codePage = m_options.codePage;
    } else {
        for (const char c : inside) {
            if (!IsDigit(c) || codePage > 1000000) {
                Fail(file, line.firstLine, Compose(msg::kNotACodePageNumber, {inside}));
            }
            codePage = codePage * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    if (!IsSupportedCodePage(codePage)) {
        Fail(file, line.firstLine, Compose(msg::kCodePageUnsupported, {inside}));
    }
    SetCodePageFrom(m_outputLine + 1, codePage);  // it applies from the next line on
}

// The lines after the marker are line `number` of `rest`'s file (or of the same file): messages name them so.
void Preprocessor::Impl::LineMarker(SourceFile& file, const LogicalLine& line, std::string_view number,
                                    std::string_view rest) {
    int value = 0;
    for (const char c : number) {
        if (!IsDigit(c) || value > 100000000) {
            Fail(file, line.firstLine, Compose(msg::kLineForm));
        }
        value = value * 10 + (c - '0');
    }
    if (number.empty() || value == 0) {
        Fail(file, line.firstLine, Compose(msg::kLineNumberFrom1));
    }
    if (rest.starts_with("\"")) {
        const std::size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) {
            Fail(file, line.firstLine, Compose(msg::kLineFileNotClosed));
        }
        // A C preprocessor's output doubles the backslashes of a Windows path.
        std::string shown;
        const std::string_view quoted = rest.substr(1, close - 1);
        for (std::size_t i = 0; i < quoted.size(); ++i) {
            if (quoted[i] == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '\\') {
                ++i;
            }
            shown += quoted[i];
        }
        if (shown != m_script.files[static_cast<std::size_t>(file.index)]) {
            file.index = static_cast<int>(m_script.files.size());
            m_script.files.push_back(shown);
        }
    }
    file.line = value;
    m_script.segments.push_back({m_outputLine + line.lineCount, file.index, value});
}

void Preprocessor::Impl::Include(SourceFile& file, const LogicalLine& line, std::string_view argument, int depth,
                                 bool next) {
    std::string expanded;
    if (!argument.starts_with("\"") && !argument.starts_with("<")) {
        expanded = std::string(TrimBlanks(ExpandLine(file, line, argument)));
        argument = expanded;
    }
    const char close = argument.starts_with("\"") ? '"' : '>';
    const std::size_t end = argument.empty() ? std::string_view::npos : argument.find(close, 1);
    if (end == std::string_view::npos || end == 1 || TrimBlanks(argument.substr(end + 1)).size() != 0) {
        Fail(file, line.firstLine, Compose(msg::kIncludeForm));
    }
    const std::string name(argument.substr(1, end - 1));
    if (depth >= kMaxIncludeDepth) {
        Fail(file, line.firstLine, Compose(msg::kIncludesTooDeep, {std::to_string(kMaxIncludeDepth), name}));
    }
    // The including file's folder first, then each include folder by its index; #include_next starts after the
    // folder that held the file it is in.
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> folders;
    std::vector<int> indexes;
    if (!next) {
        folders.emplace_back(file.folder, file.shownFolder);
        indexes.push_back(-1);
    }
    const std::size_t optionFolders = m_options.includeFolders.size();
    for (std::size_t i = next ? static_cast<std::size_t>(file.includeFolder + 1) : 0;
         i < optionFolders + m_options.systemFolders.size(); ++i) {
        const std::filesystem::path& folder =
            i < optionFolders ? m_options.includeFolders[i] : m_options.systemFolders[i - optionFolders];
        folders.emplace_back(folder, folder);
        indexes.push_back(static_cast<int>(i));
    }
    std::optional<std::string> bytes;
    SourceFile included;
    std::filesystem::path foundPath;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const auto& [folder, shown] = folders[i];
        const std::filesystem::path path = ScriptFilePath(folder, name);
        try {
            bytes = m_reader(path);
        } catch (const FileAccessError& error) {
            Fail(file, line.firstLine, Compose(msg::kCannotReadInclude, {name, error.Text()}));
        }
        if (bytes) {
            foundPath = path;
            included.folder = path.parent_path();
            included.key = FileKey(path);
            included.shownFolder = ScriptFilePath(shown, name).parent_path();
            included.includeFolder = indexes[i];
            break;
        }
    }
    if (!bytes) {
        if (const BuiltInText* text = FindBuiltInText(name)) {
            bytes = std::string(text->text);
            included.folder = file.folder;
            included.key = "<built-in>/" + std::string(text->name);
            included.shownFolder = "<built-in>";
        }
    }
    if (!bytes) {
        if (const unsigned groups = BuiltInHeaderGroups(name)) {
            m_builtInGroups |= groups;
            std::fill(m_firstChars.begin(), m_firstChars.end(), true);
            return;
        }
        Fail(file, line.firstLine, Compose(msg::kIncludeNotFound, {name}));
    }
    std::string shownName(name);
    std::replace(shownName.begin(), shownName.end(), '\\', '/');
    std::filesystem::path shownPath = included.shownFolder / PathFromScriptText(shownName).filename();
    included.index = static_cast<int>(m_script.files.size());
    m_script.files.push_back(PathToUtf8(shownPath));
    if (std::find(m_script.includedPaths.begin(), m_script.includedPaths.end(), foundPath) ==
        m_script.includedPaths.end()) {
        m_script.includedPaths.push_back(foundPath);
    }
    if (m_includedOnce.contains(included.key)) {
        return;
    }
    const std::string extension = [&] {
        std::string e = PathToUtf8(shownPath.extension());
        std::transform(e.begin(), e.end(), e.begin(), LowerAscii);
        return e;
    }();
    included.onlyDirectives = extension == ".h" || extension == ".c";
    const std::uint32_t codePage = m_codePage;
    included.text = NewText(included, std::move(*bytes));
    bytes.reset();
    LeaveInPlace();
    m_script.segments.push_back({m_outputLine, included.index, 1});
    Process(included, depth + 1);
    if (m_codePage != codePage) {
        SetCodePage(codePage);
    }
    m_script.segments.push_back({m_outputLine, file.index, line.firstLine});
}

bool Preprocessor::Impl::EvaluateCondition(SourceFile& file, const LogicalLine& line, std::string_view text) {
    // `defined NAME` is answered before any macro is expanded.
    std::string resolved;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = TokenEnd(text, i);
        const std::string_view token = text.substr(i, end - i);
        if (token != "defined") {
            resolved.append(token);
            i = end;
            continue;
        }
        std::size_t j = end;
        while (j < text.size() && IsBlank(text[j])) {
            ++j;
        }
        const bool parenthesized = j < text.size() && text[j] == '(';
        if (parenthesized) {
            ++j;
            while (j < text.size() && IsBlank(text[j])) {
                ++j;
            }
        }
        const std::size_t nameEnd = j < text.size() && IsIdentifierStart(text[j]) ? TokenEnd(text, j) : j;
        if (nameEnd == j) {
            Fail(file, line.firstLine, Compose(msg::kDefinedNeedsName));
        }
        const bool isDefined = Find(text.substr(j, nameEnd - j)) != nullptr;
        j = nameEnd;
        if (parenthesized) {
            while (j < text.size() && IsBlank(text[j])) {
                ++j;
            }
            if (j >= text.size() || text[j] != ')') {
                Fail(file, line.firstLine, Compose(msg::kDefinedNotClosed));
            }
            ++j;
        }
        resolved += isDefined ? " 1 " : " 0 ";
        i = j;
    }
    const std::string expanded = ExpandLine(file, line, resolved);
    if (TrimBlanks(expanded).empty()) {
        Fail(file, line.firstLine, Compose(msg::kIfNeedsExpression));
    }
    const std::function<void(const LocalText&)> fail = [&](const LocalText& message) {
        Fail(file, line.firstLine, message);
    };
    return EvaluateExpression(expanded, fail) != 0;
}

}  // namespace brcc
