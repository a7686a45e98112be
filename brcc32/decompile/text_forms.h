// Each resource kind that the script language writes as text: its statement, from the bytes the encoder wrote.
// Each throws NotThisLayout where the bytes are no such structure; what it writes is checked by compiling it back.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace brcc {

// What every statement starts with: the name, the memory flag words, and VERSION / CHARACTERISTICS lines.
struct FormHead {
    std::string name;
    std::string flags;
    std::string options;
};

std::string DialogText(std::span<const std::uint8_t> data, const FormHead& head, bool& nonAscii);
std::string MenuText(std::span<const std::uint8_t> data, const FormHead& head, bool& nonAscii);
std::string AcceleratorsText(std::span<const std::uint8_t> data, const FormHead& head, bool& nonAscii);
std::string VersionInfoText(std::span<const std::uint8_t> data, const FormHead& head, bool& nonAscii);
std::string ToolbarText(std::span<const std::uint8_t> data, const FormHead& head);
std::string DlgIncludeText(std::span<const std::uint8_t> data, const FormHead& head, bool& nonAscii);
// A bundle of 16 strings; `bundle` is its resource name, the strings' ids being 16 * (bundle - 1) and on.
std::string StringTableText(std::span<const std::uint8_t> data, std::uint16_t bundle, const FormHead& head,
                            bool& nonAscii);

}  // namespace brcc
