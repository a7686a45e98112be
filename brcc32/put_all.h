// Writing to a stream that may take fewer bytes than it is given: a full disk, a closed pipe.
#pragma once

#include <cstdint>
#include <span>
#include <streambuf>
#include <string_view>

namespace brcc {

// Whether `out` took every byte; the caller says what failed to be written.
inline bool PutAll(std::streambuf& out, std::string_view bytes) {
    return out.sputn(bytes.data(), static_cast<std::streamsize>(bytes.size())) ==
           static_cast<std::streamsize>(bytes.size());
}

inline bool PutAll(std::streambuf& out, std::span<const std::uint8_t> bytes) {
    return PutAll(out, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace brcc
