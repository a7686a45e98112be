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
    kDecompile,  // the output is a script that gives the input's resources back
};

struct OptionRow {
    std::string_view name;  // without its - or / or --
    bool takesValue;
    OptionEffect effect;
};

// Borland's brcc32: '-' only, in any case.
// Longer names first where one starts another: a value may be glued to a short name.
inline constexpr std::array kBorlandOptions = {
    OptionRow{"machine", true, OptionEffect::kMachine},   OptionRow{"decompile", false, OptionEffect::kDecompile},
    OptionRow{"fo", true, OptionEffect::kOutput},         OptionRow{"fi", true, OptionEffect::kInput},
    OptionRow{"fe", true, OptionEffect::kRefused16Bit},   OptionRow{"w32", false, OptionEffect::kAccepted},
    OptionRow{"32", false, OptionEffect::kAccepted},      OptionRow{"16", false, OptionEffect::kRefused16Bit},
    OptionRow{"31", false, OptionEffect::kRefused16Bit},  OptionRow{"MD", false, OptionEffect::kDependencies},
    OptionRow{"MF", true, OptionEffect::kDependencyFile}, OptionRow{"MT", true, OptionEffect::kDependencyTarget},
    OptionRow{"MP", false, OptionEffect::kAccepted},      OptionRow{"r", false, OptionEffect::kAccepted},
    OptionRow{"m", false, OptionEffect::kAccepted},       OptionRow{"x", false, OptionEffect::kIgnoreIncludeVariable},
    OptionRow{"v", false, OptionEffect::kVerbose},        OptionRow{"h", false, OptionEffect::kHelp},
    OptionRow{"?", false, OptionEffect::kHelp},           OptionRow{"i", true, OptionEffect::kIncludeList},
    OptionRow{"d", true, OptionEffect::kDefineList},      OptionRow{"u", true, OptionEffect::kUndefine},
    OptionRow{"c", true, OptionEffect::kCodePage},        OptionRow{"l", true, OptionEffect::kLanguage},
};

// Microsoft's rc: '-' or '/', in any case.
inline constexpr std::array kMicrosoftOptions = {
    OptionRow{"machine", true, OptionEffect::kMachine},
    OptionRow{"decompile", false, OptionEffect::kDecompile},
    OptionRow{"nologo", false, OptionEffect::kAccepted},
    OptionRow{"fo", true, OptionEffect::kOutput},
    OptionRow{"MD", false, OptionEffect::kDependencies},
    OptionRow{"MF", true, OptionEffect::kDependencyFile},
    OptionRow{"MT", true, OptionEffect::kDependencyTarget},
    OptionRow{"MP", false, OptionEffect::kAccepted},
    OptionRow{"r", false, OptionEffect::kAccepted},
    OptionRow{"v", false, OptionEffect::kVerbose},
    OptionRow{"n", false, OptionEffect::kNullTerminate},
    OptionRow{"w", false, OptionEffect::kAccepted},
    OptionRow{"y", false, OptionEffect::kAccepted},
    OptionRow{"x", false, OptionEffect::kIgnoreIncludeVariable},
    OptionRow{"?", false, OptionEffect::kHelp},
    OptionRow{"h", false, OptionEffect::kHelp},
    OptionRow{"d", true, OptionEffect::kDefine},
    OptionRow{"u", true, OptionEffect::kUndefine},
    OptionRow{"i", true, OptionEffect::kInclude},
    OptionRow{"c", true, OptionEffect::kCodePage},
    OptionRow{"l", true, OptionEffect::kLanguage},
};

// GNU's short options: case matters, a value may be glued or apart.
inline constexpr std::array kGnuShortOptions = {
    OptionRow{"MD", false, OptionEffect::kDependencies},
    OptionRow{"MF", true, OptionEffect::kDependencyFile},
    OptionRow{"MT", true, OptionEffect::kDependencyTarget},
    OptionRow{"MP", false, OptionEffect::kAccepted},
    OptionRow{"i", true, OptionEffect::kInput},
    OptionRow{"o", true, OptionEffect::kOutput},
    OptionRow{"J", true, OptionEffect::kInputFormat},
    OptionRow{"O", true, OptionEffect::kOutputFormat},
    OptionRow{"F", true, OptionEffect::kTarget},
    OptionRow{"I", true, OptionEffect::kInclude},
    OptionRow{"D", true, OptionEffect::kDefine},
    OptionRow{"U", true, OptionEffect::kUndefine},
    OptionRow{"c", true, OptionEffect::kCodePage},
    OptionRow{"l", true, OptionEffect::kLanguage},
    OptionRow{"v", false, OptionEffect::kVerbose},
    OptionRow{"r", false, OptionEffect::kAccepted},
    OptionRow{"h", false, OptionEffect::kHelp},
    OptionRow{"V", false, OptionEffect::kVersion},
};

// GNU's long options, which may be shortened to any unambiguous start (--include for --include-dir).
inline constexpr std::array kGnuLongOptions = {
    OptionRow{"input", true, OptionEffect::kInput},
    OptionRow{"output", true, OptionEffect::kOutput},
    OptionRow{"input-format", true, OptionEffect::kInputFormat},
    OptionRow{"output-format", true, OptionEffect::kOutputFormat},
    OptionRow{"target", true, OptionEffect::kTarget},
    OptionRow{"preprocessor", true, OptionEffect::kAcceptedWithValue},
    OptionRow{"preprocessor-arg", true, OptionEffect::kPreprocessorArgument},
    OptionRow{"include-dir", true, OptionEffect::kInclude},
    OptionRow{"define", true, OptionEffect::kDefine},
    OptionRow{"undefine", true, OptionEffect::kUndefine},
    OptionRow{"verbose", false, OptionEffect::kVerbose},
    OptionRow{"codepage", true, OptionEffect::kCodePage},
    OptionRow{"language", true, OptionEffect::kLanguage},
    OptionRow{"use-temp-file", false, OptionEffect::kAccepted},
    OptionRow{"no-use-temp-file", false, OptionEffect::kAccepted},
    OptionRow{"yydebug", false, OptionEffect::kAccepted},
    OptionRow{"help", false, OptionEffect::kHelp},
    OptionRow{"version", false, OptionEffect::kVersion},
    OptionRow{"depfile", true, OptionEffect::kDependencyFile},
    OptionRow{"depfile-target", true, OptionEffect::kDependencyTarget},
    OptionRow{"depfile-format", true, OptionEffect::kDependencyFormat},
};

// Long options every dialect takes, spelled whole.
inline constexpr std::array kCommonLongOptions = {
    OptionRow{"help", false, OptionEffect::kHelp},
    OptionRow{"version", false, OptionEffect::kVersion},
    OptionRow{"machine", true, OptionEffect::kMachine},
    OptionRow{"depfile", true, OptionEffect::kDependencyFile},
    OptionRow{"depfile-target", true, OptionEffect::kDependencyTarget},
    OptionRow{"depfile-format", true, OptionEffect::kDependencyFormat},
};

// What the preprocessor options given through --preprocessor-arg mean to us; the rest is for a preprocessor that
// does not run.
inline constexpr std::array kPreprocessorOptions = {
    OptionRow{"MD", false, OptionEffect::kDependencies},    OptionRow{"MMD", false, OptionEffect::kDependencies},
    OptionRow{"MF", true, OptionEffect::kDependencyFile},   OptionRow{"MT", true, OptionEffect::kDependencyTarget},
    OptionRow{"MQ", true, OptionEffect::kDependencyTarget}, OptionRow{"MP", false, OptionEffect::kAccepted},
    OptionRow{"I", true, OptionEffect::kInclude},           OptionRow{"D", true, OptionEffect::kDefine},
    OptionRow{"U", true, OptionEffect::kUndefine},
};

}  // namespace brcc
