// Writes resources as a COFF object that Microsoft's and GNU's linkers put in an executable's .rsrc section.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>
#include <string>
#include <vector>

#include "brcc32/machine.h"
#include "brcc32/messages.h"
#include "brcc32/output/buffered_output.h"
#include "brcc32/output/resource_directory.h"

namespace brcc {

// Which linkers read the object. Microsoft's link and lld-link take the two sections Microsoft's converter writes;
// GNU ld merges the resources of several objects only when each holds them in one .rsrc section, as GNU windres
// writes them: of two objects in Microsoft's layout it keeps one object's resources and says nothing.
enum class CoffStyle { kMicrosoft, kGnu };

// Takes a .res file as a stream and writes the COFF object to `out` as the bytes arrive.
// Microsoft's layout: each resource's data goes out at once, so a large .res is never held whole. The object holds
// two sections: .rsrc$01, the resource directory (tables, names, data descriptions) with one relocation per resource,
// and .rsrc$02, the data, each resource on 8 bytes. The data section comes first in the file, as only it can be
// written before every resource is known.
// GNU's layout: one section, .rsrc, the directory first (GNU ld reads each object's part from its start) then the
// data, which is held until the directory is known.
// `out` must be seekable, as the headers are written last.
class CoffWriter : public std::streambuf {
public:
    CoffWriter(std::streambuf& out, Machine machine, CoffStyle style = CoffStyle::kMicrosoft);

    // After the whole .res: writes the directory, relocations, symbols and headers. Throws LocalizedError when
    // the bytes were no .res file, when two resources have the same type, name and language, or when `out` refuses
    // bytes.
    void Finish();

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int_type overflow(int_type c) override;

private:
    void Take(std::span<const std::uint8_t> bytes);
    void EndHeader(std::span<const std::uint8_t> header);
    void PutData(std::span<const std::uint8_t> bytes);
    void PutDataZeros(std::size_t count);
    void FinishMicrosoft();
    void FinishGnu();

    BufferedOutput m_out;
    Machine m_machine;
    CoffStyle m_style;
    std::vector<std::uint8_t> m_heldData;  // GNU's layout: the data section until the directory is written
    bool m_failed = false;                 // a write refused: Finish reports it
    LocalText m_error;
    // The .res as it streams by: a header being gathered, then the data to copy, then the .res padding to skip.
    std::vector<std::uint8_t> m_header;
    std::uint32_t m_headerSize = 0;
    std::uint32_t m_dataLeft = 0;
    std::uint32_t m_dataSize = 0;
    std::uint32_t m_padLeft = 0;
    bool m_first = true;
    ResourceDirectory m_directory;
    std::uint64_t m_dataSectionSize = 0;
};

}  // namespace brcc
