// Compiles a resource script into a .res stream: the part of brcc32 between the command line and the files.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <streambuf>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "brcc32/definition_table.h"
#include "brcc32/diagnostic.h"
#include "brcc32/files/file_read_ahead.h"
#include "brcc32/output/res_writer.h"
#include "brcc32/preprocessor/preprocessor.h"
#include "brcc32/script/parser.h"

namespace brcc {

// What the command line sets for the script as a whole.
struct ScriptSettings {
    std::uint16_t language = kDefaultLanguage;  // before the first LANGUAGE line
    bool nullTerminateStrings = false;          // each STRINGTABLE string ends with a NUL, counted in its length
};

class ResourceCompiler {
public:
    // Relative file names in the script are taken from `baseFolder`, else from the first of `searchFolders` that
    // holds them. Up to `readers` threads read files ahead. Warnings go to `diagnostics`, with lines of the
    // preprocessed text.
    ResourceCompiler(std::filesystem::path baseFolder, std::streambuf& out, std::size_t readers = DefaultReaderCount(),
                     std::vector<std::filesystem::path> searchFolders = {}, DiagnosticSink* diagnostics = nullptr);

    // Throws ScriptError at the first fault; what was written to `out` by then is to be thrown away.
    // On success every byte has been handed to `out`. `scriptText` is preprocessed already.
    void Compile(std::string_view scriptText, CodePageChanges codePages = {},
                 std::vector<CodePageOrigin> codePageOrigins = {});

    // Each file the script names, as it names it, is added to `names` once (for dependency files and -v).
    void RecordNamedFiles(std::vector<std::string>* names) { m_namedFiles = names; }
    void UseSettings(const ScriptSettings& settings) { m_settings = settings; }

private:
    // Each takes the statement's file from `files` after its own checks, so that these come first.
    void CompileIconOrCursor(const ResourceStatement& statement, FileReadAhead& files);
    void CompileAnimation(const ResourceStatement& statement, const FileBytes& file);
    void CompileBitmap(const ResourceStatement& statement, FileReadAhead& files);
    void CompileRaw(const ResourceStatement& statement, FileReadAhead& files);
    void CompileFont(const ResourceStatement& statement, FileReadAhead& files);
    void CompileData(const ResourceStatement& statement);
    void AddStrings(const ResourceStatement& statement);
    void WriteStringTables();
    void WriteFontDirectory();
    void Claim(const ResourceId& type, const ResourceId& name, std::uint16_t language, int line);
    void CopyData(StagedFile& file);
    void Warn(int line, LocalText text);

    std::filesystem::path m_baseFolder;
    std::vector<std::filesystem::path> m_searchFolders;
    DiagnosticSink* m_diagnostics;  // not owned; may be null
    std::size_t m_readers;
    std::vector<std::string>* m_namedFiles = nullptr;
    std::unordered_set<std::string> m_namedSeen;  // what m_namedFiles holds: a script names the same file many times
    ScriptSettings m_settings;
    ResWriter m_writer;
    std::uint32_t m_nextImageId = 1;
    DefinitionTable m_definitions;
    std::vector<std::uint8_t> m_chunk;

    // Strings go into bundles of 16 by id and language, written after every other resource, in the order of their
    // first string.
    struct StringBundle {
        std::uint16_t name;
        std::uint16_t language;
        std::uint16_t memoryFlags;
        std::uint32_t version;
        std::uint32_t characteristics;
        std::array<std::optional<std::u16string>, 16> strings;
        std::array<int, 16> lines{};
    };
    std::vector<StringBundle> m_bundles;

    // The FONTDIR resource: a count, then each font's number and directory entry, in the order of the script.
    std::vector<std::uint8_t> m_fontDirectory;
    std::uint16_t m_fontCount = 0;
    std::uint16_t m_fontDirectoryLanguage = 0;
    int m_fontDirectoryLine = 0;
    std::unordered_map<std::uint32_t, std::size_t> m_bundleIndex;  // by name << 16 | language
};

// Reads `script`, preprocesses and compiles it, and replaces `output` only on success. Throws ScriptError, placed in
// the file it concerns; `shownName` is what messages call the script. `readers` as for ResourceCompiler: the
// benchmark compares a run without them. Warnings go to `diagnostics`, placed in their files too.
void CompileScriptFile(const std::filesystem::path& script, const std::filesystem::path& output,
                       const PreprocessOptions& options = {}, const std::string& shownName = "",
                       std::size_t readers = DefaultReaderCount(), DiagnosticSink* diagnostics = nullptr);

// The files a compilation read besides the script: headers as found, files the script names as it names them.
struct CompileRecord {
    std::vector<std::filesystem::path> headers;
    std::vector<std::string> namedFiles;
};

// CompileScriptFile to a stream: on a throw, what `out` received is to be thrown away. `record`, when given, is
// filled as the compilation goes.
void CompileScript(const std::filesystem::path& script, std::streambuf& out, const PreprocessOptions& options,
                   const std::string& shownName, std::size_t readers = DefaultReaderCount(),
                   DiagnosticSink* diagnostics = nullptr, CompileRecord* record = nullptr,
                   const ScriptSettings& settings = {});

// What to call a resource id in a message: 7 or WAVE.
std::string DescribeId(const ResourceId& id);
// What to call a language in a message: 0x0409.
std::string HexLanguage(std::uint16_t language);

}  // namespace brcc
