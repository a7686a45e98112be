// The #if expression evaluator on its own: the value of each form of C's integer expressions, and the fault named for
// each kind of bad expression.
#include "brcc32/preprocessor/condition_evaluator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace brcc {
namespace {

struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::int64_t Evaluate(std::string_view text) {
    return EvaluateExpression(text, [](const LocalText& message) { throw Fault(message.english); });
}

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(ConditionEvaluator, ValuesFollowCsRules) {
    const struct {
        std::string_view text;
        std::int64_t value;
    } kCases[] = {
        // Numbers and characters.
        {"42", 42},
        {"0x1F", 31},
        {"017", 15},
        {"10UL", 10},
        {"0xFFFFFFFF", 0xFFFFFFFF},
        {"'A'", 65},
        {"L'A'", 65},
        {"'\\n'", 10},
        {"'\\x41'", 65},
        {"'\\101'", 65},
        {"'\\''", 39},
        // A name that no macro replaced.
        {"WINVER", 0},
        {"defined_later + 1", 1},
        // Precedence and associativity.
        {"1 + 2 * 3", 7},
        {"(1 + 2) * 3", 9},
        {"10 - 2 - 3", 5},
        {"1 << 2 + 1", 8},
        {"1 | 2 ^ 3 & 1", 3},
        {"1 < 2 == 2 > 1", 1},
        {"0 || 2 && 3", 1},
        {"1 ? 2 : 3", 2},
        {"0 ? 2 : 0 ? 4 : 5", 5},
        // Unary operators.
        {"!0", 1},
        {"!!7", 1},
        {"~0", -1},
        {"- -3", 3},
        {"+4", 4},
        // Division truncates toward zero, and the quotient that overflows wraps instead of trapping.
        {"-7 / 2", -3},
        {"-7 % 3", -1},
        {"(-9223372036854775807 - 1) / -1", kMin},
        {"(-9223372036854775807 - 1) % -1", 0},
        {"9223372036854775807 + 1", kMin},
        {"-1 >> 1", -1},
        {"1 << 64", 1},
        // Line breaks left by joined lines are blanks.
        {"1 +\n 1", 2},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Evaluate(c.text), c.value) << c.text;
    }
}

TEST(ConditionEvaluator, NamesTheFault) {
    const struct {
        std::string_view text;
        std::string_view fault;
    } kCases[] = {
        {"1 +", "a value is missing at its end"},
        {"1 / 0", "division by zero"},
        {"5 % (2 - 2)", "division by zero"},
        {"(1 + 2", "'(' without ')'"},
        {"1 ? 2", "'?' without ':'"},
        {"1 2", "unexpected '2'"},
        {"1 = 1", "unexpected '='"},
        {"@", "unexpected '@'"},
        {"\"text\"", "unexpected '\"text\"'"},
        {"09", "'09' is not a number"},
        {"0x1G", "'1G' is not a number"},
        {"0x", "a number has no digits"},
        {"''", "an empty character constant"},
    };
    for (const auto& c : kCases) {
        try {
            Evaluate(c.text);
            ADD_FAILURE() << c.text << " was accepted";
        } catch (const Fault& fault) {
            EXPECT_EQ(fault.what(),
                      "the expression '" + std::string(c.text) + "' is not valid: " + std::string(c.fault))
                << c.text;
        }
    }
}

}  // namespace
}  // namespace brcc
