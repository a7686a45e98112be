// Runs one command line's compilation: a .res or a COFF object, and the dependency file when asked.
#pragma once

#include <cstdio>
#include <memory>

#include "brcc32/cli/command_line.h"
#include "brcc32/diagnostic.h"
#include "brcc32/input/resource_source.h"
#include "brcc32/resource_compiler.h"

namespace brcc {

// Writes every output or none: a failure leaves each output file as it was. Throws ScriptError; warnings go to
// `diagnostics`. With -v, says what it reads and writes on `verbose`.
void BuildOutputs(const CommandLine& commandLine, DiagnosticSink* diagnostics, std::FILE* verbose = stdout);

// What the command line asks of the preprocessor and of the script's statements.
PreprocessOptions PreprocessOptionsOf(const CommandLine& commandLine);
ScriptSettings ScriptSettingsOf(const CommandLine& commandLine);

// The resources of the file the command line names, or of the standard input: its headers or its directory read and
// checked, its data left where it is. Throws ScriptError when it cannot be read, LocalizedError when it is damaged.
std::unique_ptr<FileResourceSource> OpenResources(const CommandLine& commandLine, ResourceFileFormat format);

// One line of -v on `verbose`; nothing when it is null.
void Say(std::FILE* verbose, const MessageText& message, std::initializer_list<MessageArgument> arguments);

}  // namespace brcc
