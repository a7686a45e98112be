// A scratch folder per test, with helpers to write inputs, read outputs and run the compilers on them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace brcc::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    std::filesystem::path Write(const std::string& name, const std::string& text) const;
    std::vector<std::uint8_t> Read(const std::string& name) const;
    std::vector<std::string> FileNames() const;

private:
    std::filesystem::path m_path;
};

struct RunResult {
    int exitCode = -1;
    std::string stderr;
};

// Runs a shell command in `folder`, capturing stderr.
RunResult RunIn(const std::filesystem::path& folder, const std::string& command);
// Our compiler, built alongside the tests.
RunResult RunBrcc32(const std::filesystem::path& folder, const std::string& arguments);
// The reference compiler, run as Talvorine would run ours: from the script's folder.
RunResult RunLlvmRc(const std::filesystem::path& folder, const std::string& script, const std::string& output);
// The reference with its C preprocessor (clang) and the MinGW-w64 headers, which our compiler has built in.
inline constexpr const char* kMingwInclude = "/usr/share/mingw-w64/include";
RunResult RunLlvmRcPreprocessed(const std::filesystem::path& folder, const std::string& script,
                                const std::string& output, const std::string& options = "");

// GNU windres, the reference where llvm-rc refuses what Windows' compiler takes; run without a preprocessor.
RunResult RunWindres(const std::filesystem::path& folder, const std::string& script, const std::string& output);

// Our compiler on ours.rc, then `reference` (which writes theirs.res): the two .res files must be alike byte for byte.
// `script` is what a failure shows.
void ExpectSameRes(const TestFolder& folder, const std::string& script, const std::function<RunResult()>& reference);

// A script our compiler must refuse, and how its one message starts: "bad.rc(2): error: expected ','".
struct ScriptRefusal {
    std::string script;
    std::string messageStart;
};
// Our compiler on each script, written as `name` in `folder`: exit code 1, and the message as the case says.
void ExpectRefusedWith(const TestFolder& folder, const std::string& name, const std::vector<ScriptRefusal>& cases);

}  // namespace brcc::test
