// Both spellings of a machine (Microsoft's _M_ and GNU's __x__), as a script may test either.
#include "brcc32/preprocessor/predefined_macros.h"

namespace brcc {

std::vector<std::string_view> PredefinedMacros(Machine machine) {
    switch (machine) {
        case Machine::kX86:
            break;
        case Machine::kX64:
            return {"RC_INVOKED", "_WIN32", "_WIN64", "_M_X64=100", "_M_AMD64=100", "__x86_64__", "__amd64__"};
        case Machine::kArm64:
            return {"RC_INVOKED", "_WIN32", "_WIN64", "_M_ARM64=1", "__aarch64__"};
    }
    return {"RC_INVOKED", "_WIN32"};
}

}  // namespace brcc
