// Times Talvorine's main window against Wine's notepad: start-up, a 10 MB script's Open and Save As, peak memory.
#include <windows.h>
// After windows.h, which they need.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "main_window/form1_ids.h"
#include "tests/support/window_driver.h"

namespace talvorine::bench {
namespace {

namespace fs = std::filesystem;
using namespace talvorine::e2e;

constexpr wchar_t kNotepad[] = L"C:\\windows\\notepad.exe";
// Wine's notepad's menu commands File > Open... and File > Save as...
constexpr WPARAM kNotepadOpen = 0x101;
constexpr WPARAM kNotepadSaveAs = 0x103;
constexpr size_t kScriptBytes = 10 * 1024 * 1024;
// Loading 10 MB into an edit control under Wine takes seconds; a run that goes past this has hung.
constexpr DWORD kLoadTimeoutMs = 180000;

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&m_start); }
    double Seconds() const {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start{};
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::ranges::sort(values);
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "main_window_bench: %s\n", what.c_str());
    std::exit(1);
}

// Resource lines such as a real script has, CRLF-separated, no break after the last.
std::string MakeScript() {
    std::string text;
    text.reserve(kScriptBytes + 64);
    char line[96];
    for (int i = 0; text.size() < kScriptBytes; ++i) {
        const int length = std::snprintf(line, sizeof line, "%sRES_%06d RCDATA \"donnees\\\\fichier_%06d.bin\"",
                                         i == 0 ? "" : "\r\n", i, i);
        text.append(line, static_cast<size_t>(length));
    }
    return text;
}

struct Memory {
    double peakWorkingSetMb = 0;
    double peakPagefileMb = 0;
};

Memory PeakMemory(const Process& process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters)) {
        return {};
    }
    return {static_cast<double>(counters.PeakWorkingSetSize) / (1024 * 1024),
            static_cast<double>(counters.PeakPagefileUsage) / (1024 * 1024)};
}

void Close(Process& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.WaitForExit(5000)) {
        process.Kill();
    }
}

// Seconds from CreateProcess to the main window being visible.
double StartUp(const std::wstring& exe, const wchar_t* className, const std::wstring& folder) {
    Stopwatch watch;
    Process process = Process::Start(exe, L"", folder);
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = FindTopLevelWindow(process.Id(), className)) != nullptr; }, kDefaultTimeoutMs,
                   1)) {
        Fail("no window of class " + Narrow(className));
    }
    const double seconds = watch.Seconds();
    Close(process, window);
    return seconds;
}

LRESULT TextLength(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kLoadTimeoutMs, &length);
    return static_cast<LRESULT>(length);
}

struct FileTimes {
    double open = 0;
    double save = 0;
    Memory memory;
};

// One file dialog, timed: `command` (sent to `window`) opens it, titled `title` (any title when empty), `file` is
// chosen in it; seconds from its OK until `done` holds. `what` names the step in a failure.
double TimeFileDialog(const Process& process, HWND window, WPARAM command, std::wstring_view title,
                      const fs::path& file, const std::function<bool()>& done, const std::string& what) {
    PostMessageW(window, WM_COMMAND, command, 0);
    auto dialog = FileDialog::WaitFor(process.Id(), title);
    if (!dialog) {
        Fail("no dialog for " + what);
    }
    dialog->SetFileName(file.wstring());
    Stopwatch watch;
    dialog->Confirm();
    if (!WaitUntil(done, kLoadTimeoutMs, 1)) {
        Fail(what + " did not end");
    }
    return watch.Seconds();
}

// Open, then Save As, each through its dialog: seconds from the dialog's OK to the status line's report.
FileTimes TalvorineOpenAndSave(const std::wstring& exe, const fs::path& script, const fs::path& saved,
                               LRESULT expectedLength) {
    Process process = Process::Start(exe, L"", script.parent_path().wstring());
    HWND window = WaitForTopLevelWindow(process.Id(), kForm1ClassName);
    if (window == nullptr) {
        Fail("Talvorine's window did not show");
    }
    HWND memo = FindDescendantById(window, kIdMemo1);
    HWND status = FindDescendantById(window, kIdLabel2);
    FileTimes times;

    const auto reports = [status](const wchar_t* text) { return [status, text] { return ReadText(status) == text; }; };
    times.open = TimeFileDialog(process, window, MAKEWPARAM(kCmdOuvrir, 0), L"Ouvrir fichier...", script,
                                reports(L"Fichier .rc ouvert !"), "Talvorine's open");
    if (TextLength(memo) != expectedLength) {
        Fail("the memo does not hold the whole script");
    }
    times.memory = PeakMemory(process);

    fs::remove(saved);
    times.save = TimeFileDialog(process, window, MAKEWPARAM(kCmdEnregistrer, 0), L"Enregistrer sous...", saved,
                                reports(L"Fichier .rc enregistré !"), "Talvorine's save");
    if (fs::file_size(saved) != static_cast<uintmax_t>(expectedLength)) {
        Fail("Talvorine's saved file has the wrong size");
    }
    Close(process, window);
    return times;
}

// Notepad given the file on its command line: seconds from CreateProcess to the whole text in its edit control.
FileTimes NotepadLoad(const fs::path& script, LRESULT expectedLength) {
    Stopwatch watch;
    Process process = Process::Start(kNotepad, L"\"" + script.wstring() + L"\"", script.parent_path().wstring());
    HWND window = nullptr;
    HWND edit = nullptr;
    const bool loaded = WaitUntil(
        [&] {
            window = FindTopLevelWindow(process.Id(), L"Notepad");
            edit = window != nullptr ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
            return edit != nullptr && TextLength(edit) == expectedLength;
        },
        kLoadTimeoutMs, 1);
    if (!loaded) {
        Fail("notepad did not load the script");
    }
    FileTimes times;
    times.open = watch.Seconds();
    times.memory = PeakMemory(process);
    Close(process, window);
    return times;
}

// The same two commands through notepad's own menu commands and dialogs, timed from OK in the same way: until its
// edit control holds the whole text, and until the saved file is whole and named in the title bar.
FileTimes NotepadOpenAndSave(const fs::path& script, const fs::path& saved, LRESULT expectedLength) {
    Process process = Process::Start(kNotepad, L"", script.parent_path().wstring());
    HWND window = WaitForTopLevelWindow(process.Id(), L"Notepad");
    HWND edit = window != nullptr ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    if (edit == nullptr) {
        Fail("notepad's window did not show");
    }
    FileTimes times;
    times.open = TimeFileDialog(
        process, window, kNotepadOpen, {}, script, [&] { return TextLength(edit) == expectedLength; },
        "notepad's open");
    times.memory = PeakMemory(process);

    fs::remove(saved);
    const std::wstring savedName = saved.filename().wstring();
    times.save = TimeFileDialog(
        process, window, kNotepadSaveAs, {}, saved,
        [&] {
            std::error_code error;
            return ReadText(window).find(savedName) != std::wstring::npos &&
                   fs::file_size(saved, error) == static_cast<uintmax_t>(expectedLength);
        },
        "notepad's save");
    Close(process, window);
    return times;
}

void PrintRow(const char* what, double ours, double reference, const char* unit) {
    std::printf("%-44s %12.3f %12.3f %9.2f  %s\n", what, ours, reference, reference > 0 ? ours / reference : 0.0, unit);
}

}  // namespace
}  // namespace talvorine::bench

int main(int argc, char** argv) {
    using namespace talvorine::bench;
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <Talvorine.exe> <scratch folder> [file runs] [start-up runs]\n", argv[0]);
        return 2;
    }
    const std::wstring sourceExe = LinuxPathToWindows(argv[1]);
    const fs::path scratch = LinuxPathToWindows(argv[2]);
    // Each file run loads the 10 MB script three times (about 10 s each under Wine): few of them, more start-ups.
    // 0 file runs measures the start-up alone.
    const int runs = argc > 3 ? std::max(0, std::atoi(argv[3])) : 3;
    const int startUps = argc > 4 ? std::max(1, std::atoi(argv[4])) : 11;

    // A copy in a folder of its own, as the tests run it: nothing beside it but the script.
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const std::wstring exe = (scratch / L"Talvorine.exe").wstring();
    fs::copy_file(sourceExe, exe);
    const fs::path script = scratch / L"gros_script.rc";
    const std::string text = MakeScript();
    std::ofstream(script, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
    const auto expectedLength = static_cast<LRESULT>(text.size());

    // A first start of each, not counted: loads both into the system's file cache.
    StartUp(exe, talvorine::kForm1ClassName, scratch.wstring());
    StartUp(kNotepad, L"Notepad", scratch.wstring());

    // Alternating runs, so that a slow spell of the machine weighs on both sides alike.
    std::vector<double> ourStart, notepadStart;
    for (int i = 0; i < startUps; ++i) {
        ourStart.push_back(StartUp(exe, talvorine::kForm1ClassName, scratch.wstring()));
        notepadStart.push_back(StartUp(kNotepad, L"Notepad", scratch.wstring()));
    }
    std::vector<double> ourOpen, ourSave, notepadLoad, notepadOpen, notepadSave;
    std::vector<double> ourPeak, ourPagefile, notepadPeak, notepadPagefile;
    for (int i = 0; i < runs; ++i) {
        const auto ours = TalvorineOpenAndSave(exe, script, scratch / L"copie.rc", expectedLength);
        ourOpen.push_back(ours.open);
        ourSave.push_back(ours.save);
        ourPeak.push_back(ours.memory.peakWorkingSetMb);
        ourPagefile.push_back(ours.memory.peakPagefileMb);
        const auto viaDialogs = NotepadOpenAndSave(script, scratch / L"copie.txt", expectedLength);
        notepadOpen.push_back(viaDialogs.open);
        notepadSave.push_back(viaDialogs.save);
        const auto notepad = NotepadLoad(script, expectedLength);
        notepadLoad.push_back(notepad.open);
        notepadPeak.push_back(notepad.memory.peakWorkingSetMb);
        notepadPagefile.push_back(notepad.memory.peakPagefileMb);
    }
    const double notepadStartMedian = Median(notepadStart);
    const double notepadNetLoad = std::max(0.0, Median(notepadLoad) - notepadStartMedian);

    std::printf("\nMain window against Wine's notepad: medians of %zu start-ups and %d file runs, alternating.\n",
                ourStart.size(), runs);
    std::printf("Script: %.1f MB, %s\n\n", static_cast<double>(text.size()) / (1024 * 1024),
                "CRLF lines of RCDATA resources.");
    std::printf("%-44s %12s %12s %9s\n", "measure", "Talvorine", "notepad", "ratio");
    PrintRow("start-up to visible window", Median(ourStart), notepadStartMedian, "s");
    if (runs > 0) {
        PrintRow("open 10 MB, both through their dialogs", Median(ourOpen), Median(notepadOpen), "s");
        PrintRow("open 10 MB vs notepad given it as argument", Median(ourOpen), notepadNetLoad, "s");
        PrintRow("save as 10 MB, both through their dialogs", Median(ourSave), Median(notepadSave), "s");
        PrintRow("peak working set after the open", Median(ourPeak), Median(notepadPeak), "MB");
        PrintRow("peak pagefile usage after the open", Median(ourPagefile), Median(notepadPagefile), "MB");
    }
    std::printf(
        "\nratio = Talvorine / notepad: at or below 1.00 Talvorine is not slower (or not bigger).\n"
        "Start-up: from CreateProcess to the main window being visible.\n"
        "Through the dialogs: from the dialog's OK to the end of the command. Talvorine: its status line reports\n"
        "the open (the memo then holds every character) or the save (the file then has every byte). Notepad: its\n"
        "edit control holds every character, or the saved file has every byte and its name is in the title bar.\n"
        "Given it as argument: notepad started with the script, timed until its edit control holds the whole text\n"
        "(median %.3f s), less its median start-up without a file (%.3f s).\n"
        "Peak memory: GetProcessMemoryInfo of each process once the text is in, i.e. before the save.\n",
        Median(notepadLoad), notepadStartMedian);
    fs::remove_all(scratch);
    return 0;
}
