// File versions of the help engine and the browser control library, and the release names people know them by.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace hh_funcs {

struct TVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t release = 0;
    std::uint16_t build = 0;
};

// 1 when a is greater, 0 when equal, -1 when smaller; the first unequal part decides.
int CompareVer(const TVersion& a, const TVersion& b);

// The four parts in decimal joined by ".".
std::string VersionText(const TVersion& version);

struct ReleaseName {
    TVersion reference;
    const char* name;
};

// Row 0 needs the version strictly above its reference, the others at or above theirs; the first
// row that holds wins, and `otherwise` names a version below them all.
std::string LookUpReleaseName(const TVersion& version, std::span<const ReleaseName> table, const char* otherwise);

std::string HHReleaseName(const TVersion& version);
std::string IEReleaseName(const TVersion& version);

// Old browser control libraries (4.70 and before) carry their build where the release belongs.
TVersion FixUpIEVersion(const TVersion& version);

}  // namespace hh_funcs
