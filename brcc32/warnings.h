// Warnings: what the compiler accepts and says it would not take silently. Unlike an error, a warning lets the
// compilation finish.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brcc {

struct Warning {
    std::string m_file;  // as messages name it; empty while the line is one of the preprocessed text
    int m_line = 0;
    std::string m_text;
};

// Gathers the warnings of the stages in the order they are met.
using WarningList = std::vector<Warning>;

// Where the placed warnings of a compilation go: main prints them, tests keep them.
using WarningSink = std::function<void(const Warning&)>;

}  // namespace brcc
