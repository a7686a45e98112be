// Integer expressions of the script language: numbers, unary - ~ NOT and parentheses, binary + - | &.
#include <optional>

#include "brcc32/script/parser.h"
#include "brcc32/script/syntax.h"

namespace brcc {

ScriptInteger ScriptParser::ParseInteger(MessageArgument what) { return ParseSum(what).integer; }

// Binary operators have one precedence and apply left to right, as Windows' resource compiler reads them.
ScriptParser::MaskedInteger ScriptParser::ParseSum(MessageArgument what) {
    MaskedInteger result = ParseTerm(what);
    while (true) {
        const Token& op = m_lexer.Peek();
        if (!IsChar(op, '+') && !IsChar(op, '-') && !IsChar(op, '|') && !IsChar(op, '&')) {
            return result;
        }
        const char c = m_lexer.Next().text[0];
        const MaskedInteger right = ParseTerm(what);
        std::uint32_t& value = result.integer.value;
        value &= ~right.notMask;
        switch (c) {
            case '+':
                value += right.integer.value;
                break;
            case '-':
                value -= right.integer.value;
                break;
            case '|':
                value |= right.integer.value;
                break;
            default:
                value &= right.integer.value;
                break;
        }
        result.notMask |= right.notMask;
        result.integer.isLong = result.integer.isLong || right.integer.isLong;
    }
}

ScriptParser::MaskedInteger ScriptParser::ParseTerm(MessageArgument what) {
    const Token token = m_lexer.Next();
    if (IsChar(token, '-')) {
        MaskedInteger result = ParseTerm(what);
        result.integer.value = 0u - result.integer.value;
        return result;
    }
    if (IsChar(token, '~')) {
        MaskedInteger result = ParseTerm(what);
        result.integer.value = ~result.integer.value;
        result.notMask = 0;
        return result;
    }
    if (IsWord(token, "NOT")) {
        const MaskedInteger operand = ParseTerm(what);
        return MaskedInteger{ScriptInteger{0, operand.integer.isLong}, operand.integer.value};
    }
    if (IsChar(token, '(')) {
        const MaskedInteger result = ParseSum(what);
        const Token close = m_lexer.Next();
        if (!IsChar(close, ')')) {
            Refuse(close.kind == TokenKind::kEnd ? token : close,
                   Compose(msg::kExpectedCloseParenthesis, {what, Describe(close)}));
        }
        return result;
    }
    if (token.kind == TokenKind::kInteger) {
        const std::optional<std::uint32_t> value = ParseScriptInteger(token.text);
        if (!value) {
            Refuse(token, Compose(msg::kNotAValidNumber, {token.text}));
        }
        const char last = token.text.back();
        return MaskedInteger{ScriptInteger{*value, last == 'L' || last == 'l'}, 0};
    }
    if (token.kind == TokenKind::kIdentifier) {
        Refuse(token, Compose(msg::kExpectedNumberNotName, {what, token.text}));
    }
    Refuse(token, Compose(msg::kExpectedNumber, {what, Describe(token)}));
}

}  // namespace brcc
