// As Microsoft's C compiler (and clang targeting it, which llvm-rc runs) defines them: the headers pick their
// declarations by these, and a header that finds none stops with #error.
#include "brcc32/preprocessor/target_macros.h"

namespace brcc {

std::vector<std::string> TargetMacros(Machine machine) {
    std::vector<std::string> macros = {"_WIN32=1", "_MSC_VER=1900", "_MSC_EXTENSIONS=1", "_INTEGRAL_MAX_BITS=64"};
    // The limits gcc's and clang's own <limits.h> and <stdint.h> are written with, found in GNU's dialect where the
    // target's gcc keeps them; these are the values both compilers give a Windows target.
    macros.insert(macros.end(),
                  {"__CHAR_BIT__=8", "__SCHAR_MAX__=0x7f", "__SHRT_MAX__=0x7fff", "__INT_MAX__=0x7fffffff",
                   "__LONG_MAX__=0x7fffffffL", "__LONG_LONG_MAX__=0x7fffffffffffffffLL", "__WCHAR_MAX__=0xffff",
                   "__WCHAR_MIN__=0", "__SIZEOF_INT__=4", "__SIZEOF_LONG__=4", "__SIZEOF_LONG_LONG__=8",
                   "__SIZEOF_SHORT__=2", "__SIZEOF_WCHAR_T__=2"});
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
