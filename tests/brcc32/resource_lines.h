// Resources as comparable lines, from a .res file or from llvm-readobj's report on an object or an executable.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace brcc::test {

// One resource a line, "TYPE NAME LANGUAGE HEXBYTES" with ordinals as #N, sorted.
using ResourceLines = std::vector<std::string>;

ResourceLines LinesOfRes(const std::vector<std::uint8_t>& res);
ResourceLines LinesOfReadobj(const std::string& report);
// llvm-readobj --coff-resources on `file` in `folder`.
ResourceLines ReadBackResources(const std::filesystem::path& folder, const std::string& file);
// A command's standard output; a failure is reported to the running test.
std::string Capture(const std::filesystem::path& folder, const std::string& command);

}  // namespace brcc::test
