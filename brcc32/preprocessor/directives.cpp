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

std::string FileKey(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return PathToUtf8((error ? path : absolute).lexically_normal());
}

void Preprocessor::Impl::Process(SourceFile& file, int depth) {
    std::vector<Conditional> conditionals;
    LogicalLine line;
    while (ReadLogicalLine(file, line)) {
        const std::string_view text = line.m_text;
        std::size_t first = 0;
        while (first < text.size() && IsBlank(text[first])) {
            ++first;
        }
        const bool active = conditionals.empty() || conditionals.back().m_active;
        if (first < text.size() && text[first] == '#') {
            std::string_view rest = TrimBlanks(text.substr(first + 1));
            std::size_t nameEnd = 0;
            while (nameEnd < rest.size() && IsIdentifierChar(rest[nameEnd])) {
                ++nameEnd;
            }
            const std::string_view name = rest.substr(0, nameEnd);
            const std::string_view argument = TrimBlanks(rest.substr(nameEnd));
            if (name == "if" || name == "ifdef" || name == "ifndef") {
                bool value = false;
                if (active) {
                    if (name == "if") {
                        value = EvaluateCondition(file, line, argument);
                    } else {
                        if (argument.empty() || !IsIdentifierStart(argument[0])) {
                            Fail(file, line.m_firstLine, "#" + std::string(name) + " needs a macro name");
                        }
                        std::size_t end = 0;
                        while (end < argument.size() && IsIdentifierChar(argument[end])) {
                            ++end;
                        }
                        value = (Find(argument.substr(0, end)) != nullptr) == (name == "ifdef");
                    }
                }
                conditionals.push_back({active, active && value, active && value, false, line.m_firstLine});
            } else if (name == "elif" || name == "else") {
                if (conditionals.empty()) {
                    Fail(file, line.m_firstLine, "#" + std::string(name) + " without #if");
                }
                Conditional& top = conditionals.back();
                if (top.m_hadElse) {
                    Fail(file, line.m_firstLine, "#" + std::string(name) + " after #else");
                }
                top.m_hadElse = name == "else";
                const bool take =
                    top.m_wasActive && !top.m_taken && (name == "else" || EvaluateCondition(file, line, argument));
                top.m_active = take;
                top.m_taken = top.m_taken || take;
            } else if (name == "endif") {
                if (conditionals.empty()) {
                    Fail(file, line.m_firstLine, "#endif without #if");
                }
                conditionals.pop_back();
            } else if (active) {
                Directive(file, line, rest, depth);
            }
            EndLines(line.m_lineCount);
            continue;
        }
        if (active && !file.m_onlyDirectives) {
            m_scratch.clear();
            m_currentFile = &file;
            m_currentLine = line.m_firstLine;
            m_active.clear();
            Expand(text, m_scratch, m_active, 0);
            Emit(m_scratch);
        }
        EndLines(line.m_lineCount);
    }
    if (!conditionals.empty()) {
        Fail(file, conditionals.back().m_line, "#if without #endif: the file ends inside it");
    }
}

void Preprocessor::Impl::Directive(SourceFile& file, const LogicalLine& line, std::string_view text, int depth) {
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() && IsIdentifierChar(text[nameEnd])) {
        ++nameEnd;
    }
    const std::string name(text.substr(0, nameEnd));
    const std::string_view argument = TrimBlanks(text.substr(nameEnd));
    if (name.empty() && argument.empty()) {
        return;  // a lone '#' is allowed
    }
    if (name == "include") {
        Include(file, line, argument, depth);
    } else if (name == "define") {
        Define(file, line, argument);
    } else if (name == "undef") {
        std::size_t end = 0;
        while (end < argument.size() && IsIdentifierChar(argument[end])) {
            ++end;
        }
        if (end == 0) {
            Fail(file, line.m_firstLine, "#undef needs a macro name");
        }
        Macro& macro = m_macros[std::string(argument.substr(0, end))];
        macro = Macro();
        macro.m_undefined = true;
    } else if (name == "error") {
        Fail(file, line.m_firstLine, "#error " + std::string(argument));
    } else if (name == "pragma") {
        Pragma(file, line, argument);
    } else if (name == "warning" || name == "line" || name == "ident") {
        // Said to the user by a C compiler, or of no use to resources: nothing to do.
    } else {
        Fail(file, line.m_firstLine, "unknown preprocessor directive '#" + name + "'");
    }
}

void Preprocessor::Impl::Pragma(SourceFile& file, const LogicalLine& line, std::string_view text) {
    if (text == "once") {
        m_includedOnce.insert(file.m_key);
        return;
    }
    if (!text.starts_with("code_page")) {
        return;  // other pragmas are for C compilers
    }
    std::string_view inside = TrimBlanks(text.substr(9));
    if (!inside.starts_with("(") || !inside.ends_with(")")) {
        Fail(file, line.m_firstLine, "write #pragma code_page(NUMBER)");
    }
    inside = TrimBlanks(inside.substr(1, inside.size() - 2));
    std::uint32_t codePage = 0;
    if (inside == "DEFAULT" || inside == "default") {
        codePage = m_options.m_codePage;
    } else {
        for (const char c : inside) {
            if (!IsDigit(c) || codePage > 1000000) {
                Fail(file, line.m_firstLine, "'" + std::string(inside) + "' is not a code page number");
            }
            codePage = codePage * 10 + static_cast<std::uint32_t>(c - '0');
        }
    }
    if (!IsSupportedCodePage(codePage)) {
        Fail(file, line.m_firstLine,
             "code page " + std::string(inside) +
                 " is not supported: use 65001 (UTF-8), 1252 (Western Europe) or 1250 "
                 "(Central Europe)");
    }
    // It applies from the next line on.
    ++m_outputLine;
    SetCodePage(codePage);
    --m_outputLine;
}

void Preprocessor::Impl::Include(SourceFile& file, const LogicalLine& line, std::string_view argument, int depth) {
    std::string expanded;
    if (!argument.starts_with("\"") && !argument.starts_with("<")) {
        expanded = std::string(TrimBlanks(ExpandLine(file, line, argument)));
        argument = expanded;
    }
    const char close = argument.starts_with("\"") ? '"' : '>';
    const std::size_t end = argument.empty() ? std::string_view::npos : argument.find(close, 1);
    if (end == std::string_view::npos || end == 1 || TrimBlanks(argument.substr(end + 1)).size() != 0) {
        Fail(file, line.m_firstLine, "write #include \"file\" or #include <file>");
    }
    const std::string name(argument.substr(1, end - 1));
    if (depth >= kMaxIncludeDepth) {
        Fail(file, line.m_firstLine,
             "includes nest more than " + std::to_string(kMaxIncludeDepth) + " deep: does '" + name +
                 "' include itself?");
    }
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> folders = {
        {file.m_folder, file.m_shownFolder}};
    for (const std::filesystem::path& folder : m_options.m_includeFolders) {
        folders.emplace_back(folder, folder);
    }
    std::optional<std::string> bytes;
    SourceFile included;
    std::filesystem::path foundPath;
    for (const auto& [folder, shown] : folders) {
        const std::filesystem::path path = ScriptFilePath(folder, name);
        try {
            bytes = m_reader(path);
        } catch (const FileAccessError& error) {
            Fail(file, line.m_firstLine, "cannot read the include file '" + name + "': " + error.what());
        }
        if (bytes) {
            foundPath = path;
            included.m_folder = path.parent_path();
            included.m_key = FileKey(path);
            included.m_shownFolder = ScriptFilePath(shown, name).parent_path();
            break;
        }
    }
    if (!bytes) {
        if (const unsigned groups = BuiltInHeaderGroups(name)) {
            m_builtInGroups |= groups;
            std::fill(m_firstChars.begin(), m_firstChars.end(), true);
            return;
        }
        Fail(file, line.m_firstLine, "cannot find the include file '" + name + "'");
    }
    std::string shownName(name);
    std::replace(shownName.begin(), shownName.end(), '\\', '/');
    std::filesystem::path shownPath = included.m_shownFolder / PathFromScriptText(shownName).filename();
    included.m_index = static_cast<int>(m_script.m_files.size());
    m_script.m_files.push_back(PathToUtf8(shownPath));
    if (std::find(m_script.m_includedPaths.begin(), m_script.m_includedPaths.end(), foundPath) ==
        m_script.m_includedPaths.end()) {
        m_script.m_includedPaths.push_back(foundPath);
    }
    if (m_includedOnce.contains(included.m_key)) {
        return;
    }
    const std::string extension = [&] {
        std::string e = PathToUtf8(shownPath.extension());
        std::transform(e.begin(), e.end(), e.begin(), LowerAscii);
        return e;
    }();
    included.m_onlyDirectives = extension == ".h" || extension == ".c";
    const std::uint32_t codePage = m_codePage;
    included.m_text = NewText(included, std::move(*bytes));
    bytes.reset();
    LeaveInPlace();
    m_script.m_segments.push_back({m_outputLine, included.m_index, 1});
    Process(included, depth + 1);
    if (m_codePage != codePage) {
        SetCodePage(codePage);
    }
    m_script.m_segments.push_back({m_outputLine, file.m_index, line.m_firstLine});
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
            Fail(file, line.m_firstLine, "'defined' needs a macro name");
        }
        const bool isDefined = Find(text.substr(j, nameEnd - j)) != nullptr;
        j = nameEnd;
        if (parenthesized) {
            while (j < text.size() && IsBlank(text[j])) {
                ++j;
            }
            if (j >= text.size() || text[j] != ')') {
                Fail(file, line.m_firstLine, "'defined(' without ')'");
            }
            ++j;
        }
        resolved += isDefined ? " 1 " : " 0 ";
        i = j;
    }
    const std::string expanded = ExpandLine(file, line, resolved);
    if (TrimBlanks(expanded).empty()) {
        Fail(file, line.m_firstLine, "#if or #elif needs an expression");
    }
    const std::function<void(const std::string&)> fail = [&](const std::string& message) {
        Fail(file, line.m_firstLine, message);
    };
    return EvaluateExpression(expanded, fail) != 0;
}

}  // namespace brcc
