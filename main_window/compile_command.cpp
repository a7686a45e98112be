// File names and the command line that Compile hands to the resource compiler, and what it tells of the result.
#include "main_window/compile_command.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <iterator>

namespace talvorine {

std::wstring BareName(std::wstring_view path) {
    const size_t cut = path.find_last_of(L"\\:");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring CompileCommandLine(std::wstring_view bareName) {
    std::wstring name(bareName);
    if (name.starts_with(L'-') || name.starts_with(L'/')) {
        name.insert(0, L".\\");
    }
    if (name.find(L' ') != std::wstring::npos) {
        name = L'"' + name + L'"';
    }
    return L"brcc32 " + name;
}

std::wstring CompileFailureStatus(std::optional<std::uint32_t> exitCode) {
    if (!exitCode) {
        return L"Résultat de la compilation inconnu !";
    }
    std::wstring code;
    // A process that crashed ends with the system's status code, which is read in hexadecimal.
    if (*exitCode >= 0x80000000u) {
        wchar_t hex[16];
        std::swprintf(hex, std::size(hex), L"0x%08X", static_cast<unsigned>(*exitCode));
        code = hex;
    } else {
        code = std::to_wstring(*exitCode);
    }
    return L"Échec de la compilation (code " + code + L") !";
}

std::wstring CompilerReport(std::wstring_view output) {
    std::wstring report;
    size_t lines = 0;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            end = output.size();
        }
        std::wstring_view line = output.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == L' ' || line.back() == L'\t')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(L" \t") == std::wstring_view::npos) {
            continue;
        }
        if (lines == kReportLines) {
            report += L"\n…";
            break;
        }
        if (lines++ > 0) {
            report += L'\n';
        }
        report += line;
    }
    return report;
}

bool ReportsWarning(std::wstring_view output) {
    constexpr std::wstring_view kWord = L"warning";
    const auto sameLetter = [](wchar_t a, wchar_t b) { return static_cast<wchar_t>(std::towlower(a)) == b; };
    const auto isLetter = [](wchar_t c) { return std::iswalpha(c) != 0; };
    for (auto at = output.begin();;) {
        at = std::search(at, output.end(), kWord.begin(), kWord.end(), sameLetter);
        if (at == output.end()) {
            return false;
        }
        // The word itself, not part of one ("nowarnings").
        const auto after = at + static_cast<std::ptrdiff_t>(kWord.size());
        if ((at == output.begin() || !isLetter(at[-1])) && (after == output.end() || !isLetter(*after))) {
            return true;
        }
        ++at;
    }
}

}  // namespace talvorine
