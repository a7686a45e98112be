// The resources a script takes from files: icons and cursors split into images and a group, animations, bitmaps,
// fonts and their directory, and other files copied whole.
#include <algorithm>

#include "brcc32/byte_order.h"
#include "brcc32/files/bitmap_file.h"
#include "brcc32/files/font_file.h"
#include "brcc32/files/icon_file.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

constexpr std::size_t kCopyChunk = 1 << 16;
constexpr std::uint16_t kGroupFlags = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint32_t kMaxImageId = 0xFFFF;
constexpr std::uint64_t kMaxDataSize = 0xFFFFFFF0u;
constexpr std::uint16_t kFontDirectoryFlags = kMemMoveable | kMemPure | kMemDiscardable;

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

}  // namespace

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

    const std::vector<std::uint8_t> group =
        EncodeIconGroup(images, isIcon ? IconFileKind::kIcon : IconFileKind::kCursor, firstId);
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
        throw ScriptError(statement.nameLine, Compose(msg::kFontNeedsNumber, {DescribeId(statement.name)}));
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

}  // namespace brcc
