// A C preprocessor of its own, so that the compiler needs no other program and no SDK: the Windows headers a
// script includes are built in.
#include "brcc32/preprocessor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <unordered_set>

#include "brcc32/code_page.h"
#include "brcc32/input_file.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

struct BuiltInSource {
    std::string_view m_name;
    std::string_view m_value;
    unsigned char m_groups;
};

// Read only while compiling, to build kBuiltInMacros: it holds pointers, which would be relocated, so read whole,
// at every start of the program.
constexpr BuiltInSource kBuiltInSources[] = {
#include "brcc32/windows_headers.inc"
};

constexpr std::size_t BuiltInTextSize() {
    std::size_t size = 0;
    for (const BuiltInSource& source : kBuiltInSources) {
        size += source.m_name.size() + source.m_value.size();
    }
    return size;
}

constexpr std::size_t kBuiltInCount = std::size(kBuiltInSources);

// Each entry's name and value follow one another in one array of text, and entries say where: records of
// fixed-size text arrays made the table four times larger.
struct BuiltInEntry {
    std::uint32_t m_offset;
    std::uint8_t m_nameSize;
    std::uint8_t m_valueSize;
    std::uint8_t m_groups;
};

struct BuiltInTable {
    std::array<char, BuiltInTextSize()> m_text;
    std::array<BuiltInEntry, kBuiltInCount> m_entries;
};

constexpr BuiltInTable PackBuiltIns() {
    BuiltInTable table{};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < kBuiltInCount; ++i) {
        const BuiltInSource& source = kBuiltInSources[i];
        if (source.m_name.size() > 255 || source.m_value.size() > 255) {
            throw "a built-in name or value is longer than an entry can say";
        }
        table.m_entries[i] = {static_cast<std::uint32_t>(offset), static_cast<std::uint8_t>(source.m_name.size()),
                              static_cast<std::uint8_t>(source.m_value.size()), source.m_groups};
        for (const char c : source.m_name) {
            table.m_text[offset++] = c;
        }
        for (const char c : source.m_value) {
            table.m_text[offset++] = c;
        }
    }
    return table;
}

constexpr BuiltInTable kBuiltInMacros = PackBuiltIns();

std::string_view BuiltInName(const BuiltInEntry& entry) {
    return {kBuiltInMacros.m_text.data() + entry.m_offset, entry.m_nameSize};
}

std::string_view BuiltInValue(const BuiltInEntry& entry) {
    return {kBuiltInMacros.m_text.data() + entry.m_offset + entry.m_nameSize, entry.m_valueSize};
}

constexpr unsigned kGroupWindows = 1;
constexpr unsigned kGroupWinRes = 2;
constexpr unsigned kGroupCommCtrl = 4;
constexpr unsigned kGroupDlgs = 8;
constexpr unsigned kGroupWinVer = 16;

struct BuiltInHeader {
    std::string_view m_name;
    unsigned m_groups;
};

// The headers resource scripts include; each brings the constants the MinGW-w64 header of that name brings.
constexpr std::array<BuiltInHeader, 15> kBuiltInHeaders = {{
    {"windows.h", kGroupWindows},
    {"winresrc.h", kGroupWindows},
    {"winuser.h", kGroupWindows},
    {"winuser.rh", kGroupWindows},
    {"winnt.h", kGroupWindows},
    {"winnt.rh", kGroupWindows},
    {"winbase.h", kGroupWindows},
    {"winres.h", kGroupWindows | kGroupWinRes},
    {"afxres.h", kGroupWindows | kGroupWinRes},
    {"winver.h", kGroupWinVer},
    {"verrsrc.h", kGroupWinVer},
    {"commctrl.h", kGroupCommCtrl},
    {"commctrl.rh", kGroupCommCtrl},
    {"dlgs.h", kGroupDlgs},
    {"prsht.h", kGroupCommCtrl},
}};

constexpr int kMaxIncludeDepth = 200;
constexpr int kMaxExpansionDepth = 200;
constexpr std::size_t kMaxExpansionSize = 1 << 20;

bool IsIdentifierStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The characters that end a line, join it to the next, start a comment or a literal, or end a CR LF.
constexpr std::array<bool, 256> kLineSpecial = [] {
    std::array<bool, 256> special{};
    for (const char c : std::string_view("\n\r\\\"'/")) {
        special[static_cast<unsigned char>(c)] = true;
    }
    return special;
}();

// The end of the preprocessing token that starts at `i`: an identifier, a number, a quoted literal or one character.
std::size_t TokenEnd(std::string_view text, std::size_t i) {
    const char c = text[i];
    if (IsIdentifierStart(c)) {
        if ((c == 'L' || c == 'u' || c == 'U') && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\'')) {
            return TokenEnd(text, i + 1);
        }
        while (++i < text.size() && IsIdentifierChar(text[i])) {
        }
        return i;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
        while (++i < text.size()) {
            const char d = text[i];
            if ((d == '+' || d == '-') && (LowerAscii(text[i - 1]) == 'e' || LowerAscii(text[i - 1]) == 'p')) {
                continue;
            }
            if (!IsIdentifierChar(d) && d != '.') {
                break;
            }
        }
        return i;
    }
    if (c == '"' || c == '\'') {
        while (++i < text.size() && text[i] != c) {
            if (text[i] == '\\' && i + 1 < text.size()) {
                ++i;
            }
        }
        return std::min(i + 1, text.size());
    }
    if (c == '#' && i + 1 < text.size() && text[i + 1] == '#') {
        return i + 2;
    }
    return i + 1;
}

// Lets a name be looked up as it lies in the line, without a string made of it for each identifier.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct Macro {
    bool m_functionLike = false;
    bool m_variadic = false;
    bool m_undefined = false;  // hides a built-in constant of the same name
    std::vector<std::string> m_parameters;
    std::string m_body;
};

// Where a logical line of a file starts and how many lines of the file it spans.
struct LogicalLine {
    std::string m_text;
    int m_firstLine = 0;
    int m_lineCount = 0;
};

struct SourceFile {
    std::string m_text;  // UTF-8
    std::size_t m_position = 0;
    int m_line = 1;
    int m_index = 0;                      // in PreprocessedScript::m_files
    std::filesystem::path m_folder;       // where its own includes are looked for first
    std::filesystem::path m_shownFolder;  // the same, as messages show it
    std::string m_key;                    // for #pragma once
    bool m_onlyDirectives = false;        // a .h or .c file: C declarations in it are not resources
};

struct Conditional {
    bool m_wasActive;  // whether the lines around the #if are kept
    bool m_active;
    bool m_taken;
    bool m_hadElse;
    int m_line;
};

// C integer expressions of #if and #elif, on the text after macros are expanded.
class ConditionEvaluator {
public:
    ConditionEvaluator(std::string_view text, const std::function<void(const std::string&)>& fail)
        : m_text(text), m_fail(fail) {}

    std::int64_t Evaluate() {
        const std::int64_t value = Conditional();
        Skip();
        if (m_position < m_text.size()) {
            Fail("unexpected '" + std::string(Peek()) + "'");
        }
        return value;
    }

private:
    void Fail(const std::string& what) {
        m_fail("the expression '" + std::string(TrimBlanks(m_text)) + "' is not valid: " + what);
    }

    void Skip() {
        while (m_position < m_text.size() && (IsBlank(m_text[m_position]) || m_text[m_position] == '\n')) {
            ++m_position;
        }
    }

    std::string_view Peek() {
        Skip();
        if (m_position >= m_text.size()) {
            return {};
        }
        static constexpr std::array<std::string_view, 10> kTwoChars = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
        for (const std::string_view op : kTwoChars) {
            if (!op.empty() && m_text.substr(m_position, 2) == op) {
                return op;
            }
        }
        return m_text.substr(m_position, TokenEnd(m_text, m_position) - m_position);
    }

    bool Accept(std::string_view op) {
        if (Peek() == op) {
            m_position += op.size();
            return true;
        }
        return false;
    }

    std::int64_t Conditional() {
        const std::int64_t condition = Binary(0);
        if (!Accept("?")) {
            return condition;
        }
        const std::int64_t whenTrue = Conditional();
        if (!Accept(":")) {
            Fail("'?' without ':'");
        }
        const std::int64_t whenFalse = Conditional();
        return condition ? whenTrue : whenFalse;
    }

    // Binary operators by C's precedence, lowest first.
    std::int64_t Binary(int level) {
        static constexpr std::array<std::array<std::string_view, 4>, 10> kLevels = {{{"||"},
                                                                                     {"&&"},
                                                                                     {"|"},
                                                                                     {"^"},
                                                                                     {"&"},
                                                                                     {"==", "!="},
                                                                                     {"<", ">", "<=", ">="},
                                                                                     {"<<", ">>"},
                                                                                     {"+", "-"},
                                                                                     {"*", "/", "%"}}};
        if (level == static_cast<int>(kLevels.size())) {
            return Unary();
        }
        std::int64_t left = Binary(level + 1);
        while (true) {
            const std::string_view op = Peek();
            const auto& ops = kLevels[static_cast<std::size_t>(level)];
            if (op.empty() || std::find(ops.begin(), ops.end(), op) == ops.end()) {
                return left;
            }
            m_position += op.size();
            const std::int64_t right = Binary(level + 1);
            const auto l = static_cast<std::uint64_t>(left);
            const auto r = static_cast<std::uint64_t>(right);
            if (op == "||")
                left = left || right;
            else if (op == "&&")
                left = left && right;
            else if (op == "|")
                left = static_cast<std::int64_t>(l | r);
            else if (op == "^")
                left = static_cast<std::int64_t>(l ^ r);
            else if (op == "&")
                left = static_cast<std::int64_t>(l & r);
            else if (op == "==")
                left = left == right;
            else if (op == "!=")
                left = left != right;
            else if (op == "<")
                left = left < right;
            else if (op == ">")
                left = left > right;
            else if (op == "<=")
                left = left <= right;
            else if (op == ">=")
                left = left >= right;
            else if (op == "<<")
                left = static_cast<std::int64_t>(l << (r & 63));
            else if (op == ">>")
                left = left >> (r & 63);
            else if (op == "+")
                left = static_cast<std::int64_t>(l + r);
            else if (op == "-")
                left = static_cast<std::int64_t>(l - r);
            else if (op == "*")
                left = static_cast<std::int64_t>(l * r);
            else {
                if (right == 0) {
                    Fail("division by zero");
                }
                if (right == -1) {
                    left = op == "/" ? static_cast<std::int64_t>(0 - l) : 0;
                } else {
                    left = op == "/" ? left / right : left % right;
                }
            }
        }
    }

    std::int64_t Unary() {
        if (Accept("!")) return !Unary();
        if (Accept("~")) return static_cast<std::int64_t>(~static_cast<std::uint64_t>(Unary()));
        if (Accept("-")) return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(Unary()));
        if (Accept("+")) return Unary();
        if (Accept("(")) {
            const std::int64_t value = Conditional();
            if (!Accept(")")) {
                Fail("'(' without ')'");
            }
            return value;
        }
        const std::string_view token = Peek();
        if (token.empty()) {
            Fail("a value is missing at its end");
        }
        m_position += token.size();
        if (IsIdentifierStart(token[0]) && token.back() != '\'') {
            return 0;  // a name that is no macro counts as 0
        }
        if (token.back() == '\'') {
            return CharacterValue(token);
        }
        if (!IsDigit(token[0])) {
            Fail("unexpected '" + std::string(token) + "'");
        }
        return NumberValue(token);
    }

    std::int64_t NumberValue(std::string_view token) {
        while (!token.empty() && (LowerAscii(token.back()) == 'u' || LowerAscii(token.back()) == 'l')) {
            token.remove_suffix(1);
        }
        int base = 10;
        if (token.size() > 1 && token[0] == '0' && LowerAscii(token[1]) == 'x') {
            base = 16;
            token.remove_prefix(2);
        } else if (token.size() > 1 && token[0] == '0') {
            base = 8;
        }
        std::uint64_t value = 0;
        if (token.empty()) {
            Fail("a number has no digits");
        }
        for (const char c : token) {
            const int digit = IsDigit(c)                                       ? c - '0'
                              : (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f') ? LowerAscii(c) - 'a' + 10
                                                                               : 99;
            if (digit >= base) {
                Fail("'" + std::string(token) + "' is not a number");
            }
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        }
        return static_cast<std::int64_t>(value);
    }

    std::int64_t CharacterValue(std::string_view token) {
        const std::size_t quote = token.find('\'');
        std::string_view body = token.substr(quote + 1, token.size() - quote - 2);
        if (body.empty()) {
            Fail("an empty character constant");
        }
        if (body[0] != '\\') {
            return static_cast<unsigned char>(body[0]);
        }
        if (body.size() < 2) {
            Fail("a character constant ends with '\\'");
        }
        switch (body[1]) {
            case 'n':
                return '\n';
            case 't':
                return '\t';
            case 'r':
                return '\r';
            case 'a':
                return '\a';
            case 'b':
                return '\b';
            case 'f':
                return '\f';
            case 'v':
                return '\v';
            case 'x':
                return std::strtol(std::string(body.substr(2)).c_str(), nullptr, 16);
            default:
                if (IsDigit(body[1])) {
                    return std::strtol(std::string(body.substr(1)).c_str(), nullptr, 8);
                }
                return static_cast<unsigned char>(body[1]);
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    const std::function<void(const std::string&)>& m_fail;
};

// Whether the quote at `at` has its closing quote on its line: a lone apostrophe is just a character.
bool ClosesOnItsLine(std::string_view text, std::size_t at) {
    for (std::size_t i = at + 1; i < text.size() && text[i] != '\n'; ++i) {
        if (text[i] == text[at]) {
            return true;
        }
    }
    return false;
}

// What tells two includes of one file apart from includes of two files, for #pragma once.
std::string FileKey(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return PathToUtf8((error ? path : absolute).lexically_normal());
}

std::optional<std::string> ReadFromDisk(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return ReadTextFile(path);
}

// The header groups that the built-in header of that name (any case) brings; 0 when there is none.
unsigned BuiltInHeaderGroups(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    for (const BuiltInHeader& header : kBuiltInHeaders) {
        if (header.m_name.size() == name.size() && std::equal(name.begin(), name.end(), header.m_name.begin(),
                                                              [](char a, char b) { return LowerAscii(a) == b; })) {
            return header.m_groups;
        }
    }
    return 0;
}

}  // namespace

PreprocessedScript::Place PreprocessedScript::Locate(int outputLine) const {
    auto after = std::upper_bound(m_segments.begin(), m_segments.end(), outputLine,
                                  [](int line, const Segment& segment) { return line < segment.m_outputLine; });
    if (after == m_segments.begin()) {
        return {&m_files.front(), outputLine};
    }
    const Segment& segment = *(after - 1);
    return {&m_files[static_cast<std::size_t>(segment.m_file)], segment.m_line + (outputLine - segment.m_outputLine)};
}

class Preprocessor::Impl {
public:
    Impl(PreprocessOptions options, FileReader reader) : m_options(std::move(options)), m_reader(std::move(reader)) {
        if (!m_reader) {
            m_reader = ReadFromDisk;
        }
    }

    PreprocessedScript Run(std::string text, const std::filesystem::path& path, const std::string& name);

private:
    [[noreturn]] void Fail(const SourceFile& file, int line, const std::string& message) {
        throw ScriptError(m_script.m_files[static_cast<std::size_t>(file.m_index)], line, message);
    }

    void DefineFromCommandLine(const std::string& definition);
    void Process(SourceFile& file, int depth);
    bool ReadLogicalLine(SourceFile& file, LogicalLine& line);
    void Directive(SourceFile& file, const LogicalLine& line, std::string_view text, int depth);
    void Include(SourceFile& file, const LogicalLine& line, std::string_view argument, int depth);
    void Define(SourceFile& file, const LogicalLine& line, std::string_view text);
    void Pragma(SourceFile& file, const LogicalLine& line, std::string_view text);
    bool EvaluateCondition(SourceFile& file, const LogicalLine& line, std::string_view text);
    void EndLines(int count);
    void Emit(std::string_view text);
    void LeaveInPlace();
    void SetCodePage(std::uint32_t codePage);
    std::string NewText(SourceFile& file, std::string bytes);

    const Macro* Find(std::string_view name);
    void Expand(std::string_view text, std::string& out, std::vector<const Macro*>& active, int depth);
    std::string ExpandLine(SourceFile& file, const LogicalLine& line, std::string_view text);
    std::string Substitute(const Macro& macro, const std::vector<std::string_view>& arguments,
                           std::vector<const Macro*>& active, int depth);

    PreprocessOptions m_options;
    FileReader m_reader;
    PreprocessedScript m_script;
    std::unordered_map<std::string, Macro, NameHash, std::equal_to<>> m_macros;
    std::unordered_map<std::string_view, Macro> m_builtInCache;
    unsigned m_builtInGroups = 0;
    std::array<bool, 256> m_firstChars{};  // of names that may be macros: most identifiers of a script are not
    std::unordered_set<std::string> m_includedOnce;
    std::uint32_t m_codePage = kCodePageWestern;
    int m_outputLine = 1;
    SourceFile* m_inPlace = nullptr;  // the script, while its output is written over it
    std::size_t m_written = 0;        // bytes of output written over it
    std::string m_scratch;
    std::vector<const Macro*> m_active;
    // The place of the error met while expanding, for the callbacks that have no file at hand.
    const SourceFile* m_currentFile = nullptr;
    int m_currentLine = 0;
};

Preprocessor::Preprocessor(PreprocessOptions options, FileReader reader)
    : m_impl(std::make_unique<Impl>(std::move(options), std::move(reader))) {}

Preprocessor::~Preprocessor() = default;

PreprocessedScript Preprocessor::Run(std::string text, const std::filesystem::path& path, const std::string& name) {
    return m_impl->Run(std::move(text), path, name);
}

void Preprocessor::Impl::DefineFromCommandLine(const std::string& definition) {
    const std::size_t equals = definition.find('=');
    const std::string name = definition.substr(0, equals);
    Macro macro;
    macro.m_body = equals == std::string::npos ? "1" : definition.substr(equals + 1);
    m_firstChars[static_cast<unsigned char>(name.empty() ? 0 : name[0])] = true;
    m_macros[name] = std::move(macro);
}

PreprocessedScript Preprocessor::Impl::Run(std::string text, const std::filesystem::path& path,
                                           const std::string& name) {
    m_script = PreprocessedScript();
    m_script.m_files.push_back(name);
    m_script.m_codePages.push_back({1, kCodePageWestern});
    // As Windows' resource compiler: scripts test these to leave out what only a C compiler reads.
    DefineFromCommandLine("RC_INVOKED");
    DefineFromCommandLine("_WIN32");
    for (const std::string& definition : m_options.m_defines) {
        DefineFromCommandLine(definition);
    }
    for (const std::string& undefined : m_options.m_undefines) {
        m_macros[undefined].m_undefined = true;
    }
    SourceFile file;
    file.m_folder = path.parent_path();
    file.m_key = FileKey(path);
    file.m_shownFolder = PathFromUtf8(name).parent_path();
    file.m_text = NewText(file, std::move(text));
    m_script.m_segments.push_back({1, 0, 1});
    m_inPlace = &file;
    m_written = 0;
    Process(file, 0);
    if (m_inPlace != nullptr) {
        file.m_text.resize(m_written);
        m_script.m_text = std::move(file.m_text);
        m_inPlace = nullptr;
    }
    return std::move(m_script);
}

// The file's bytes as UTF-8 text; a UTF-16 file with its byte-order mark is converted and read as Unicode.
std::string Preprocessor::Impl::NewText(SourceFile& file, std::string bytes) {
    if (std::optional<std::string> converted = Utf16FileToUtf8(bytes)) {
        SetCodePage(kCodePageUtf8);
        return std::move(*converted);
    }
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(nul), '\n'));
        Fail(file, line,
             "the file holds NUL bytes: it looks saved as UTF-16 without a byte-order mark; save it as UTF-8, "
             "or as UTF-16 with its byte-order mark");
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        SetCodePage(kCodePageUtf8);
        bytes.erase(0, 3);
    }
    return bytes;
}

void Preprocessor::Impl::SetCodePage(std::uint32_t codePage) {
    m_codePage = codePage;
    auto& pages = m_script.m_codePages;
    if (!pages.empty() && pages.back().first == m_outputLine) {
        pages.back().second = codePage;
    } else if (pages.empty() || pages.back().second != codePage) {
        pages.push_back({m_outputLine, codePage});
    }
}

void Preprocessor::Impl::EndLines(int count) {
    static constexpr std::string_view kNewLines = "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n";
    for (int left = count; left > 0; left -= static_cast<int>(kNewLines.size())) {
        Emit(kNewLines.substr(0, std::min<std::size_t>(static_cast<std::size_t>(left), kNewLines.size())));
    }
    m_outputLine += count;
}

// The script's output goes over its own text, behind the line being read, for as long as it is no longer than
// what was read: that is every script without include files, unless its macros make lines longer.
void Preprocessor::Impl::Emit(std::string_view text) {
    if (m_inPlace != nullptr) {
        if (m_written + text.size() <= m_inPlace->m_position) {
            std::copy(text.begin(), text.end(), m_inPlace->m_text.begin() + static_cast<long>(m_written));
            m_written += text.size();
            return;
        }
        LeaveInPlace();
    }
    m_script.m_text.append(text);
}

void Preprocessor::Impl::LeaveInPlace() {
    if (m_inPlace != nullptr) {
        m_script.m_text.assign(m_inPlace->m_text, 0, m_written);
        m_inPlace = nullptr;
    }
}

// One line as the preprocessor sees it: continuation lines joined, comments replaced by a blank.
bool Preprocessor::Impl::ReadLogicalLine(SourceFile& file, LogicalLine& line) {
    const std::string& text = file.m_text;
    std::size_t i = file.m_position;
    if (i >= text.size()) {
        return false;
    }
    line.m_text.clear();
    line.m_firstLine = file.m_line;
    int lines = 1;
    std::size_t runStart = i;
    auto flush = [&](std::size_t end) { line.m_text.append(text, runStart, end - runStart); };
    char quote = 0;
    while (i < text.size()) {
        // Most of a line is none of the characters below: it is passed in one step.
        if (quote == 0) {
            while (i < text.size() && !kLineSpecial[static_cast<unsigned char>(text[i])]) {
                ++i;
            }
        } else {
            while (i < text.size() && text[i] != quote && text[i] != '\\' && text[i] != '\n' && text[i] != '\r') {
                ++i;
            }
        }
        if (i >= text.size()) {
            break;
        }
        const char c = text[i];
        if (c == '\n') {
            break;
        }
        if (c == '\\' && (text.compare(i + 1, 1, "\n") == 0 || text.compare(i + 1, 2, "\r\n") == 0)) {
            flush(i);
            i += text[i + 1] == '\n' ? 2 : 3;
            ++lines;
            runStart = i;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            flush(i);
            runStart = ++i;
            continue;
        }
        if (quote != 0) {
            if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                i += 2;
                continue;
            }
            if (c == quote) {
                quote = 0;
            }
            ++i;
            continue;
        }
        if (c == '"' || (c == '\'' && ClosesOnItsLine(text, i))) {
            quote = c;
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            flush(i);
            while (i < text.size() && text[i] != '\n') {
                if (text[i] == '\\' && text.compare(i + 1, 1, "\n") == 0) {
                    ++lines;
                    ++i;
                }
                ++i;
            }
            runStart = i;
            break;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            flush(i);
            const std::size_t end = text.find("*/", i + 2);
            if (end == std::string::npos) {
                file.m_position = text.size();
                Fail(file, file.m_line + lines - 1, "comment '/*' is never closed with '*/'");
            }
            lines += static_cast<int>(
                std::count(text.begin() + static_cast<long>(i), text.begin() + static_cast<long>(end), '\n'));
            line.m_text += ' ';
            i = end + 2;
            runStart = i;
            continue;
        }
        ++i;
    }
    flush(std::min(i, text.size()));
    file.m_position = i < text.size() ? i + 1 : i;
    file.m_line += lines;
    line.m_lineCount = lines;
    return true;
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
        codePage = kCodePageWestern;
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

void Preprocessor::Impl::Define(SourceFile& file, const LogicalLine& line, std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && IsIdentifierChar(text[end])) {
        ++end;
    }
    if (end == 0 || !IsIdentifierStart(text[0])) {
        Fail(file, line.m_firstLine, "#define needs a macro name");
    }
    const std::string name(text.substr(0, end));
    Macro macro;
    text.remove_prefix(end);
    if (text.starts_with("(")) {
        macro.m_functionLike = true;
        const std::size_t close = text.find(')');
        if (close == std::string_view::npos) {
            Fail(file, line.m_firstLine, "the parameters of macro '" + name + "' are not closed with ')'");
        }
        std::string_view parameters = text.substr(1, close - 1);
        text.remove_prefix(close + 1);
        while (!TrimBlanks(parameters).empty()) {
            const std::size_t comma = parameters.find(',');
            const std::string_view parameter = TrimBlanks(parameters.substr(0, comma));
            if (parameter == "...") {
                macro.m_variadic = true;
            } else if (parameter.empty() || macro.m_variadic || !IsIdentifierStart(parameter[0]) ||
                       std::any_of(parameter.begin(), parameter.end(), [](char c) { return !IsIdentifierChar(c); })) {
                Fail(file, line.m_firstLine, "macro '" + name + "' has a parameter that is not a name");
            } else {
                macro.m_parameters.emplace_back(parameter);
            }
            parameters = comma == std::string_view::npos ? std::string_view() : parameters.substr(comma + 1);
        }
    }
    macro.m_body = std::string(TrimBlanks(text));
    m_firstChars[static_cast<unsigned char>(name[0])] = true;
    m_macros[name] = std::move(macro);
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
    return ConditionEvaluator(expanded, fail).Evaluate() != 0;
}

const Macro* Preprocessor::Impl::Find(std::string_view name) {
    if (!m_firstChars[static_cast<unsigned char>(name[0])]) {
        return nullptr;
    }
    if (!m_macros.empty()) {
        const auto found = m_macros.find(name);
        if (found != m_macros.end()) {
            return found->second.m_undefined ? nullptr : &found->second;
        }
    }
    if (m_builtInGroups == 0) {
        return nullptr;
    }
    const auto end = kBuiltInMacros.m_entries.end();
    const auto entry =
        std::lower_bound(kBuiltInMacros.m_entries.begin(), end, name,
                         [](const BuiltInEntry& m, std::string_view n) { return BuiltInName(m) < n; });
    if (entry == end || BuiltInName(*entry) != name || (entry->m_groups & m_builtInGroups) == 0) {
        return nullptr;
    }
    Macro& cached = m_builtInCache[BuiltInName(*entry)];
    cached.m_body = BuiltInValue(*entry);
    return &cached;
}

std::string Preprocessor::Impl::ExpandLine(SourceFile& file, const LogicalLine& line, std::string_view text) {
    m_currentFile = &file;
    m_currentLine = line.m_firstLine;
    std::string out;
    std::vector<const Macro*> active;
    Expand(text, out, active, 0);
    return out;
}

void Preprocessor::Impl::Expand(std::string_view text, std::string& out, std::vector<const Macro*>& active, int depth) {
    if (depth > kMaxExpansionDepth) {
        Fail(*m_currentFile, m_currentLine, "macros nest more than " + std::to_string(kMaxExpansionDepth) + " deep");
    }
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (!IsIdentifierStart(c)) {
            i = (c == '"' || c == '\'' || IsDigit(c)) ? TokenEnd(text, i) : i + 1;
            continue;
        }
        if (!m_firstChars[static_cast<unsigned char>(c)]) {
            // Not a macro's name; an L"…" prefix left here is read as a literal by the next step.
            while (++i < text.size() && IsIdentifierChar(text[i])) {
            }
            continue;
        }
        const std::size_t end = TokenEnd(text, i);
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
            Fail(*m_currentFile, m_currentLine,
                 "macro '" + std::string(name) + "' refers to itself: its expansion would never end");
        }
        std::vector<std::string_view> arguments;
        std::size_t next = end;
        if (macro->m_functionLike) {
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
            for (; j < text.size(); j = TokenEnd(text, j)) {
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
                Fail(*m_currentFile, m_currentLine,
                     "the arguments of macro '" + std::string(name) + "' are not closed with ')' on their line");
            }
            const std::string_view last = TrimBlanks(text.substr(argumentStart, j - argumentStart));
            if (!last.empty() || !arguments.empty() || !macro->m_parameters.empty()) {
                arguments.push_back(last);
            }
            const std::size_t wanted = macro->m_parameters.size();
            if (arguments.size() < wanted || (arguments.size() > wanted && !macro->m_variadic)) {
                Fail(*m_currentFile, m_currentLine,
                     "macro '" + std::string(name) + "' takes " + std::to_string(wanted) + " argument" +
                         (wanted == 1 ? "" : "s") + ", given " + std::to_string(arguments.size()));
            }
            next = j + 1;
        }
        out.append(text, runStart, i - runStart);
        const std::string replaced =
            macro->m_functionLike ? Substitute(*macro, arguments, active, depth) : macro->m_body;
        active.push_back(macro);
        Expand(replaced, out, active, depth + 1);
        active.pop_back();
        if (out.size() > kMaxExpansionSize) {
            Fail(*m_currentFile, m_currentLine, "the macros of this line expand to more than 1 MB of text");
        }
        i = runStart = next;
    }
    out.append(text, runStart, text.size() - runStart);
}

std::string Preprocessor::Impl::Substitute(const Macro& macro, const std::vector<std::string_view>& arguments,
                                           std::vector<const Macro*>& active, int depth) {
    std::string variadic;
    for (std::size_t k = macro.m_parameters.size(); k < arguments.size(); ++k) {
        variadic += (k > macro.m_parameters.size() ? "," : "");
        variadic += arguments[k];
    }
    auto raw = [&](std::string_view name) -> std::optional<std::string_view> {
        for (std::size_t k = 0; k < macro.m_parameters.size(); ++k) {
            if (macro.m_parameters[k] == name) {
                return arguments[k];
            }
        }
        if (macro.m_variadic && name == "__VA_ARGS__") {
            return std::string_view(variadic);
        }
        return std::nullopt;
    };
    const std::string_view body = macro.m_body;
    std::string out;
    bool pasteNext = false;
    for (std::size_t i = 0; i < body.size();) {
        const std::size_t end = TokenEnd(body, i);
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
            const std::size_t nameEnd = after < body.size() ? TokenEnd(body, after) : after;
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
