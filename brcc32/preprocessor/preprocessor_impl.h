// What the preprocessor's parts share: its state, and the records of macros, files, lines and conditionals.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "brcc32/preprocessor/preprocessor.h"
#include "brcc32/script_error.h"

namespace brcc {

constexpr int kMaxIncludeDepth = 200;
constexpr int kMaxExpansionDepth = 200;
constexpr std::size_t kMaxExpansionSize = 1 << 20;

// Lets a name be looked up as it lies in the line, without a string made of it for each identifier.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct Macro {
    bool functionLike = false;
    bool variadic = false;
    bool undefined = false;  // hides a built-in constant of the same name
    std::vector<std::string> parameters;
    std::string body;
};

// Where a logical line of a file starts and how many lines of the file it spans.
struct LogicalLine {
    std::string text;
    int firstLine = 0;
    int lineCount = 0;
};

struct SourceFile {
    std::string text;  // UTF-8
    std::size_t position = 0;
    int line = 1;
    int index = 0;                      // in PreprocessedScript::files
    std::filesystem::path folder;       // where its own includes are looked for first
    std::filesystem::path shownFolder;  // the same, as messages show it
    std::string key;                    // for #pragma once
    bool onlyDirectives = false;        // a .h or .c file: C declarations in it are not resources
    // The include folder it was found in, where its #include_next goes on from; -1 when found by no search.
    int includeFolder = -1;
};

struct Conditional {
    bool wasActive;  // whether the lines around the #if are kept
    bool active;
    bool taken;
    bool hadElse;
    int line;
};

// What tells two includes of one file apart from includes of two files, for #pragma once.
std::string FileKey(const std::filesystem::path& path);

class Preprocessor::Impl {
public:
    Impl(PreprocessOptions options, FileReader reader);

    PreprocessedScript Run(std::string text, const std::filesystem::path& path, const std::string& name);

private:
    [[noreturn]] void Fail(const SourceFile& file, int line, LocalText message) {
        throw ScriptError(m_script.files[static_cast<std::size_t>(file.index)], line, std::move(message));
    }

    void DefineFromCommandLine(const std::string& definition);
    void Process(SourceFile& file, int depth);
    bool ReadLogicalLine(SourceFile& file, LogicalLine& line);
    void Directive(SourceFile& file, const LogicalLine& line, std::string_view name, std::string_view argument,
                   int depth);
    void Include(SourceFile& file, const LogicalLine& line, std::string_view argument, int depth, bool next = false);
    void Define(SourceFile& file, const LogicalLine& line, std::string_view text);
    void Pragma(SourceFile& file, const LogicalLine& line, std::string_view text);
    void LineMarker(SourceFile& file, const LogicalLine& line, std::string_view number, std::string_view rest);
    bool EvaluateCondition(SourceFile& file, const LogicalLine& line, std::string_view text);
    void EndLines(int count);
    void Emit(std::string_view text);
    void LeaveInPlace();
    void SetCodePage(std::uint32_t codePage) { SetCodePageFrom(m_outputLine, codePage); }
    void SetCodePageFrom(int outputLine, std::uint32_t codePage);
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
    // The table of the current code page when it has lead bytes, whose trail byte may be a '\\' or a quote's
    // neighbour: text is then scanned a character at a time. Null otherwise.
    const CodePageTable* m_pairs = nullptr;
    Macro m_fileMacro;  // __FILE__ and __LINE__, whose bodies change with the place they are expanded at
    Macro m_lineMacro;
    int m_outputLine = 1;
    SourceFile* m_inPlace = nullptr;  // the script, while its output is written over it
    std::size_t m_written = 0;        // bytes of output written over it
    std::string m_scratch;
    std::vector<const Macro*> m_active;
    // The place of the error met while expanding, for the callbacks that have no file at hand.
    const SourceFile* m_currentFile = nullptr;
    int m_currentLine = 0;
};

}  // namespace brcc
