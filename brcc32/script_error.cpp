// What an exception says, in both languages.
#include "brcc32/script_error.h"

#include <new>
#include <system_error>

namespace brcc {

LocalText ReasonOf(const std::exception& error) {
    if (const auto* ours = dynamic_cast<const LocalizedError*>(&error)) {
        return ours->Text();
    }
    if (const auto* system = dynamic_cast<const std::system_error*>(&error)) {
        return SystemReason(system->code());
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        return Compose(msg::kOutOfMemory);
    }
    return Compose(msg::kInternalError, {error.what()});
}

}  // namespace brcc
