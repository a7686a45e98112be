// As Microsoft's C compiler (and clang targeting it, which llvm-rc runs) defines them: the headers pick their
// declarations by these, and a header that finds none stops with #error.
#include "brcc32/preprocessor/target_macros.h"

namespace brcc {

std::vector<std::string> TargetMacros(Machine machine) {
    std::vector<std::string> macros = {"_WIN32=1", "_MSC_VER=1900", "_MSC_EXTENSIONS=1", "_INTEGRAL_MAX_BITS=64"};
    switch (machine) {
        case Machine::kX86:
            macros.emplace_back("_M_IX86=600");
            break;
        case Machine::kX64:
            macros.insert(macros.end(), {"_WIN64=1", "_M_X64=100", "_M_AMD64=100"});
            break;
        case Machine::kArm64:
            macros.insert(macros.end(), {"_WIN64=1", "_M_ARM64=1"});
            break;
    }
    return macros;
}

}  // namespace brcc
