// The three dialects' options as tables: each row names an option, says whether it takes a value, and what it
// sets. The parser matches arguments against the rows; what a row sets is the same in every dialect.
#pragma once

#include <array>
#include <string_view>

namespace brcc {

enum class OptionEffect {
    kHelp,
    kVersion,
    kOutput,
    kInput,
    kInclude,
    kIncludeList,  // Borland's -i takes folders separated by ';'
    kDefine,
    kDefineList,
    kUndefine,
    kIgnoreIncludeVariable,
    kCodePage,
    kLanguage,
    kVerbose,
    kNullTerminate,
    kAccepted,  // nothing to do: a default, or a switch for something this compiler always does
    kAcceptedWithValue,
    kRefused16Bit,
    kMachine,
    kTarget,
    kInputFormat,
    kOutputFormat,
    kDependencies,  // -MD: beside the output, as NAME.d
    kDependencyFile,
    kDependencyTarget,
    kDependencyFormat,
    kPreprocessorArgument,
};

struct OptionSpec {
    std::string_view name;  // without its - or / or --
    bool takesValue;
    OptionEffect effect;
};

// Borland's brcc32: '-' only, in any case.
// Longer names first where one starts another: a value may be glued to a short name.
inline constexpr std::array kBorlandOptions = {
    OptionSpec{"machine", true, OptionEffect::kMachine},
    OptionSpec{"fo", true, OptionEffect::kOutput},
    OptionSpec{"fi", true, OptionEffect::kInput},
    OptionSpec{"fe", true, OptionEffect::kRefused16Bit},
    OptionSpec{"w32", false, OptionEffect::kAccepted},
    OptionSpec{"32", false, OptionEffect::kAccepted},
    OptionSpec{"16", false, OptionEffect::kRefused16Bit},
    OptionSpec{"31", false, OptionEffect::kRefused16Bit},
    OptionSpec{"MD", false, OptionEffect::kDependencies},
    OptionSpec{"MF", true, OptionEffect::kDependencyFile},
    OptionSpec{"MT", true, OptionEffect::kDependencyTarget},
    OptionSpec{"MP", false, OptionEffect::kAccepted},
    OptionSpec{"r", false, OptionEffect::kAccepted},
    OptionSpec{"m", false, OptionEffect::kAccepted},
    OptionSpec{"x", false, OptionEffect::kIgnoreIncludeVariable},
    OptionSpec{"v", false, OptionEffect::kVerbose},
    OptionSpec{"h", false, OptionEffect::kHelp},
    OptionSpec{"?", false, OptionEffect::kHelp},
    OptionSpec{"i", true, OptionEffect::kIncludeList},
    OptionSpec{"d", true, OptionEffect::kDefineList},
    OptionSpec{"u", true, OptionEffect::kUndefine},
    OptionSpec{"c", true, OptionEffect::kCodePage},
    OptionSpec{"l", true, OptionEffect::kLanguage},
};

// Microsoft's rc: '-' or '/', in any case.
inline constexpr std::array kMicrosoftOptions = {
    OptionSpec{"machine", true, OptionEffect::kMachine},
    OptionSpec{"nologo", false, OptionEffect::kAccepted},
    OptionSpec{"fo", true, OptionEffect::kOutput},
    OptionSpec{"MD", false, OptionEffect::kDependencies},
    OptionSpec{"MF", true, OptionEffect::kDependencyFile},
    OptionSpec{"MT", true, OptionEffect::kDependencyTarget},
    OptionSpec{"MP", false, OptionEffect::kAccepted},
    OptionSpec{"r", false, OptionEffect::kAccepted},
    OptionSpec{"v", false, OptionEffect::kVerbose},
    OptionSpec{"n", false, OptionEffect::kNullTerminate},
    OptionSpec{"w", false, OptionEffect::kAccepted},
    OptionSpec{"y", false, OptionEffect::kAccepted},
    OptionSpec{"x", false, OptionEffect::kIgnoreIncludeVariable},
    OptionSpec{"?", false, OptionEffect::kHelp},
    OptionSpec{"h", false, OptionEffect::kHelp},
    OptionSpec{"d", true, OptionEffect::kDefine},
    OptionSpec{"u", true, OptionEffect::kUndefine},
    OptionSpec{"i", true, OptionEffect::kInclude},
    OptionSpec{"c", true, OptionEffect::kCodePage},
    OptionSpec{"l", true, OptionEffect::kLanguage},
};

// GNU's short options: case matters, a value may be glued or apart.
inline constexpr std::array kGnuShortOptions = {
    OptionSpec{"MD", false, OptionEffect::kDependencies},
    OptionSpec{"MF", true, OptionEffect::kDependencyFile},
    OptionSpec{"MT", true, OptionEffect::kDependencyTarget},
    OptionSpec{"MP", false, OptionEffect::kAccepted},
    OptionSpec{"i", true, OptionEffect::kInput},
    OptionSpec{"o", true, OptionEffect::kOutput},
    OptionSpec{"J", true, OptionEffect::kInputFormat},
    OptionSpec{"O", true, OptionEffect::kOutputFormat},
    OptionSpec{"F", true, OptionEffect::kTarget},
    OptionSpec{"I", true, OptionEffect::kInclude},
    OptionSpec{"D", true, OptionEffect::kDefine},
    OptionSpec{"U", true, OptionEffect::kUndefine},
    OptionSpec{"c", true, OptionEffect::kCodePage},
    OptionSpec{"l", true, OptionEffect::kLanguage},
    OptionSpec{"v", false, OptionEffect::kVerbose},
    OptionSpec{"r", false, OptionEffect::kAccepted},
    OptionSpec{"h", false, OptionEffect::kHelp},
    OptionSpec{"V", false, OptionEffect::kVersion},
};

// GNU's long options, which may be shortened to any unambiguous start (--include for --include-dir).
inline constexpr std::array kGnuLongOptions = {
    OptionSpec{"input", true, OptionEffect::kInput},
    OptionSpec{"output", true, OptionEffect::kOutput},
    OptionSpec{"input-format", true, OptionEffect::kInputFormat},
    OptionSpec{"output-format", true, OptionEffect::kOutputFormat},
    OptionSpec{"target", true, OptionEffect::kTarget},
    OptionSpec{"preprocessor", true, OptionEffect::kAcceptedWithValue},
    OptionSpec{"preprocessor-arg", true, OptionEffect::kPreprocessorArgument},
    OptionSpec{"include-dir", true, OptionEffect::kInclude},
    OptionSpec{"define", true, OptionEffect::kDefine},
    OptionSpec{"undefine", true, OptionEffect::kUndefine},
    OptionSpec{"verbose", false, OptionEffect::kVerbose},
    OptionSpec{"codepage", true, OptionEffect::kCodePage},
    OptionSpec{"language", true, OptionEffect::kLanguage},
    OptionSpec{"use-temp-file", false, OptionEffect::kAccepted},
    OptionSpec{"no-use-temp-file", false, OptionEffect::kAccepted},
    OptionSpec{"yydebug", false, OptionEffect::kAccepted},
    OptionSpec{"help", false, OptionEffect::kHelp},
    OptionSpec{"version", false, OptionEffect::kVersion},
    OptionSpec{"depfile", true, OptionEffect::kDependencyFile},
    OptionSpec{"depfile-target", true, OptionEffect::kDependencyTarget},
    OptionSpec{"depfile-format", true, OptionEffect::kDependencyFormat},
};

// Long options every dialect takes, spelled whole.
inline constexpr std::array kCommonLongOptions = {
    OptionSpec{"help", false, OptionEffect::kHelp},
    OptionSpec{"version", false, OptionEffect::kVersion},
    OptionSpec{"machine", true, OptionEffect::kMachine},
    OptionSpec{"depfile", true, OptionEffect::kDependencyFile},
    OptionSpec{"depfile-target", true, OptionEffect::kDependencyTarget},
    OptionSpec{"depfile-format", true, OptionEffect::kDependencyFormat},
};

// What the preprocessor options given through --preprocessor-arg mean to us; the rest is for a preprocessor that
// does not run.
inline constexpr std::array kPreprocessorOptions = {
    OptionSpec{"MD", false, OptionEffect::kDependencies},    OptionSpec{"MMD", false, OptionEffect::kDependencies},
    OptionSpec{"MF", true, OptionEffect::kDependencyFile},   OptionSpec{"MT", true, OptionEffect::kDependencyTarget},
    OptionSpec{"MQ", true, OptionEffect::kDependencyTarget}, OptionSpec{"MP", false, OptionEffect::kAccepted},
    OptionSpec{"I", true, OptionEffect::kInclude},           OptionSpec{"D", true, OptionEffect::kDefine},
    OptionSpec{"U", true, OptionEffect::kUndefine},
};

}  // namespace brcc
