// The file's headers or directory, read and checked by the readers of resources, with the data left in the file.
#include "brcc32/input/resource_source.h"

#include <algorithm>
#include <array>

#include "brcc32/message_catalogue.h"
#include "brcc32/put_all.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

// A .res file's headers lie between the data, read in turn through the window: pages of them would hold the whole
// file. A directory is read all over: its pages, read once each, go once it is read.
LocatedResources Locate(ByteSource& file, ReadAheadByteSource& ahead, ResourceFileFormat format) {
    // "MZ" starts an executable, even one too damaged for the sniffer: its reader then says what is wrong.
    if (format == ResourceFileFormat::kCoff && file.Size() >= 2 &&
        ReadArray<2>(file, 0) == std::array<std::uint8_t, 2>{'M', 'Z'}) {
        format = ResourceFileFormat::kPe;
    }
    if (format == ResourceFileFormat::kRes) {
        return LocateResources(ahead, format);
    }
    PagedByteSource pages(file);
    return LocateResources(pages, format);
}

}  // namespace

FileResourceSource::FileResourceSource(const std::filesystem::path& path, ResourceFileFormat format)
    : m_file(std::make_unique<FileByteSource>(path)), m_located(Locate(*m_file, m_ahead, format)) {}

FileResourceSource::FileResourceSource(std::vector<std::uint8_t> bytes, ResourceFileFormat format)
    : m_held(std::move(bytes)),
      m_file(std::make_unique<MemoryByteSource>(m_held)),
      m_located(Locate(*m_file, m_ahead, format)) {}

ResEntry FileResourceSource::Load(std::size_t index, std::vector<std::uint8_t>& buffer) {
    const ByteRange& data = m_located.data[index];
    buffer.resize(static_cast<std::size_t>(data.size));
    m_ahead.Read(data.offset, buffer);
    ResEntry entry = m_located.entries[index];
    entry.data = buffer;
    return entry;
}

void FileResourceSource::CopyTo(std::streambuf& out) {
    constexpr std::uint64_t kPiece = 1 << 18;
    std::vector<std::uint8_t> piece;
    for (std::uint64_t at = 0; at < m_file->Size(); at += kPiece) {
        piece.resize(static_cast<std::size_t>(std::min(kPiece, m_file->Size() - at)));
        m_file->Read(at, piece);
        if (!PutAll(out, piece)) {
            throw LocalizedError(Compose(msg::kOutputNotWritten));
        }
    }
}

}  // namespace brcc
