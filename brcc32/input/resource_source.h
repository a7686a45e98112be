// Where the decompiler and the converters take resources from: their headers all at once, each one's data only when
// it is written, so that a file of any size is written back in the memory of its directory and its largest resources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <streambuf>
#include <vector>

#include "brcc32/input/byte_source.h"
#include "brcc32/input/res_entry.h"
#include "brcc32/input/resource_input.h"

namespace brcc {

class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    // Each resource's type, name, flags, language, version and characteristics; its data may be left empty.
    virtual const std::vector<ResEntry>& Entries() const = 0;
    // The resource with its data, which lives in `buffer` or in the source, until the next call with `buffer`.
    virtual ResEntry Load(std::size_t index, std::vector<std::uint8_t>& buffer) = 0;
};

// A .res file read header by header, or a COFF object or an executable read through its directory; the data is read
// from the file when asked.
class FileResourceSource : public ResourceSource {
public:
    // kCoff takes an object or an executable, which "MZ" starts. Throws LocalizedError when the file is not of
    // `format` or is damaged, FileAccessError when it cannot be read.
    FileResourceSource(const std::filesystem::path& path, ResourceFileFormat format);
    // The same from bytes in memory already: the standard input's, which cannot be read at offsets, or a .res the
    // compiler has just made.
    FileResourceSource(std::vector<std::uint8_t> bytes, ResourceFileFormat format);
    const std::vector<ResEntry>& Entries() const override { return m_located.entries; }
    ResEntry Load(std::size_t index, std::vector<std::uint8_t>& buffer) override;
    // The file as it is, every byte of it, a piece at a time. Throws LocalizedError when `out` refuses bytes.
    void CopyTo(std::streambuf& out);

private:
    std::vector<std::uint8_t> m_held;
    std::unique_ptr<ByteSource> m_file;
    ReadAheadByteSource m_ahead{*m_file};  // for the headers of a .res and the data
    LocatedResources m_located;
};

}  // namespace brcc
