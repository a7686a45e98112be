// Turns each parsed statement into resources: icons and cursors split into images and a group, the rest copied.
#include "brcc32/resource_compiler.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <exception>

#include "brcc32/byte_order.h"
#include "brcc32/encode/encode.h"
#include "brcc32/files/bitmap_file.h"
#include "brcc32/files/font_file.h"
#include "brcc32/files/icon_file.h"
#include "brcc32/files/input_file.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kCopyChunk = 1 << 16;
constexpr std::size_t kGroupHeaderSize = 6;
constexpr std::size_t kGroupEntrySize = 14;
constexpr std::uint16_t kGroupFlags = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint32_t kMaxImageId = 0xFFFF;
constexpr std::uint64_t kMaxDataSize = 0xFFFFFFF0u;
constexpr std::size_t kStringsPerBundle = 16;
constexpr std::uint16_t kFontDirectoryFlags = kMemMoveable | kMemPure | kMemDiscardable;

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

LocalText DescribeType(const ResourceId& type) {
    if (!type.isOrdinal) {
        return LocalText::Verbatim(type.text);
    }
    switch (type.ordinal) {
        case kTypeCursor:
            return Compose(msg::kCursorImage);
        case kTypeBitmap:
            return LocalText::Verbatim("BITMAP");
        case kTypeIcon:
            return Compose(msg::kIconImage);
        case kTypeRcData:
            return LocalText::Verbatim("RCDATA");
        case kTypeGroupCursor:
            return LocalText::Verbatim("CURSOR");
        case kTypeGroupIcon:
            return LocalText::Verbatim("ICON");
        case kTypeStringTable:
            return LocalText::Verbatim("STRINGTABLE");
        case kTypeVersionInfo:
            return LocalText::Verbatim("VERSIONINFO");
        case kTypeAniCursor:
            return LocalText::Verbatim("ANICURSOR");
        case kTypeAniIcon:
            return LocalText::Verbatim("ANIICON");
        case kTypeToolbar:
            return LocalText::Verbatim("TOOLBAR");
        default:
            return Compose(msg::kTypeNumber, {std::to_string(type.ordinal)});
    }
}

// A RIFF file of form ACON: an animated cursor or icon, whichever statement names it.
bool IsAnimation(std::span<const std::uint8_t> file) {
    static constexpr std::string_view kRiff = "RIFF";
    static constexpr std::string_view kAcon = "ACON";
    return file.size() >= 12 && std::equal(kRiff.begin(), kRiff.end(), file.begin()) &&
           std::equal(kAcon.begin(), kAcon.end(), file.begin() + 8);
}

// A file the script names, or the bytes a Borland hex block gave in its place.
StagedFile TakeFile(const ResourceStatement& statement, FileReadAhead& files) {
    return statement.isInline ? StagedFile(FileBytes(statement.data.begin(), statement.data.end())) : files.Take();
}

// The same, refused when it is too large to be one resource's data.
StagedFile TakeDataFile(const ResourceStatement& statement, FileReadAhead& files) {
    StagedFile file = TakeFile(statement, files);
    if (file.Size() > kMaxDataSize) {
        throw FileAccessError(Compose(msg::kTooLargeForResource));
    }
    return file;
}

std::string HexLanguage(std::uint16_t language) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(language));
    return text;
}

}  // namespace

std::string DescribeId(const ResourceId& id) { return id.isOrdinal ? std::to_string(id.ordinal) : id.text; }

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

void ResourceCompiler::Compile(std::string_view scriptText, CodePageChanges codePages) {
    ScriptParser parser(scriptText, std::move(codePages));
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
                    if (m_namedFiles != nullptr) {
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
            throw ScriptError(statement.fileLine, Compose(msg::kCannotReadFile, {statement.file, error.Text()}));
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

void ResourceCompiler::CopyData(StagedFile& file) {
    if (file.Left() == 0) {
        return;  // the data may be complete and padded already: a bitmap can fit in its first bytes checked
    }
    if (file.Left() <= kCopyChunk) {
        m_writer.WriteData(file.TakeRest());
        return;
    }
    m_chunk.resize(kCopyChunk);
    for (std::uint64_t left = file.Left(); left > 0;) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyChunk));
        file.Read(std::span(m_chunk.data(), piece));
        m_writer.WriteData(std::span(m_chunk.data(), piece));
        left -= piece;
    }
}

void ResourceCompiler::CompileIconOrCursor(const ResourceStatement& statement, FileReadAhead& files) {
    const bool isIcon = statement.kind == ResourceKind::kIcon;
    // Claimed before the file is read, whatever it turns out to hold: a duplicate name is the error to report.
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    const FileBytes file = TakeFile(statement, files).TakeRest();
    if (IsAnimation(file)) {
        CompileAnimation(statement, file);
        return;
    }
    const std::vector<IconImage> images = ReadIconFile(file, isIcon ? IconFileKind::kIcon : IconFileKind::kCursor);
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (images[i].overstatedSize != 0) {
            Warn(statement.fileLine, Compose(msg::kOverstatedImage, {statement.file, std::to_string(i + 1),
                                                                     std::to_string(images[i].overstatedSize),
                                                                     std::to_string(images[i].data.size())}));
        }
    }
    if (m_nextImageId + images.size() - 1 > kMaxImageId) {
        throw ScriptError(statement.fileLine, Compose(msg::kTooManyImages));
    }

    const ResourceId imageType = ResourceId::Ordinal(isIcon ? kTypeIcon : kTypeCursor);
    const std::uint32_t firstId = m_nextImageId;
    for (const IconImage& image : images) {
        const ResourceId imageName = ResourceId::Ordinal(static_cast<std::uint16_t>(m_nextImageId++));
        Claim(imageType, imageName, statement.language, statement.nameLine);
        if (isIcon) {
            m_writer.WriteResource(imageType, imageName, statement.memoryFlags, statement.language, image.data);
            continue;
        }
        if (image.data.size() > kMaxDataSize) {
            throw FileFormatError(Compose(msg::kImageTooLarge));
        }
        std::uint8_t hotspot[4];
        WriteU16(hotspot, image.hotspotX);
        WriteU16(hotspot + 2, image.hotspotY);
        m_writer.WriteHeader(imageType, imageName, statement.memoryFlags, statement.language,
                             static_cast<std::uint32_t>(image.data.size() + sizeof hotspot));
        m_writer.WriteData(hotspot);
        m_writer.WriteData(image.data);
    }

    std::vector<std::uint8_t> group(kGroupHeaderSize + kGroupEntrySize * images.size());
    WriteU16(group.data() + 2, isIcon ? 1 : 2);
    WriteU16(group.data() + 4, static_cast<std::uint16_t>(images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        std::uint8_t* entry = group.data() + kGroupHeaderSize + kGroupEntrySize * i;
        if (isIcon) {
            entry[0] = image.width;
            entry[1] = image.height;
            entry[2] = image.colorCount;
            entry[3] = image.reserved;
            WriteU32(entry + 8, static_cast<std::uint32_t>(image.data.size()));
        } else {
            // A cursor's bitmap holds the AND and XOR masks one above the other: twice the cursor's height.
            WriteU16(entry, image.width);
            WriteU16(entry + 2, static_cast<std::uint16_t>(image.height * 2));
            WriteU32(entry + 8, static_cast<std::uint32_t>(image.data.size() + 4));
        }
        WriteU16(entry + 4, image.planes);
        WriteU16(entry + 6, image.bitCount);
        WriteU16(entry + 12, static_cast<std::uint16_t>(firstId + i));
    }
    std::uint16_t groupFlags = kGroupFlags;
    if (statement.memoryFlags & kMemPreload) {
        groupFlags = static_cast<std::uint16_t>((groupFlags | kMemPreload) & ~kMemPure);
    }
    m_writer.WriteResource(statement.type, statement.name, groupFlags, statement.language, group);
}

// Windows loads an animated cursor or icon whole from its own resource type: there is nothing to split.
void ResourceCompiler::CompileAnimation(const ResourceStatement& statement, const FileBytes& file) {
    const ResourceId type = ResourceId::Ordinal(statement.kind == ResourceKind::kIcon ? kTypeAniIcon : kTypeAniCursor);
    Claim(type, statement.name, statement.language, statement.nameLine);
    if (file.size() > kMaxDataSize) {
        throw FileAccessError(Compose(msg::kTooLargeForResource));
    }
    m_writer.WriteResource(type, statement.name, statement.memoryFlags, statement.language, file);
}

void ResourceCompiler::CompileBitmap(const ResourceStatement& statement, FileReadAhead& files) {
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    StagedFile file = TakeDataFile(statement, files);
    std::uint8_t probe[kBitmapProbeSize];
    const std::size_t probeSize = static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), sizeof probe));
    file.Read(std::span(probe, probeSize));
    CheckBitmapFile(std::span(probe, probeSize), file.Size());
    const std::uint64_t dataSize = file.Size() - kBitmapFileHeaderSize;
    m_writer.WriteHeader(statement.type, statement.name, statement.memoryFlags, statement.language,
                         static_cast<std::uint32_t>(dataSize));
    m_writer.WriteData(std::span(probe + kBitmapFileHeaderSize, probeSize - kBitmapFileHeaderSize));
    CopyData(file);
}

void ResourceCompiler::CompileRaw(const ResourceStatement& statement, FileReadAhead& files) {
    if (statement.type.isOrdinal && statement.type.ordinal == kTypeFont) {
        CompileFont(statement, files);
        return;
    }
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    StagedFile file = TakeDataFile(statement, files);
    m_writer.WriteHeader(statement.type, statement.name, statement.memoryFlags, statement.language,
                         static_cast<std::uint32_t>(file.Size()));
    CopyData(file);
}

void ResourceCompiler::CompileFont(const ResourceStatement& statement, FileReadAhead& files) {
    if (!statement.name.isOrdinal) {
        throw ScriptError(statement.nameLine, Compose(msg::kFontNeedsNumber, {statement.name.text}));
    }
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    StagedFile file = TakeDataFile(statement, files);
    const FileBytes font = file.TakeRest();
    const std::vector<std::uint8_t> entry = ReadFontDirEntry(font);
    if (m_fontCount == 0xFFFF) {
        throw ScriptError(statement.nameLine, Compose(msg::kTooManyFonts));
    }
    if (m_fontCount++ == 0) {
        m_fontDirectory.assign(2, 0);
        m_fontDirectoryLanguage = statement.language;
        m_fontDirectoryLine = statement.nameLine;
    }
    PutU16(m_fontDirectory, statement.name.ordinal);
    m_fontDirectory.insert(m_fontDirectory.end(), entry.begin(), entry.end());
    m_writer.WriteResource(statement.type, statement.name, statement.memoryFlags, statement.language, font);
}

// After every other resource, as it can only be written once every font is known.
void ResourceCompiler::WriteFontDirectory() {
    if (m_fontCount == 0) {
        return;
    }
    WriteU16(m_fontDirectory.data(), m_fontCount);
    const ResourceId type = ResourceId::Ordinal(kTypeFontDirectory);
    const ResourceId name = ResourceId::Text("FONTDIR");
    Claim(type, name, m_fontDirectoryLanguage, m_fontDirectoryLine);
    m_writer.WriteResource(type, name, kFontDirectoryFlags, m_fontDirectoryLanguage, m_fontDirectory);
}

void ResourceCompiler::CompileData(const ResourceStatement& statement) {
    // Encoded before its name is claimed: a structure over its size limit is the fault to report, as it is met first.
    const std::optional<std::vector<std::uint8_t>> encoded = EncodeBody(statement.body);
    Claim(statement.type, statement.name, statement.language, statement.nameLine);
    m_writer.WriteResource(statement.type, statement.name, statement.memoryFlags, statement.language,
                           encoded ? *encoded : statement.data, statement.version, statement.characteristics);
}

void ResourceCompiler::AddStrings(const ResourceStatement& statement) {
    for (const ResourceStatement::String& string : statement.strings) {
        const auto name = static_cast<std::uint16_t>((string.id >> 4) + 1);
        const std::uint32_t key = static_cast<std::uint32_t>(name) << 16 | statement.language;
        auto [found, added] = m_bundleIndex.try_emplace(key, m_bundles.size());
        if (added) {
            Claim(ResourceId::Ordinal(kTypeStringTable), ResourceId::Ordinal(name), statement.language, string.line);
            m_bundles.push_back({name,
                                 statement.language,
                                 statement.memoryFlags,
                                 statement.version,
                                 statement.characteristics,
                                 {},
                                 {}});
        }
        StringBundle& bundle = m_bundles[found->second];
        const std::size_t slot = string.id % kStringsPerBundle;
        if (bundle.strings[slot]) {
            throw ScriptError(
                string.line, Compose(msg::kDuplicateString, {std::to_string(string.id), HexLanguage(statement.language),
                                                             std::to_string(bundle.lines[slot])}));
        }
        // The length is 16 bits, and counts the NUL that /n adds.
        if (string.text.size() > (m_settings.nullTerminateStrings ? 0xFFFEu : 0xFFFFu)) {
            throw ScriptError(string.line, Compose(msg::kStringTooLong, {std::to_string(string.id)}));
        }
        bundle.strings[slot] = string.text;
        bundle.lines[slot] = string.line;
    }
}

void ResourceCompiler::WriteStringTables() {
    std::vector<std::uint8_t> data;
    for (const StringBundle& bundle : m_bundles) {
        data.clear();
        for (const std::optional<std::u16string>& string : bundle.strings) {
            const std::u16string_view text = string ? std::u16string_view(*string) : std::u16string_view();
            const bool terminate = string && m_settings.nullTerminateStrings;
            PutU16(data, static_cast<std::uint32_t>(text.size() + (terminate ? 1 : 0)));
            PutUtf16(data, text, terminate);
        }
        m_writer.WriteResource(ResourceId::Ordinal(kTypeStringTable), ResourceId::Ordinal(bundle.name),
                               bundle.memoryFlags, bundle.language, data, bundle.version, bundle.characteristics);
    }
}

void CompileScript(const std::filesystem::path& script, std::streambuf& out, const PreprocessOptions& options,
                   const std::string& shownName, std::size_t readers, DiagnosticSink* diagnostics,
                   CompileRecord* record, const ScriptSettings& settings) {
    const std::string name = shownName.empty() ? PathToUtf8(script) : shownName;
    std::string bytes;
    try {
        bytes = ReadTextFile(script);
    } catch (const FileAccessError& error) {
        throw ScriptError(name, 0, Compose(msg::kCannotReadScript, {error.Text()}));
    }
    PreprocessedScript preprocessed = Preprocessor(options).Run(std::move(bytes), script, name);
    if (record != nullptr) {
        record->headers = preprocessed.includedPaths;
    }
    // What the stages after the preprocessor say of a line of its text is said of the line of the file it came from.
    struct PlaceWarnings {
        DiagnosticSink* diagnostics;
        const PreprocessedScript& preprocessed;
        ~PlaceWarnings() {
            if (diagnostics == nullptr) {
                return;
            }
            for (Diagnostic& diagnostic : diagnostics->Diagnostics()) {
                if (diagnostic.file.empty() && diagnostic.line > 0) {
                    const PreprocessedScript::Place place = preprocessed.Locate(diagnostic.line);
                    diagnostic.file = *place.file;
                    diagnostic.line = place.line;
                }
            }
        }
    } placeWarnings{diagnostics, preprocessed};
    try {
        ResourceCompiler compiler(script.parent_path(), out, readers, options.includeFolders, diagnostics);
        compiler.RecordNamedFiles(record != nullptr ? &record->namedFiles : nullptr);
        compiler.UseSettings(settings);
        compiler.Compile(preprocessed.text, std::move(preprocessed.codePages));
    } catch (const ScriptError& error) {
        if (error.IsPlaced() || error.Line() <= 0) {
            throw;
        }
        const PreprocessedScript::Place place = preprocessed.Locate(error.Line());
        throw ScriptError(*place.file, place.line, error.Text());
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
}

void CompileScriptFile(const std::filesystem::path& script, const std::filesystem::path& output,
                       const PreprocessOptions& options, const std::string& shownName, std::size_t readers,
                       DiagnosticSink* diagnostics) {
    const std::string name = shownName.empty() ? PathToUtf8(script) : shownName;
    std::optional<AtomicFile> out;
    try {
        out.emplace(output);
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
    CompileScript(script, out->Stream(), options, name, readers, diagnostics);
    try {
        out->Commit();
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
}

}  // namespace brcc
