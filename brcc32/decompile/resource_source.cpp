// The file's headers or directory, read and checked by the readers of resources, with the data left in the file.
#include "brcc32/decompile/resource_source.h"

namespace brcc {
namespace {

LocatedResources Locate(ByteSource& file, ResourceFileFormat format) {
    if (format == ResourceFileFormat::kRes) {
        // Its headers lie between the data: pages of them would hold the whole file.
        return LocateResources(file, format);
    }
    // The directory's pages go once it is read.
    PagedByteSource pages(file);
    return LocateResources(pages, format);
}

}  // namespace

FileResourceSource::FileResourceSource(const std::filesystem::path& path, ResourceFileFormat format)
    : m_file(path), m_located(Locate(m_file, format)) {}

ResEntry FileResourceSource::Load(std::size_t index, std::vector<std::uint8_t>& buffer) {
    const ByteRange& data = m_located.data[index];
    buffer.resize(static_cast<std::size_t>(data.size));
    m_file.Read(data.offset, buffer);
    ResEntry entry = m_located.entries[index];
    entry.data = buffer;
    return entry;
}

}  // namespace brcc
