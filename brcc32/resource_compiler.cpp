// Turns each parsed statement into resources: the driver that reads statements ahead of their files, and the
// resources written from the script alone.
#include "brcc32/resource_compiler.h"

#include <cstdio>
#include <deque>
#include <exception>

#include "brcc32/encode/encode.h"
#include "brcc32/files/input_file.h"
#include "brcc32/script_error.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

const MessageText& NotValidFile(const ResourceStatement& statement) {
    switch (statement.kind) {
        case ResourceKind::kIcon:
            return msg::kNotValidIcon;
        case ResourceKind::kCursor:
            return msg::kNotValidCursor;
        case ResourceKind::kBitmap:
            return msg::kNotValidBitmap;
        case ResourceKind::kRaw:
            if (statement.type.isOrdinal && statement.type.ordinal == kTypeFont) {
                return msg::kNotValidFont;
            }
            break;
        case ResourceKind::kData:
        case ResourceKind::kStrings:
            break;
    }
    return msg::kNotValidData;
}

// The types a script names by a keyword, named by it in messages.
struct TypeKeyword {
    std::uint16_t ordinal;
    const char* keyword;
};
constexpr TypeKeyword kTypeKeywords[] = {
    {kTypeBitmap, "BITMAP"},       {kTypeRcData, "RCDATA"},           {kTypeGroupCursor, "CURSOR"},
    {kTypeGroupIcon, "ICON"},      {kTypeStringTable, "STRINGTABLE"}, {kTypeVersionInfo, "VERSIONINFO"},
    {kTypeAniCursor, "ANICURSOR"}, {kTypeAniIcon, "ANIICON"},         {kTypeToolbar, "TOOLBAR"},
};

LocalText DescribeType(const ResourceId& type) {
    if (!type.isOrdinal) {
        return LocalText::Verbatim(ToUtf8(type.text));
    }
    // A single image of an icon or cursor has no keyword of its own: it is described in words.
    if (type.ordinal == kTypeCursor) {
        return Compose(msg::kCursorImage);
    }
    if (type.ordinal == kTypeIcon) {
        return Compose(msg::kIconImage);
    }
    for (const TypeKeyword& known : kTypeKeywords) {
        if (known.ordinal == type.ordinal) {
            return LocalText::Verbatim(known.keyword);
        }
    }
    return Compose(msg::kTypeNumber, {std::to_string(type.ordinal)});
}

}  // namespace

std::string DescribeId(const ResourceId& id) { return id.isOrdinal ? std::to_string(id.ordinal) : ToUtf8(id.text); }

std::string HexLanguage(std::uint16_t language) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(language));
    return text;
}

ResourceCompiler::ResourceCompiler(std::filesystem::path baseFolder, std::streambuf& out, std::size_t readers,
                                   std::vector<std::filesystem::path> searchFolders, DiagnosticSink* diagnostics)
    : m_baseFolder(std::move(baseFolder)),
      m_searchFolders(std::move(searchFolders)),
      m_diagnostics(diagnostics),
      m_readers(readers),
      m_writer(out) {}

void ResourceCompiler::Warn(int line, LocalText text) {
    if (m_diagnostics != nullptr) {
        m_diagnostics->Warn("", line, std::move(text));
    }
}

void ResourceCompiler::Compile(std::string_view scriptText, CodePageChanges codePages,
                               std::vector<CodePageOrigin> codePageOrigins) {
    ScriptParser parser(scriptText, std::move(codePages));
    parser.SetCodePageOrigins(std::move(codePageOrigins));
    parser.SetDiagnostics(m_diagnostics);
    parser.SetDefaultLanguage(m_settings.language);
    FileReadAhead files(m_baseFolder, m_readers, m_searchFolders);
    // The statements whose files are in `files`. The parser runs ahead of the compilation, but an error it meets
    // waits its turn: an error of an earlier statement's file is the one to report.
    std::deque<ResourceStatement> statements;
    std::exception_ptr parseError;
    bool parsed = false;
    while (true) {
        while (!parsed && !files.IsFull()) {
            try {
                std::optional<ResourceStatement> statement = parser.Next();
                if (!statement) {
                    parsed = true;
                    break;
                }
                if (statement->kind != ResourceKind::kData && statement->kind != ResourceKind::kStrings &&
                    !statement->isInline) {
                    files.Add(statement->file);
                    if (m_namedFiles != nullptr && m_namedSeen.insert(statement->file).second) {
                        m_namedFiles->push_back(statement->file);
                    }
                }
                statements.push_back(std::move(*statement));
            } catch (const ScriptError&) {
                parseError = std::current_exception();
                parsed = true;
            }
        }
        if (statements.empty()) {
            break;
        }
        const ResourceStatement statement = std::move(statements.front());
        statements.pop_front();
        try {
            switch (statement.kind) {
                case ResourceKind::kIcon:
                case ResourceKind::kCursor:
                    CompileIconOrCursor(statement, files);
                    break;
                case ResourceKind::kBitmap:
                    CompileBitmap(statement, files);
                    break;
                case ResourceKind::kRaw:
                    CompileRaw(statement, files);
                    break;
                case ResourceKind::kData:
                    CompileData(statement);
                    break;
                case ResourceKind::kStrings:
                    AddStrings(statement);
                    break;
            }
        } catch (const FileFormatError& error) {
            throw ScriptError(statement.fileLine, Compose(NotValidFile(statement), {statement.file, error.Text()}));
        } catch (const FileAccessError& error) {
            // The name as it was looked for: a separator for each backslash, one for a doubled one.
            std::string looked;
            for (const char c : statement.file) {
                const bool separator = c == '\\' || c == '/';
                if (!separator || looked.empty() || looked.back() != '/') {
                    looked += separator ? '/' : c;
                }
            }
            if (looked == statement.file) {
                throw ScriptError(statement.fileLine, Compose(msg::kCannotReadFile, {statement.file, error.Text()}));
            }
            throw ScriptError(statement.fileLine,
                              Compose(msg::kCannotReadFileLookedFor, {looked, statement.file, error.Text()}));
        }
    }
    if (parseError) {
        std::rethrow_exception(parseError);
    }
    WriteStringTables();
    WriteFontDirectory();
    m_writer.Finish();
}

void ResourceCompiler::Claim(const ResourceId& type, const ResourceId& name, std::uint16_t language, int line) {
    if (const std::optional<int> earlier = m_definitions.Define(type, name, language, line)) {
        throw ScriptError(line, Compose(msg::kDuplicateResource, {DescribeType(type), DescribeId(name),
                                                                  HexLanguage(language), std::to_string(*earlier)}));
    }
}

void ResourceCompiler::CompileData(const ResourceStatement& statement) {
    // Encoded before its name is claimed: a structure over its size limit is the fault to report, as it is met first.
    const std::optional<std::vector<std::uint8_t>> encoded = EncodeBody(statement.body);
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    m_writer.WriteResource(statement.type, statement.name, statement.memoryFlags, statement.language,
                           encoded ? *encoded : statement.data, statement.version, statement.characteristics);
}

}  // namespace brcc
