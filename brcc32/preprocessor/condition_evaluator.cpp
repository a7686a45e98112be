// C integer expressions of #if and #elif, on the text after macros are expanded.
#include "brcc32/preprocessor/condition_evaluator.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "brcc32/message_catalogue.h"
#include "brcc32/preprocessor/tokens.h"

namespace brcc {
namespace {

class ConditionEvaluator {
public:
    ConditionEvaluator(std::string_view text, const std::function<void(const LocalText&)>& fail)
        : m_text(text), m_fail(fail) {}

    std::int64_t Evaluate() {
        const std::int64_t value = Conditional();
        Skip();
        if (m_position < m_text.size()) {
            Fail(Compose(msg::kUnexpected, {Peek()}));
        }
        return value;
    }

private:
    void Fail(const LocalText& what) { m_fail(Compose(msg::kBadExpression, {TrimBlanks(m_text), what})); }
    void Fail(const MessageText& what) { Fail(Compose(what)); }

    void Skip() {
        while (m_position < m_text.size() && (IsBlank(m_text[m_position]) || m_text[m_position] == '\n')) {
            ++m_position;
        }
    }

    std::string_view Peek() {
        Skip();
        if (m_position >= m_text.size()) {
            return {};
        }
        static constexpr std::array<std::string_view, 10> kTwoChars = {"<<", ">>", "<=", ">=", "==", "!=", "&&", "||"};
        for (const std::string_view op : kTwoChars) {
            if (!op.empty() && m_text.substr(m_position, 2) == op) {
                return op;
            }
        }
        return m_text.substr(m_position, TokenEnd(m_text, m_position) - m_position);
    }

    bool Accept(std::string_view op) {
        if (Peek() == op) {
            m_position += op.size();
            return true;
        }
        return false;
    }

    std::int64_t Conditional() {
        const std::int64_t condition = Binary(0);
        if (!Accept("?")) {
            return condition;
        }
        const std::int64_t whenTrue = Conditional();
        if (!Accept(":")) {
            Fail(msg::kQuestionWithoutColon);
        }
        const std::int64_t whenFalse = Conditional();
        return condition ? whenTrue : whenFalse;
    }

    // Binary operators by C's precedence, lowest first.
    std::int64_t Binary(int level) {
        static constexpr std::array<std::array<std::string_view, 4>, 10> kLevels = {{{"||"},
                                                                                     {"&&"},
                                                                                     {"|"},
                                                                                     {"^"},
                                                                                     {"&"},
                                                                                     {"==", "!="},
                                                                                     {"<", ">", "<=", ">="},
                                                                                     {"<<", ">>"},
                                                                                     {"+", "-"},
                                                                                     {"*", "/", "%"}}};
        if (level == static_cast<int>(kLevels.size())) {
            return Unary();
        }
        std::int64_t left = Binary(level + 1);
        while (true) {
            const std::string_view op = Peek();
            const auto& ops = kLevels[static_cast<std::size_t>(level)];
            if (op.empty() || std::find(ops.begin(), ops.end(), op) == ops.end()) {
                return left;
            }
            m_position += op.size();
            const std::int64_t right = Binary(level + 1);
            const auto l = static_cast<std::uint64_t>(left);
            const auto r = static_cast<std::uint64_t>(right);
            if (op == "||")
                left = left || right;
            else if (op == "&&")
                left = left && right;
            else if (op == "|")
                left = static_cast<std::int64_t>(l | r);
            else if (op == "^")
                left = static_cast<std::int64_t>(l ^ r);
            else if (op == "&")
                left = static_cast<std::int64_t>(l & r);
            else if (op == "==")
                left = left == right;
            else if (op == "!=")
                left = left != right;
            else if (op == "<")
                left = left < right;
            else if (op == ">")
                left = left > right;
            else if (op == "<=")
                left = left <= right;
            else if (op == ">=")
                left = left >= right;
            else if (op == "<<")
                left = static_cast<std::int64_t>(l << (r & 63));
            else if (op == ">>")
                left = left >> (r & 63);
            else if (op == "+")
                left = static_cast<std::int64_t>(l + r);
            else if (op == "-")
                left = static_cast<std::int64_t>(l - r);
            else if (op == "*")
                left = static_cast<std::int64_t>(l * r);
            else {
                if (right == 0) {
                    Fail(msg::kDivisionByZero);
                }
                if (right == -1) {
                    left = op == "/" ? static_cast<std::int64_t>(0 - l) : 0;
                } else {
                    left = op == "/" ? left / right : left % right;
                }
            }
        }
    }

    std::int64_t Unary() {
        if (Accept("!")) return !Unary();
        if (Accept("~")) return static_cast<std::int64_t>(~static_cast<std::uint64_t>(Unary()));
        if (Accept("-")) return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(Unary()));
        if (Accept("+")) return Unary();
        if (Accept("(")) {
            const std::int64_t value = Conditional();
            if (!Accept(")")) {
                Fail(msg::kParenthesisNotClosed);
            }
            return value;
        }
        const std::string_view token = Peek();
        if (token.empty()) {
            Fail(msg::kValueMissing);
        }
        m_position += token.size();
        if (IsIdentifierStart(token[0]) && token.back() != '\'') {
            return 0;  // a name that is no macro counts as 0
        }
        if (token.back() == '\'') {
            return CharacterValue(token);
        }
        if (!IsDigit(token[0])) {
            Fail(Compose(msg::kUnexpected, {token}));
        }
        return NumberValue(token);
    }

    std::int64_t NumberValue(std::string_view token) {
        while (!token.empty() && (LowerAscii(token.back()) == 'u' || LowerAscii(token.back()) == 'l')) {
            token.remove_suffix(1);
        }
        int base = 10;
        if (token.size() > 1 && token[0] == '0' && LowerAscii(token[1]) == 'x') {
            base = 16;
            token.remove_prefix(2);
        } else if (token.size() > 1 && token[0] == '0') {
            base = 8;
        }
        std::uint64_t value = 0;
        if (token.empty()) {
            Fail(msg::kNumberWithoutDigits);
        }
        for (const char c : token) {
            const int digit = IsDigit(c)                                       ? c - '0'
                              : (LowerAscii(c) >= 'a' && LowerAscii(c) <= 'f') ? LowerAscii(c) - 'a' + 10
                                                                               : 99;
            if (digit >= base) {
                Fail(Compose(msg::kNotANumber, {token}));
            }
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        }
        return static_cast<std::int64_t>(value);
    }

    std::int64_t CharacterValue(std::string_view token) {
        const std::size_t quote = token.find('\'');
        std::string_view body = token.substr(quote + 1, token.size() - quote - 2);
        if (body.empty()) {
            Fail(msg::kEmptyCharacter);
        }
        if (body[0] != '\\') {
            return static_cast<unsigned char>(body[0]);
        }
        if (body.size() < 2) {
            Fail(msg::kCharacterEndsWithBackslash);
        }
        switch (body[1]) {
            case 'n':
                return '\n';
            case 't':
                return '\t';
            case 'r':
                return '\r';
            case 'a':
                return '\a';
            case 'b':
                return '\b';
            case 'f':
                return '\f';
            case 'v':
                return '\v';
            case 'x':
                return std::strtol(std::string(body.substr(2)).c_str(), nullptr, 16);
            default:
                if (IsDigit(body[1])) {
                    return std::strtol(std::string(body.substr(1)).c_str(), nullptr, 8);
                }
                return static_cast<unsigned char>(body[1]);
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    const std::function<void(const LocalText&)>& m_fail;
};

}  // namespace

std::int64_t EvaluateExpression(std::string_view text, const std::function<void(const LocalText&)>& fail) {
    return ConditionEvaluator(text, fail).Evaluate();
}

}  // namespace brcc
