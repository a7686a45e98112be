// The compilation's outputs, each written to a temporary file and put in place only once all are written.
#include "brcc32/build_outputs.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <streambuf>
#include <string>
#include <unordered_set>
#include <vector>

#include "brcc32/decompile/decompile_command.h"
#include "brcc32/files/input_file.h"
#include "brcc32/input/resource_input.h"
#include "brcc32/input/resource_source.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/output/coff_writer.h"
#include "brcc32/output/dependency_file.h"
#include "brcc32/output/res_file.h"
#include "brcc32/put_all.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"
#include "brcc32/text/terminal_text.h"

namespace brcc {
namespace {

constexpr std::size_t kSniffedBytes = 4096;  // enough for an executable's headers to say what it is

// What a script argument holds when it holds resources rather than a script.
std::optional<ResourceFileFormat> ResourceInputFormat(const CommandLine& commandLine) {
    switch (commandLine.inputFormat) {
        case InputFormat::kScript:
            return std::nullopt;
        case InputFormat::kRes:
            return ResourceFileFormat::kRes;
        case InputFormat::kObject:
            return ResourceFileFormat::kCoff;  // or an executable, which its first bytes tell
        case InputFormat::kByContent:
            // A file that cannot be read is left to the script's reader, which says so as for any script.
            try {
                InputFile file(commandLine.script);
                std::vector<std::uint8_t> head(
                    static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), kSniffedBytes)));
                file.Read(head);
                return SniffResourceFile(head);
            } catch (const FileAccessError&) {
                return std::nullopt;
            }
    }
    return std::nullopt;
}

// The resources of a .res, an object or an executable: its headers or its directory checked whole before any byte
// goes out, then each resource's data read as it is written. A .res goes out as it came, every byte of it. A COFF
// writer that refuses bytes says why itself.
void CopyResources(const CommandLine& commandLine, ResourceFileFormat format, std::streambuf& out, CoffWriter* coff) {
    const std::unique_ptr<FileResourceSource> source = OpenResources(commandLine, format);
    try {
        if (format == ResourceFileFormat::kRes) {
            source->CopyTo(out);
            return;
        }
        WriteResStart(out);
        std::vector<std::uint8_t> buffer;
        for (std::size_t i = 0; i < source->Entries().size(); ++i) {
            WriteResEntry(source->Load(i, buffer), out);
        }
    } catch (const LocalizedError&) {
        if (coff != nullptr) {
            coff->Finish();
        }
        throw;
    }
}

// The files of the dependency list: the script, then headers and named files, each once, in the order met.
std::vector<std::string> DependencyNames(const CommandLine& commandLine, const CompileRecord& record) {
    // A script from the standard input is no file to depend on: an empty name holds its place.
    const std::string script = commandLine.script.empty() ? std::string() : commandLine.scriptArgument;
    std::vector<std::string> names = {script};
    // Not a search of the list for each name: that grows with the square of a long script's files.
    std::unordered_set<std::string> seen = {script};
    auto add = [&names, &seen](std::string name) {
        if (seen.insert(name).second) {
            names.push_back(std::move(name));
        }
    };
    for (const std::filesystem::path& header : record.headers) {
        add(PathToUtf8(header.lexically_normal()));
    }
    const std::filesystem::path folder = commandLine.script.parent_path();
    const std::vector<std::filesystem::path> searched = NamedFileFolders(folder, commandLine.preprocess.includeFolders);
    for (const std::string& name : record.namedFiles) {
        add(PathToUtf8(FoundScriptFilePath(folder, searched, name)));
    }
    return names;
}

}  // namespace

std::unique_ptr<FileResourceSource> OpenResources(const CommandLine& commandLine, ResourceFileFormat format) {
    try {
        if (commandLine.script.empty()) {
            const std::string piped = ReadStandardInput();
            return std::make_unique<FileResourceSource>(std::vector<std::uint8_t>(piped.begin(), piped.end()), format);
        }
        return std::make_unique<FileResourceSource>(commandLine.script, format);
    } catch (const FileAccessError& error) {
        throw ScriptError(commandLine.scriptArgument, 0, Compose(msg::kCannotReadRes, {error.Text()}));
    }
}

PreprocessOptions PreprocessOptionsOf(const CommandLine& commandLine) {
    PreprocessOptions preprocess = commandLine.preprocess;
    preprocess.machine = commandLine.machine;
    if (commandLine.codePage) {
        preprocess.codePage = *commandLine.codePage;
        preprocess.codePageGiven = true;
    }
    return preprocess;
}

ScriptSettings ScriptSettingsOf(const CommandLine& commandLine) {
    ScriptSettings settings;
    settings.language = commandLine.language.value_or(kDefaultLanguage);
    settings.nullTerminateStrings = commandLine.nullTerminateStrings;
    return settings;
}

void Say(std::FILE* verbose, const MessageText& message, std::initializer_list<MessageArgument> arguments) {
    if (verbose != nullptr) {
        WriteTerminalText(verbose, Text(message, arguments) + "\n");
    }
}

void BuildOutputs(const CommandLine& commandLine, DiagnosticSink* diagnostics, std::FILE* verbose) {
    if (!commandLine.verbose) {
        verbose = nullptr;
    } else if (commandLine.outputToStandardOutput && verbose == stdout) {
        verbose = stderr;  // the standard output carries the compiled bytes
    }
    if (commandLine.outputFormat == OutputFormat::kScript) {
        DecompileInput(commandLine, ResourceInputFormat(commandLine), diagnostics, verbose);
        return;
    }
    const std::string& shown = commandLine.scriptArgument;
    const PreprocessOptions preprocess = PreprocessOptionsOf(commandLine);
    const ScriptSettings settings = ScriptSettingsOf(commandLine);
    try {
        std::optional<AtomicFile> output(
            std::in_place, commandLine.output,
            commandLine.outputToStandardOutput ? AtomicFile::Target::kStandardOutput : AtomicFile::Target::kPath);
        // What the script read is kept only for a list that says it: the names of a script of 80,000 files were
        // most of its memory.
        CompileRecord record;
        const bool recorded = verbose != nullptr || !commandLine.dependencies.file.empty();
        Say(verbose, msg::kVerboseReading, {shown});
        // A COFF object is written as the .res streams by, which is never held whole.
        std::optional<CoffWriter> coff;
        // An object's headers are written last, over its start, which a pipe or a terminal cannot go back to: there
        // the object is made in memory and then sent.
        std::optional<std::stringbuf> held;
        if (commandLine.outputFormat == OutputFormat::kCoff) {
            std::streambuf& target = output->Stream();
            if (target.pubseekoff(0, std::ios_base::cur, std::ios_base::out) == std::streambuf::pos_type(-1)) {
                held.emplace(std::ios_base::in | std::ios_base::out | std::ios_base::binary);
            }
            coff.emplace(held ? static_cast<std::streambuf&>(*held) : target, commandLine.machine,
                         commandLine.dialect == Dialect::kGnu ? CoffStyle::kGnu : CoffStyle::kMicrosoft);
        }
        std::streambuf& res = coff ? static_cast<std::streambuf&>(*coff) : output->Stream();
        if (const std::optional<ResourceFileFormat> format = ResourceInputFormat(commandLine)) {
            CopyResources(commandLine, *format, res, coff ? &*coff : nullptr);
        } else {
            CompileScript(commandLine.script, res, preprocess, shown, DefaultReaderCount(), diagnostics,
                          recorded ? &record : nullptr, settings);
        }
        if (coff) {
            coff->Finish();
        }
        if (held) {
            if (!PutAll(output->Stream(), held->str())) {
                throw LocalizedError(Compose(msg::kOutputNotWritten));
            }
        }
        if (verbose != nullptr) {
            const std::vector<std::string> names = DependencyNames(commandLine, record);
            for (std::size_t i = 1; i < names.size(); ++i) {
                Say(verbose, msg::kVerboseReading, {names[i]});
            }
        }
        std::optional<AtomicFile> dependencies;
        const DependencyRequest& request = commandLine.dependencies;
        if (!request.file.empty()) {
            std::vector<std::string> targets = request.targets;
            if (targets.empty()) {
                targets.push_back(commandLine.outputArgument);
            }
            const std::vector<std::string> names = DependencyNames(commandLine, record);
            const std::string text = request.format == DependencyFormat::kJson ? JsonDependencyText(targets, names)
                                                                               : MakeDependencyText(targets, names);
            dependencies.emplace(request.file);
            if (!PutAll(dependencies->Stream(), text)) {
                throw LocalizedError(Compose(msg::kDependenciesNotWritten));
            }
        }
        // The output before its dependency file: a build tool that finds the list newer than the output would
        // rebuild for nothing, never the other way round.
        Say(verbose, msg::kVerboseWriting, {commandLine.outputArgument});
        output->Commit();
        if (dependencies) {
            Say(verbose, msg::kVerboseDependencies, {PathToUtf8(request.file)});
            dependencies->Commit();
        }
    } catch (const ScriptError&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw ScriptError(shown, 0, ReasonOf(error));
    }
}

}  // namespace brcc
