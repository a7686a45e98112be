// The decompiled script and its files on disk: each file whole or not at all, and none left behind on a failure.
#include <system_error>

#include "brcc32/decompile/decompile.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/output/atomic_file.h"
#include "brcc32/put_all.h"
#include "brcc32/script_error.h"

namespace brcc {
namespace {

void Put(std::streambuf& out, std::string_view bytes, const std::filesystem::path& path) {
    if (!PutAll(out, bytes)) {
        throw LocalizedError(Compose(msg::kCannotWrite, {PathToUtf8(path)}));
    }
}

class FolderTarget : public DecompileTarget {
public:
    FolderTarget(const std::filesystem::path& script) : m_folder(script.parent_path()), m_script(script) {}
    ~FolderTarget() override {
        if (m_done) {
            return;
        }
        std::error_code ignored;
        for (const std::filesystem::path& file : m_written) {
            std::filesystem::remove(file, ignored);
        }
    }

    void Text(std::string_view text) override { Put(m_script.Stream(), text, m_script.TemporaryPath()); }
    void File(const std::string& name, std::span<const std::uint8_t> bytes) override {
        const std::filesystem::path path = m_folder / PathFromUtf8(name);
        AtomicFile file(path);
        Put(file.Stream(), std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path);
        file.Commit();
        m_written.push_back(path);
    }

    void Finish(bool utf8) {
        if (utf8) {
            // The first line was written as long as the pragma, to be overwritten now that the text is known.
            m_script.Stream().pubseekpos(0);
            Put(m_script.Stream(), kUtf8Line, m_script.TemporaryPath());
        }
        m_script.Commit();
        m_done = true;
    }

private:
    std::filesystem::path m_folder;
    AtomicFile m_script;
    std::vector<std::filesystem::path> m_written;
    bool m_done = false;
};

}  // namespace

DecompileSummary WriteDecompiledScript(ResourceSource& source, const std::filesystem::path& script,
                                       DiagnosticSink* diagnostics, const std::string& shownName) {
    DecompileSummary summary;
    FolderTarget target(script);
    const bool utf8 = DecompileEntries(source, PathToUtf8(script.stem()), target, summary, diagnostics, shownName);
    target.Finish(utf8);
    return summary;
}

}  // namespace brcc
