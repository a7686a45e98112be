// Machine names as the three families of tools spell them.
#include "brcc32/machine.h"

#include <array>
#include <string>

#include "brcc32/text/ascii_case.h"

namespace brcc {
namespace {

struct MachineSpelling {
    std::string_view name;
    Machine machine;
};

constexpr std::array kSpellings = {
    MachineSpelling{"x86", Machine::kX86},       MachineSpelling{"i386", Machine::kX86},
    MachineSpelling{"i486", Machine::kX86},      MachineSpelling{"i586", Machine::kX86},
    MachineSpelling{"i686", Machine::kX86},      MachineSpelling{"x64", Machine::kX64},
    MachineSpelling{"amd64", Machine::kX64},     MachineSpelling{"x86-64", Machine::kX64},
    MachineSpelling{"x86_64", Machine::kX64},    MachineSpelling{"arm64", Machine::kArm64},
    MachineSpelling{"aarch64", Machine::kArm64},
};

// How messages and macros name each machine, and the value a COFF header gives it.
struct MachineFacts {
    Machine machine;
    const char* name;
    std::uint16_t coffValue;
};

constexpr MachineFacts kMachines[] = {
    {Machine::kX86, "x86", 0x014C},
    {Machine::kX64, "x64", 0x8664},
    {Machine::kArm64, "arm64", 0xAA64},
};

const MachineFacts* FactsOf(Machine machine) {
    for (const MachineFacts& facts : kMachines) {
        if (facts.machine == machine) {
            return &facts;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<Machine> MachineFromName(std::string_view name) {
    const std::string lower = LowerAscii(name);
    for (const MachineSpelling& spelling : kSpellings) {
        if (lower == spelling.name) {
            return spelling.machine;
        }
    }
    return std::nullopt;
}

std::optional<Machine> MachineFromTarget(std::string_view target) {
    std::string lower = LowerAscii(target);
    // GNU target names: pe-i386, pei-x86-64, pe-bigobj-x86-64, pe-aarch64-little.
    for (const std::string_view prefix : {"pe-bigobj-", "pei-", "pe-"}) {
        if (lower.starts_with(prefix)) {
            lower.erase(0, prefix.size());
            break;
        }
    }
    // The longest spelling that the name starts with: x86-64 before x86.
    const MachineSpelling* best = nullptr;
    for (const MachineSpelling& spelling : kSpellings) {
        const bool whole = lower == spelling.name;
        const bool component = lower.starts_with(spelling.name) && lower.size() > spelling.name.size() &&
                               lower[spelling.name.size()] == '-';
        if ((whole || component) && (best == nullptr || spelling.name.size() > best->name.size())) {
            best = &spelling;
        }
    }
    if (best != nullptr) {
        return best->machine;
    }
    return std::nullopt;
}

std::uint16_t CoffMachineValue(Machine machine) {
    const MachineFacts* facts = FactsOf(machine);
    return facts != nullptr ? facts->coffValue : 0;
}

const char* MachineName(Machine machine) {
    const MachineFacts* facts = FactsOf(machine);
    return facts != nullptr ? facts->name : "";
}

}  // namespace brcc
