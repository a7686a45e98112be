// The preprocessor's macros: their definitions, and their expansion in the lines it keeps and in conditions.
#include <algorithm>
#include <optional>

#include "brcc32/preprocessor/built_in_headers.h"
#include "brcc32/preprocessor/preprocessor_impl.h"
#include "brcc32/preprocessor/tokens.h"

namespace brcc {

void Preprocessor::Impl::DefineFromCommandLine(const std::string& definition) {
    const std::size_t equals = definition.find('=');
    const std::string name = definition.substr(0, equals);
    // F(a,b)=body is #define F(a,b) body; the command line has checked its parameters.
    if (name.find('(') != std::string::npos) {
        SourceFile commandLine;
        Define(commandLine, LogicalLine{},
               name + ' ' + (equals == std::string::npos ? std::string("1") : definition.substr(equals + 1)));
        return;
    }
    Macro macro;
    macro.body = equals == std::string::npos ? "1" : definition.substr(equals + 1);
    m_firstChars[static_cast<unsigned char>(name.empty() ? 0 : name[0])] = true;
    m_macros[name] = std::move(macro);
}

void Preprocessor::Impl::Define(SourceFile& file, const LogicalLine& line, std::string_view text) {
    const std::size_t end = IdentifierEnd(text, 0);
    if (end == 0 || !IsIdentifierStart(text[0])) {
        Fail(file, line.firstLine, Compose(msg::kDirectiveNeedsName, {"#define"}));
    }
    const std::string name(text.substr(0, end));
    Macro macro;
    text.remove_prefix(end);
    if (text.starts_with("(")) {
        macro.functionLike = true;
        const std::size_t close = text.find(')');
        if (close == std::string_view::npos) {
            Fail(file, line.firstLine, Compose(msg::kMacroParametersNotClosed, {name}));
        }
        std::string_view parameters = text.substr(1, close - 1);
        text.remove_prefix(close + 1);
        while (!TrimBlanks(parameters).empty()) {
            const std::size_t comma = parameters.find(',');
            const std::string_view parameter = TrimBlanks(parameters.substr(0, comma));
            if (parameter == "...") {
                macro.variadic = true;
            } else if (parameter.empty() || macro.variadic || !IsIdentifierStart(parameter[0]) ||
                       std::any_of(parameter.begin(), parameter.end(), [](char c) { return !IsIdentifierChar(c); })) {
                Fail(file, line.firstLine, Compose(msg::kMacroParameterNotName, {name}));
            } else {
                macro.parameters.emplace_back(parameter);
            }
            parameters = comma == std::string_view::npos ? std::string_view() : parameters.substr(comma + 1);
        }
    }
    macro.body = std::string(TrimBlanks(text));
    m_firstChars[static_cast<unsigned char>(name[0])] = true;
    m_macros[name] = std::move(macro);
}

const Macro* Preprocessor::Impl::Find(std::string_view name) {
    if (!m_firstChars[static_cast<unsigned char>(name[0])]) {
        return nullptr;
    }
    if (name.size() == 8 && name[0] == '_' && (name == "__FILE__" || name == "__LINE__") && m_currentFile != nullptr) {
        if (name == "__LINE__") {
            m_lineMacro.body = std::to_string(m_currentLine);
            return &m_lineMacro;
        }
        m_fileMacro.body = "\"";
        for (const char c : m_script.files[static_cast<std::size_t>(m_currentFile->index)]) {
            m_fileMacro.body += c;
            if (c == '\\') {
                m_fileMacro.body += c;
            }
        }
        m_fileMacro.body += '"';
        return &m_fileMacro;
    }
    if (!m_macros.empty()) {
        const auto found = m_macros.find(name);
        if (found != m_macros.end()) {
            return found->second.undefined ? nullptr : &found->second;
        }
    }
    if (m_builtInGroups == 0) {
        return nullptr;
    }
    const std::optional<BuiltInMacro> builtIn = FindBuiltInMacro(name, m_builtInGroups);
    if (!builtIn) {
        return nullptr;
    }
    Macro& cached = m_builtInCache[builtIn->name];
    cached.body = builtIn->value;
    return &cached;
}

std::string Preprocessor::Impl::ExpandLine(SourceFile& file, const LogicalLine& line, std::string_view text) {
    m_currentFile = &file;
    m_currentLine = line.firstLine;
    std::string out;
    std::vector<const Macro*> active;
    Expand(text, out, active, 0);
    return out;
}

void Preprocessor::Impl::Expand(std::string_view text, std::string& out, std::vector<const Macro*>& active, int depth) {
    if (depth > kMaxExpansionDepth) {
        Fail(*m_currentFile, m_currentLine, Compose(msg::kMacrosTooDeep, {std::to_string(kMaxExpansionDepth)}));
    }
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (!IsIdentifierStart(c)) {
            i = (c == '"' || c == '\'' || IsDigit(c)) ? TokenEnd(text, i, m_pairs) : i + 1;
            continue;
        }
        if (!m_firstChars[static_cast<unsigned char>(c)]) {
            // Not a macro's name; an L"…" prefix left here is read as a literal by the next step.
            i = IdentifierEnd(text, i + 1);
            continue;
        }
        const std::size_t end = TokenEnd(text, i, m_pairs);
        if (text[end - 1] == '"' || text[end - 1] == '\'') {
            i = end;
            continue;
        }
        const std::string_view name = text.substr(i, end - i);
        const Macro* macro = Find(name);
        if (macro == nullptr) {
            i = end;
            continue;
        }
        if (std::find(active.begin(), active.end(), macro) != active.end()) {
            Fail(*m_currentFile, m_currentLine, Compose(msg::kMacroRecursive, {name}));
        }
        std::vector<std::string_view> arguments;
        std::size_t next = end;
        if (macro->functionLike) {
            while (next < text.size() && IsBlank(text[next])) {
                ++next;
            }
            if (next >= text.size() || text[next] != '(') {
                i = end;  // a function-like macro's name alone is left as it is
                continue;
            }
            int nesting = 0;
            std::size_t argumentStart = next + 1;
            std::size_t j = next;
            for (; j < text.size(); j = TokenEnd(text, j, m_pairs)) {
                const char d = text[j];
                if (d == '(') {
                    ++nesting;
                } else if (d == ')' && --nesting == 0) {
                    break;
                } else if (d == ',' && nesting == 1) {
                    arguments.push_back(TrimBlanks(text.substr(argumentStart, j - argumentStart)));
                    argumentStart = j + 1;
                }
            }
            if (j >= text.size()) {
                Fail(*m_currentFile, m_currentLine, Compose(msg::kMacroArgumentsNotClosed, {name}));
            }
            const std::string_view last = TrimBlanks(text.substr(argumentStart, j - argumentStart));
            if (!last.empty() || !arguments.empty() || !macro->parameters.empty()) {
                arguments.push_back(last);
            }
            const std::size_t wanted = macro->parameters.size();
            if (arguments.size() < wanted || (arguments.size() > wanted && !macro->variadic)) {
                Fail(*m_currentFile, m_currentLine,
                     Compose(wanted == 1 ? msg::kMacroArgumentCount1 : msg::kMacroArgumentCount,
                             {name, std::to_string(wanted), std::to_string(arguments.size())}));
            }
            next = j + 1;
        }
        out.append(text, runStart, i - runStart);
        const std::string replaced = macro->functionLike ? Substitute(*macro, arguments, active, depth) : macro->body;
        active.push_back(macro);
        Expand(replaced, out, active, depth + 1);
        active.pop_back();
        if (out.size() > kMaxExpansionSize) {
            Fail(*m_currentFile, m_currentLine, Compose(msg::kMacrosTooLong));
        }
        i = runStart = next;
    }
    out.append(text, runStart, text.size() - runStart);
}

std::string Preprocessor::Impl::Substitute(const Macro& macro, const std::vector<std::string_view>& arguments,
                                           std::vector<const Macro*>& active, int depth) {
    std::string variadic;
    for (std::size_t k = macro.parameters.size(); k < arguments.size(); ++k) {
        variadic += (k > macro.parameters.size() ? "," : "");
        variadic += arguments[k];
    }
    auto raw = [&](std::string_view name) -> std::optional<std::string_view> {
        for (std::size_t k = 0; k < macro.parameters.size(); ++k) {
            if (macro.parameters[k] == name) {
                return arguments[k];
            }
        }
        if (macro.variadic && name == "__VA_ARGS__") {
            return std::string_view(variadic);
        }
        return std::nullopt;
    };
    const std::string_view body = macro.body;
    std::string out;
    bool pasteNext = false;
    for (std::size_t i = 0; i < body.size();) {
        const std::size_t end = TokenEnd(body, i, m_pairs);
        const std::string_view token = body.substr(i, end - i);
        std::size_t after = end;
        while (after < body.size() && IsBlank(body[after])) {
            ++after;
        }
        const bool pastedAfter = body.substr(after, 2) == "##";
        if (token == "##") {
            while (!out.empty() && IsBlank(out.back())) {
                out.pop_back();
            }
            pasteNext = true;
            i = after;
            continue;
        }
        if (token == "#") {
            const std::size_t nameEnd = after < body.size() ? TokenEnd(body, after, m_pairs) : after;
            if (const auto argument = raw(body.substr(after, nameEnd - after))) {
                out += '"';
                for (const char c : *argument) {
                    if (c == '"' || c == '\\') {
                        out += '\\';
                    }
                    out += c;
                }
                out += '"';
                i = nameEnd;
                pasteNext = false;
                continue;
            }
        }
        if (const auto argument = IsIdentifierStart(token[0]) ? raw(token) : std::nullopt) {
            if (pasteNext || pastedAfter) {
                out.append(*argument);
            } else {
                Expand(*argument, out, active, depth + 1);
            }
        } else {
            out.append(token);
        }
        pasteNext = false;
        i = end;
    }
    return out;
}

}  // namespace brcc
