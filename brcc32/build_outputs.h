// Runs one command line's compilation: a .res or a COFF object, and the dependency file when asked.
#pragma once

#include <cstdio>

#include "brcc32/cli/command_line.h"
#include "brcc32/diagnostic.h"

namespace brcc {

// Writes every output or none: a failure leaves each output file as it was. Throws ScriptError; warnings go to
// `diagnostics`. With -v, says what it reads and writes on `verbose`.
void BuildOutputs(const CommandLine& commandLine, DiagnosticSink* diagnostics, std::FILE* verbose = stdout);

}  // namespace brcc
