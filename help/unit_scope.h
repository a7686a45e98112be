// A unit's start and end tied to an object's life, so that the end runs however the program leaves.
#pragma once

namespace help {

template <void (*Start)(), void (*End)()>
class UnitScope {
public:
    UnitScope() { Start(); }
    ~UnitScope() { End(); }
    UnitScope(const UnitScope&) = delete;
    UnitScope& operator=(const UnitScope&) = delete;
};

}  // namespace help
