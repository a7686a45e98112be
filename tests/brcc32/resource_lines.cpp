// Reading resources back: from the .res bytes, and from llvm-readobj's report, to the same lines.
#include "resource_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

#include "brcc32/output/res_file.h"
#include "test_folder.h"

namespace brcc::test {
namespace {

std::string Label(const ResName& name) {
    if (name.isOrdinal) {
        return "#" + std::to_string(name.ordinal);
    }
    return std::string(name.text.begin(), name.text.end());
}

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

// "STRINGTABLE (ID 6)" and "(ID 6)" are #6; a name is itself.
std::string ReadobjLabel(std::string text) {
    const std::size_t id = text.find("(ID ");
    return id == std::string::npos ? text : "#" + text.substr(id + 4, text.find(')', id) - id - 4);
}

}  // namespace

ResourceLines LinesOfRes(const std::vector<std::uint8_t>& res) {
    ResourceLines lines;
    for (const ResEntry& entry : ReadResFile(res)) {
        lines.push_back(Label(entry.type) + " " + Label(entry.name) + " " + std::to_string(entry.language) + " " +
                        Hex(entry.data));
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The resources of llvm-readobj --coff-resources, as LinesOfRes writes them.
ResourceLines LinesOfReadobj(const std::string& report) {
    ResourceLines lines;
    std::istringstream in(report);
    std::string line;
    std::string type;
    std::string name;
    std::string language;
    std::string data;
    bool inData = false;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(' ');
        const std::string trimmed = start == std::string::npos ? "" : line.substr(start);
        if (inData) {
            if (trimmed == ")") {
                inData = false;
                lines.push_back(type + " " + name + " " + language + " " + data);
                continue;
            }
            const std::size_t colon = trimmed.find(": ");
            const std::string hex = trimmed.substr(colon + 2, trimmed.find('|') - colon - 2);
            for (const char c : hex) {
                if (c != ' ') {
                    data += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                }
            }
            continue;
        }
        if (trimmed.starts_with("Type: ")) {
            type = ReadobjLabel(trimmed.substr(6, trimmed.size() - 8));
        } else if (trimmed.starts_with("Name: ")) {
            name = ReadobjLabel(trimmed.substr(6, trimmed.size() - 8));
        } else if (trimmed.starts_with("Language: ")) {
            language = ReadobjLabel(trimmed.substr(10, trimmed.size() - 12)).substr(1);
        } else if (trimmed == "Data (") {
            inData = true;
            data.clear();
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string Capture(const std::filesystem::path& folder, const std::string& command) {
    const RunResult result = RunIn(folder, "{ " + command + " > captured.txt; }");
    EXPECT_EQ(result.exitCode, 0) << command << "\n" << result.stderr;
    std::ifstream in(folder / "captured.txt");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ResourceLines ReadBackResources(const std::filesystem::path& folder, const std::string& file) {
    return LinesOfReadobj(Capture(folder, "llvm-readobj --coff-resources '" + file + "'"));
}

}  // namespace brcc::test
