// The machines a compiled script can be linked for: they pick the COFF header and the predefined macros.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace brcc {

enum class Machine { kX86, kX64, kArm64 };

// x86, i386, x64, amd64, x86-64, x86_64, arm64, aarch64, in any case; the spellings the linkers and GNU targets use.
std::optional<Machine> MachineFromName(std::string_view name);
// The machine of a GNU target name (pe-i386, pei-x86-64, pe-aarch64-little...) or of a tool prefix
// (x86_64-w64-mingw32), by its first component.
std::optional<Machine> MachineFromTarget(std::string_view target);
std::uint16_t CoffMachineValue(Machine machine);
const char* MachineName(Machine machine);

}  // namespace brcc
