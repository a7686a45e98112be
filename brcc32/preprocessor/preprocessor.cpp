// A C preprocessor of its own, so that the compiler needs no other program and no SDK: the Windows headers a
// script includes are built in. This part runs it and keeps its output; the lines are read in line_reader.cpp,
// directives are obeyed in directives.cpp and macros are expanded in macro_expansion.cpp.
#include "brcc32/preprocessor/preprocessor.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

#include "brcc32/files/input_file.h"
#include "brcc32/preprocessor/preprocessor_impl.h"
#include "brcc32/text/code_page.h"

namespace brcc {
namespace {

std::optional<std::string> ReadFromDisk(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return ReadTextFile(path);
}

// Text saved as UTF-16 without its byte-order mark: mostly ASCII, so at least every other unit of its start has a
// NUL byte, always the same one of its two.
bool LooksLikeUtf16(std::string_view bytes) {
    const std::size_t size = std::min<std::size_t>(bytes.size() & ~std::size_t{1}, 512);
    std::size_t evenNuls = 0;
    std::size_t oddNuls = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\0') {
            ++(i % 2 == 0 ? evenNuls : oddNuls);
        }
    }
    const std::size_t units = size / 2;
    return units > 0 && (evenNuls == 0 || oddNuls == 0) && std::max(evenNuls, oddNuls) * 2 >= units;
}

// __DATE__ and __TIME__ as C compilers write them: "Dec  7 2026" and "17:56:03", in English whatever the locale.
std::pair<std::string, std::string> DateAndTime() {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr) {
        return {"\"Jan  1 1970\"", "\"00:00:00\""};
    }
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "\"%s %2d %d\"", kMonths[local->tm_mon % 12], local->tm_mday,
                  local->tm_year + 1900);
    std::snprintf(time, sizeof time, "\"%02d:%02d:%02d\"", local->tm_hour, local->tm_min, local->tm_sec);
    return {date, time};
}

}  // namespace

PreprocessedScript::Place PreprocessedScript::Locate(int outputLine) const {
    auto after = std::upper_bound(segments.begin(), segments.end(), outputLine,
                                  [](int line, const Segment& segment) { return line < segment.outputLine; });
    if (after == segments.begin()) {
        return {&files.front(), outputLine};
    }
    const Segment& segment = *(after - 1);
    return {&files[static_cast<std::size_t>(segment.file)], segment.line + (outputLine - segment.outputLine)};
}

Preprocessor::Impl::Impl(PreprocessOptions options, FileReader reader)
    : m_options(std::move(options)), m_reader(std::move(reader)) {
    if (!m_reader) {
        m_reader = ReadFromDisk;
    }
}

Preprocessor::Preprocessor(PreprocessOptions options, FileReader reader)
    : m_impl(std::make_unique<Impl>(std::move(options), std::move(reader))) {}

Preprocessor::~Preprocessor() = default;

PreprocessedScript Preprocessor::Run(std::string text, const std::filesystem::path& path, const std::string& name) {
    return m_impl->Run(std::move(text), path, name);
}

PreprocessedScript Preprocessor::Impl::Run(std::string text, const std::filesystem::path& path,
                                           const std::string& name) {
    m_script = PreprocessedScript();
    m_script.files.push_back(name);
    m_script.codePages.push_back({1, m_options.codePage});
    SetCodePageFrom(1, m_options.codePage, m_options.codePageGiven ? Compose(msg::kSetByCommandLine) : LocalText{});
    // As Windows' resource compiler: scripts test these to leave out what only a C compiler reads.
    DefineFromCommandLine("RC_INVOKED");
    for (const std::string& definition : TargetMacros(m_options.machine)) {
        DefineFromCommandLine(definition);
    }
    const auto [date, time] = DateAndTime();
    DefineFromCommandLine("__DATE__=" + date);
    DefineFromCommandLine("__TIME__=" + time);
    m_firstChars['_'] = true;
    for (const std::string& definition : m_options.defines) {
        DefineFromCommandLine(definition);
    }
    for (const std::string& undefined : m_options.undefines) {
        m_macros[undefined].undefined = true;
    }
    SourceFile file;
    file.folder = path.parent_path();
    file.key = FileKey(path);
    file.shownFolder = PathFromUtf8(name).parent_path();
    file.text = NewText(file, std::move(text));
    m_script.segments.push_back({1, 0, 1});
    m_inPlace = &file;
    m_written = 0;
    Process(file, 0);
    if (m_inPlace != nullptr) {
        file.text.resize(m_written);
        m_script.text = std::move(file.text);
        m_inPlace = nullptr;
    }
    return std::move(m_script);
}

// The file's bytes as UTF-8 text; a UTF-16 file with its byte-order mark is converted and read as Unicode.
std::string Preprocessor::Impl::NewText(SourceFile& file, std::string bytes) {
    if (std::optional<std::string> converted = Utf16FileToUtf8(bytes)) {
        SetCodePage(kCodePageUtf8);
        return LoneCrsEndingLines(std::move(*converted));
    }
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        const int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(nul), '\n'));
        if (LooksLikeUtf16(bytes)) {
            Fail(file, line, Compose(msg::kUtf16WithoutMark));
        }
        Fail(file, line,
             Compose(msg::kNulBytes, {m_script.files[static_cast<std::size_t>(file.index)], std::to_string(nul)}));
    }
    bytes = LoneCrsEndingLines(std::move(bytes));
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        ReadUtf8Mark(file, bytes);
    }
    return bytes;
}

void Preprocessor::Impl::ReadUtf8Mark(const SourceFile& file, std::string_view text) {
    if (m_codePageOrigin.english.empty()) {
        SetCodePage(kCodePageUtf8);
        return;
    }
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        const std::string& name = m_script.files[static_cast<std::size_t>(file.index)];
        m_script.warnings.push_back(
            {Severity::kWarning, name, 1, Compose(msg::kBomUnderCodePage, {name, std::to_string(m_codePage)})});
    }
}

// A lone CR ends a line, as in files saved by old Macintosh editors: read as LF, the lines stay apart.
std::string Preprocessor::Impl::LoneCrsEndingLines(std::string text) {
    for (std::size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', cr + 1)) {
        if (cr + 1 == text.size() || text[cr + 1] != '\n') {
            text[cr] = '\n';
        }
    }
    return text;
}

void Preprocessor::Impl::SetCodePageFrom(int outputLine, std::uint32_t codePage, LocalText origin) {
    if (origin != m_codePageOrigin) {
        m_script.codePageOrigins.push_back({outputLine, origin});
        m_codePageOrigin = std::move(origin);
    }
    m_codePage = codePage;
    m_pairs = HasDoubleByteCharacters(codePage) ? FindCodePageTable(codePage) : nullptr;
    auto& pages = m_script.codePages;
    if (!pages.empty() && pages.back().first == outputLine) {
        pages.back().second = codePage;
    } else if (pages.empty() || pages.back().second != codePage) {
        pages.push_back({outputLine, codePage});
    }
}

void Preprocessor::Impl::EndLines(int count) {
    static constexpr std::string_view kNewLines = "\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n";
    for (int left = count; left > 0; left -= static_cast<int>(kNewLines.size())) {
        Emit(kNewLines.substr(0, std::min<std::size_t>(static_cast<std::size_t>(left), kNewLines.size())));
    }
    m_outputLine += count;
}

// The script's output goes over its own text, behind the line being read, for as long as it is no longer than
// what was read: that is every script without include files, unless its macros make lines longer.
void Preprocessor::Impl::Emit(std::string_view text) {
    if (m_inPlace != nullptr) {
        if (m_written + text.size() <= m_inPlace->position) {
            std::copy(text.begin(), text.end(), m_inPlace->text.begin() + static_cast<long>(m_written));
            m_written += text.size();
            return;
        }
        LeaveInPlace();
    }
    m_script.text.append(text);
}

void Preprocessor::Impl::LeaveInPlace() {
    if (m_inPlace != nullptr) {
        m_script.text.assign(m_inPlace->text, 0, m_written);
        m_inPlace = nullptr;
    }
}

}  // namespace brcc
