// The command line's script output: the input's resources, from a .res file or a script compiled in memory, written
// back as a script.
#pragma once

#include <cstdio>
#include <optional>

#include "brcc32/cli/command_line.h"
#include "brcc32/diagnostic.h"
#include "brcc32/input/resource_input.h"

namespace brcc {

// `format` is the input's when it holds resources, none for a script. Throws ScriptError, placed in the input. With
// -v, says what it reads and writes on `verbose` (null: nothing).
void DecompileInput(const CommandLine& commandLine, std::optional<ResourceFileFormat> format,
                    DiagnosticSink* diagnostics, std::FILE* verbose);

}  // namespace brcc
