// Scratch folders under the system's temporary folder, removed with the test.
#include "test_folder.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <stdexcept>

namespace brcc::test {

TestFolder::TestFolder() {
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() / ("brcc32-test-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TestFolder::Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::filesystem::path path = m_path / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

std::filesystem::path TestFolder::Write(const std::string& name, const std::string& text) const {
    return Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::vector<std::uint8_t> TestFolder::Read(const std::string& name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> TestFolder::FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

RunResult RunIn(const std::filesystem::path& folder, const std::string& command) {
    const std::filesystem::path errors = folder / ".stderr";
    const std::string line = "cd '" + folder.string() + "' && " + command + " 2>'" + errors.string() + "' >/dev/null";
    const int status = std::system(line.c_str());
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors);
    result.stderr.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::filesystem::remove(errors);
    return result;
}

RunResult RunBrcc32(const std::filesystem::path& folder, const std::string& arguments) {
    // In English whatever the machine's language, as the messages are checked word for word; without the messages'
    // codes, which the tests of the message shapes check.
    RunResult result = RunIn(folder, std::string("LC_ALL=C '") + BRCC32_PATH + "' " + arguments);
    static const std::regex kCode(R"(: (error|warning) BRC[0-9]{4}:)");
    result.stderr = std::regex_replace(result.stderr, kCode, ": $1:");
    return result;
}

RunResult RunLlvmRc(const std::filesystem::path& folder, const std::string& script, const std::string& output) {
    return RunIn(folder, std::string(LLVM_RC_PATH) + " /no-preprocess /fo '" + output + "' '" + script + "'");
}

RunResult RunLlvmRcPreprocessed(const std::filesystem::path& folder, const std::string& script,
                                const std::string& output, const std::string& options) {
    return RunIn(folder, std::string(LLVM_RC_PATH) + " " + options + " -I " + kMingwInclude + " /fo '" + output +
                             "' '" + script + "'");
}

RunResult RunWindres(const std::filesystem::path& folder, const std::string& script, const std::string& output) {
    return RunIn(folder, "i686-w64-mingw32-windres --preprocessor=cat -O res -i '" + script + "' -o '" + output + "'");
}

void ExpectSameRes(const TestFolder& folder, const std::string& script, const std::function<RunResult()>& reference) {
    const RunResult ours = RunBrcc32(folder.Path(), "ours.rc");
    ASSERT_EQ(ours.exitCode, 0) << ours.stderr << "\n" << script;
    const RunResult theirs = reference();
    ASSERT_EQ(theirs.exitCode, 0) << theirs.stderr;
    const std::vector<std::uint8_t> ourBytes = folder.Read("ours.res");
    const std::vector<std::uint8_t> theirBytes = folder.Read("theirs.res");
    ASSERT_EQ(ourBytes.size(), theirBytes.size()) << script;
    if (ourBytes != theirBytes) {
        const auto difference = std::mismatch(ourBytes.begin(), ourBytes.end(), theirBytes.begin()).first;
        FAIL() << "first difference at byte " << difference - ourBytes.begin() << " of\n" << script;
    }
}

void ExpectRefusedWith(const TestFolder& folder, const std::string& name, const std::vector<ScriptRefusal>& cases) {
    for (const ScriptRefusal& refusal : cases) {
        SCOPED_TRACE(refusal.script);
        folder.Write(name, refusal.script);
        const RunResult result = RunBrcc32(folder.Path(), name);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_TRUE(result.stderr.starts_with(refusal.messageStart)) << result.stderr;
    }
}

}  // namespace brcc::test
