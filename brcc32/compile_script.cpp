// A script from its file to the .res: read, preprocess, compile, and every message placed in the file it concerns.
#include "brcc32/files/input_file.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/resource_compiler.h"
#include "brcc32/script_error.h"

namespace brcc {

void CompileScript(const std::filesystem::path& script, std::streambuf& out, const PreprocessOptions& options,
                   const std::string& shownName, std::size_t readers, DiagnosticSink* diagnostics,
                   CompileRecord* record, const ScriptSettings& settings) {
    const std::string name = shownName.empty() ? PathToUtf8(script) : shownName;
    std::string bytes;
    try {
        bytes = script.empty() ? ReadStandardInput() : ReadTextFile(script);
    } catch (const FileAccessError& error) {
        throw ScriptError(name, 0, Compose(msg::kCannotReadScript, {error.Text()}));
    }
    PreprocessedScript preprocessed = Preprocessor(options).Run(std::move(bytes), script, name);
    if (record != nullptr) {
        record->headers = preprocessed.includedPaths;
    }
    // What the stages after the preprocessor say of a line of its text is said of the line of the file it came from.
    struct PlaceWarnings {
        DiagnosticSink* diagnostics;
        const PreprocessedScript& preprocessed;
        ~PlaceWarnings() {
            if (diagnostics == nullptr) {
                return;
            }
            for (Diagnostic& diagnostic : diagnostics->Diagnostics()) {
                if (diagnostic.file.empty() && diagnostic.line > 0) {
                    const PreprocessedScript::Place place = preprocessed.Locate(diagnostic.line);
                    diagnostic.file = *place.file;
                    diagnostic.line = place.line;
                }
            }
        }
    } placeWarnings{diagnostics, preprocessed};
    try {
        ResourceCompiler compiler(script.parent_path(), out, readers,
                                  NamedFileFolders(script.parent_path(), options.includeFolders), diagnostics);
        compiler.RecordNamedFiles(record != nullptr ? &record->namedFiles : nullptr);
        compiler.UseSettings(settings);
        if (diagnostics != nullptr) {
            for (Diagnostic& warning : preprocessed.warnings) {
                diagnostics->Add(std::move(warning));
            }
        }
        compiler.Compile(preprocessed.text, std::move(preprocessed.codePages), std::move(preprocessed.codePageOrigins));
    } catch (const ScriptError& error) {
        if (error.IsPlaced() || error.Line() <= 0) {
            throw;
        }
        const PreprocessedScript::Place place = preprocessed.Locate(error.Line());
        throw ScriptError(*place.file, place.line, error.Text());
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
}

void CompileScriptFile(const std::filesystem::path& script, const std::filesystem::path& output,
                       const PreprocessOptions& options, const std::string& shownName, std::size_t readers,
                       DiagnosticSink* diagnostics) {
    const std::string name = shownName.empty() ? PathToUtf8(script) : shownName;
    std::optional<AtomicFile> out;
    try {
        out.emplace(output);
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
    CompileScript(script, out->Stream(), options, name, readers, diagnostics);
    try {
        out->Commit();
    } catch (const std::runtime_error& error) {
        throw ScriptError(name, 0, ReasonOf(error));
    }
}

}  // namespace brcc
