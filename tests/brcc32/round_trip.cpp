// Compares the two .res files resource by resource, so that a failure says which one and where.
#include "round_trip.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "brcc32/output/res_file.h"
#include "brcc32/text/code_page.h"

namespace brcc::test {
namespace {

std::string Describe(const ResEntry& entry) {
    auto name = [](const ResName& n) { return n.isOrdinal ? std::to_string(n.ordinal) : ToUtf8(n.text); };
    return "resource " + name(entry.name) + " of type " + name(entry.type) + ", language " +
           std::to_string(entry.language);
}

bool SameEntry(const ResEntry& a, const ResEntry& b) {
    return a.type == b.type && a.name == b.name && a.memoryFlags == b.memoryFlags && a.language == b.language &&
           a.version == b.version && a.characteristics == b.characteristics &&
           std::equal(a.data.begin(), a.data.end(), b.data.begin(), b.data.end());
}

}  // namespace

std::string ExpectRoundTrip(const TestFolder& folder, const std::string& resName, const std::string& shown) {
    const RunResult decompiled = RunBrcc32(folder.Path(), "-decompile -fo back.rc " + resName);
    EXPECT_EQ(decompiled.exitCode, 0) << decompiled.stderr << "\n" << shown;
    const std::vector<std::uint8_t> scriptBytes = folder.Read("back.rc");
    const std::string script(scriptBytes.begin(), scriptBytes.end());
    const RunResult compiled = RunBrcc32(folder.Path(), "-fo back.res back.rc");
    EXPECT_EQ(compiled.exitCode, 0) << compiled.stderr << "\n" << script << "\nfrom\n" << shown;
    if (decompiled.exitCode != 0 || compiled.exitCode != 0) {
        return script;
    }
    const std::vector<std::uint8_t> original = folder.Read(resName);
    const std::vector<std::uint8_t> again = folder.Read("back.res");
    if (original == again) {
        return script;
    }
    const std::vector<ResEntry> before = ReadResFile(original);
    const std::vector<ResEntry> after = ReadResFile(again);
    for (std::size_t i = 0; i < std::max(before.size(), after.size()); ++i) {
        if (i >= before.size() || i >= after.size()) {
            ADD_FAILURE() << (i >= after.size() ? Describe(before[i]) + " is missing" : Describe(after[i]) + " is new")
                          << " after the round trip of\n"
                          << shown << "\nthrough\n"
                          << script;
            break;
        }
        if (!SameEntry(before[i], after[i])) {
            const auto at =
                std::mismatch(before[i].data.begin(), before[i].data.end(), after[i].data.begin(), after[i].data.end());
            ADD_FAILURE() << Describe(before[i]) << " differs after the round trip, first at byte "
                          << at.first - before[i].data.begin() << " of its data (or in its header) in\n"
                          << shown << "\nthrough\n"
                          << script;
            break;
        }
    }
    return script;
}

}  // namespace brcc::test
