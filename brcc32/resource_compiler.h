// Compiles a resource script into a .res stream: the part of brcc32 between the command line and the files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <streambuf>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "brcc32/res_writer.h"
#include "brcc32/script_parser.h"

namespace brcc {

class ResourceCompiler {
public:
    // Relative file names in the script are taken from `baseFolder`.
    ResourceCompiler(std::filesystem::path baseFolder, std::streambuf& out);

    // Throws ScriptError at the first fault; what was written to `out` by then is to be thrown away.
    // On success every byte has been handed to `out`.
    void Compile(std::string_view scriptText);

private:
    void CompileIconOrCursor(const ResourceStatement& statement);
    void CompileBitmap(const ResourceStatement& statement);
    void CompileRaw(const ResourceStatement& statement);
    void Claim(const ResourceId& type, const ResourceId& name, std::uint16_t language, int line);
    std::filesystem::path Resolve(const std::string& file) const;

    std::filesystem::path m_baseFolder;
    ResWriter m_writer;
    std::uint32_t m_nextImageId = 1;
    std::unordered_map<std::string, int> m_definedOnLine;  // type + name + language -> line
    std::string m_key;
    std::vector<std::uint8_t> m_chunk;
};

// Reads `script`, compiles it and replaces `output` only on success. Throws ScriptError.
void CompileScriptFile(const std::filesystem::path& script, const std::filesystem::path& output);

// What to call a resource id in a message: 7 or WAVE.
std::string DescribeId(const ResourceId& id);

}  // namespace brcc
