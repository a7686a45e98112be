// The help environment probe and the diagnostic log: the Windows side gathers and writes, the
// rules live in hh_text, hh_versions and hh_report.
#include "help/hh_funcs.h"

#include <shellapi.h>

#include "framework/ansi.h"
#include "framework/handles.h"
#include "help/file_kind.h"
#include "help/hh.h"
#include "help/hh_report.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace hh_funcs {

bool _hhInstalled = false;
std::string _hhVerStr;
std::uint16_t _hhVerMajor = 0;
std::uint16_t _hhVerMinor = 0;
std::uint16_t _hhVerRelease = 0;
std::uint16_t _hhVerBuild = 0;
std::string _hhFriendlyVerStr;
bool _ieInstalled = false;
std::string _ieVerStr;
std::string _ieFriendlyVerStr;
std::string _RunDir;
bool _DebugMode = false;
std::string _LogFileName = "\\HHDebug.txt";
std::string _LogDir;
std::string _ModulePath;
std::string _ModuleDir;
std::string _ModuleName;

namespace {

using help::IsDirectory;
using help::IsFile;

constexpr char kProbeFileName[] = "\\$_Temp_$.$$$";
constexpr char kMarkerFileName[] = "\\debug.debug";

int g_unitCounter = 0;

bool IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }

void StripTrailingBackslash(std::string& path) { StripTrailingChar(path, '\\', IsLeadByte); }

// Read whole, however long: a cut path would send the probe to a wrong folder.
std::string ModuleFileName(HMODULE module) {
    std::string buffer(MAX_PATH + 1, '\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Up to the last backslash or colon, a double-byte character's second byte never taken for one.
std::size_t NameStart(const std::string& path) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < path.size(); ++at) {
        if (IsLeadByte(static_cast<unsigned char>(path[at])) && at + 1 < path.size()) {
            ++at;
        } else if (path[at] == '\\' || path[at] == ':') {
            start = at + 1;
        }
    }
    return start;
}

std::string DirectoryOf(const std::string& path) {
    std::string dir = path.substr(0, NameStart(path));
    StripTrailingBackslash(dir);
    return dir;
}

// Parameters 1 up to the count, as the program was given them.
std::vector<std::string> CommandLineParameters() {
    std::vector<std::string> parameters;
    int count = 0;
    const framework::UniqueLocalMemory<LPWSTR> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!arguments) {
        return parameters;
    }
    for (int i = 1; i < count; ++i) {
        parameters.push_back(framework::WideToAnsiLenient(arguments.get()[i]));
    }
    return parameters;
}

std::string LogPath() { return _LogDir + _LogFileName; }

SYSTEMTIME ToSystemTime(const LocalTime& time) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    st.wSecond = static_cast<WORD>(time.second);
    return st;
}

LocalTime LocalTimeNow() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::string ShortDate(LCID locale, const LocalTime& time) {
    const SYSTEMTIME st = ToSystemTime(time);
    char text[128] = {};
    ::GetDateFormatA(locale, DATE_SHORTDATE, &st, nullptr, text, sizeof(text));
    return text;
}

std::string LongTime(LCID locale, const LocalTime& time) {
    const SYSTEMTIME st = ToSystemTime(time);
    char text[128] = {};
    ::GetTimeFormatA(locale, 0, &st, nullptr, text, sizeof(text));
    return text;
}

ReportLocale ThreadLocale() {
    const LCID lcid = ::GetThreadLocale();
    char decimal[8] = {};
    ::GetLocaleInfoA(lcid, LOCALE_SDECIMAL, decimal, sizeof(decimal));
    return {lcid, decimal[0] != '\0' ? decimal[0] : '.',
            [lcid](const LocalTime& time) { return ShortDate(lcid, time); },
            [lcid](const LocalTime& time) { return LongTime(lcid, time); }};
}

void DecideDebugMode() { _DebugMode = IsFile(_ModuleDir + kMarkerFileName) || HasDebugSwitch(CommandLineParameters()); }

// The probe's callers take a version as four parts and its text.
void Unpack(const TVersion& version, std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
            std::uint16_t& build, std::string& text) {
    major = version.major;
    minor = version.minor;
    release = version.release;
    build = version.build;
    text = VersionText(version);
}

}  // namespace

std::string GetSystemDir() {
    char buffer[261] = {};
    ::GetSystemDirectoryA(buffer, sizeof(buffer));
    std::string dir(buffer);
    StripTrailingBackslash(dir);
    return dir;
}

std::string GetTempDir() {
    std::string buffer(300, '\0');
    DWORD length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length > buffer.size()) {
        // Too long for the first buffer: the system said how much it needs.
        buffer.assign(length, '\0');
        length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    buffer.resize(length < buffer.size() ? length : 0);
    if (!IsDirectory(buffer)) {
        return "c:";
    }
    StripTrailingBackslash(buffer);
    return buffer;
}

bool IsDirWritable(const std::string& dir) {
    std::string probe = dir;
    StripTrailingBackslash(probe);
    probe += kProbeFileName;
    framework::UniqueFile file(::CreateFileA(probe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    file.reset();  // closed before it can be deleted
    ::DeleteFileA(probe.c_str());
    return true;
}

void GetFileVer(const std::string& fileName, std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release,
                std::uint16_t& build, std::string& text) {
    major = minor = release = build = 0;
    text.clear();
    if (fileName.empty() || !IsFile(fileName)) {
        return;
    }
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(fileName.c_str(), &ignored);
    if (size == 0) {
        return;
    }
    std::vector<char> info(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::GetFileVersionInfoA(fileName.c_str(), 0, size, info.data()) ||
        !::VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) || fixed == nullptr ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return;
    }
    Unpack({HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
            LOWORD(fixed->dwFileVersionLS)},
           major, minor, release, build, text);
}

std::string GetHHFriendlyVerStr() {
    TVersion version;
    std::string text;
    GetFileVer(hh::LocateHHLibrary(), version.major, version.minor, version.release, version.build, text);
    return text.empty() ? std::string() : HHReleaseName(version);
}

void GetIEVer(std::uint16_t& major, std::uint16_t& minor, std::uint16_t& release, std::uint16_t& build,
              std::string& text) {
    GetFileVer(GetSystemDir() + "\\Shdocvw.dll", major, minor, release, build, text);
    if (text.empty()) {
        return;
    }
    Unpack(FixUpIEVersion({major, minor, release, build}), major, minor, release, build, text);
}

std::string GetIEFriendlyVerStr() {
    TVersion version;
    std::string text;
    GetIEVer(version.major, version.minor, version.release, version.build, text);
    return text.empty() ? std::string() : IEReleaseName(version);
}

void DebugLog(std::string_view format, const std::vector<std::string>& arguments) {
    const framework::UniqueFile file(::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;  // this line is lost; the next one tries again
    }
    const std::string line =
        LogLine(FormatLogText(format, arguments), [] { return LongTime(::GetThreadLocale(), LocalTimeNow()); }) +
        "\r\n";
    DWORD written = 0;
    ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::FlushFileBuffers(file.get());
}

void WriteStartupReport() {
    if (IsFile(LogPath())) {
        ::DeleteFileA(LogPath().c_str());
    }
    if (!_DebugMode) {
        return;
    }
    OSVERSIONINFOA os{};
    os.dwOSVersionInfoSize = sizeof(os);
    ::GetVersionExA(&os);
    StartupReportInputs inputs;
    inputs.logPath = LogPath();
    inputs.now = LocalTimeNow();
    inputs.locale = ThreadLocale();
    inputs.platformId = os.dwPlatformId;
    inputs.majorVersion = os.dwMajorVersion;
    inputs.minorVersion = os.dwMinorVersion;
    inputs.buildNumber = os.dwBuildNumber;
    inputs.exePath = ModuleFileName(nullptr);
    inputs.parameters = CommandLineParameters();
    inputs.runDir = _RunDir;
    inputs.moduleName = _ModuleName;
    inputs.moduleDir = _ModuleDir;
    inputs.hhInstalled = _hhInstalled;
    inputs.hhVerStr = _hhVerStr;
    inputs.hhFriendlyVerStr = _hhFriendlyVerStr;
    inputs.ieInstalled = _ieInstalled;
    inputs.ieVerStr = _ieVerStr;
    inputs.ieFriendlyVerStr = _ieFriendlyVerStr;
    for (const LogCall& call : StartupReport(inputs)) {
        DebugLog(call.format, call.arguments);
    }
}

void Initialize() {
    if (--g_unitCounter != -1) {
        return;
    }
    _ModulePath = ModuleFileName(reinterpret_cast<HMODULE>(&__ImageBase));
    _ModuleDir = DirectoryOf(_ModulePath);
    _ModuleName = _ModulePath.substr(NameStart(_ModulePath));
    _RunDir = DirectoryOf(ModuleFileName(nullptr));
    // The write test runs at every start, the log on or off.
    _LogDir = IsDirWritable(_ModuleDir) ? _ModuleDir : GetTempDir();
    DecideDebugMode();
    // Each library's version is read once; its release name comes from what was read.
    GetFileVer(hh::LocateHHLibrary(), _hhVerMajor, _hhVerMinor, _hhVerRelease, _hhVerBuild, _hhVerStr);
    _hhInstalled = !_hhVerStr.empty();
    _hhFriendlyVerStr = _hhInstalled ? HHReleaseName({_hhVerMajor, _hhVerMinor, _hhVerRelease, _hhVerBuild}) : "";
    TVersion ie;
    GetIEVer(ie.major, ie.minor, ie.release, ie.build, _ieVerStr);
    _ieInstalled = !_ieVerStr.empty();
    _ieFriendlyVerStr = _ieInstalled ? IEReleaseName(ie) : "";
    WriteStartupReport();
}

void Finalize() {
    if (++g_unitCounter != 0) {
        return;
    }
    for (std::string* text : {&_hhVerStr, &_hhFriendlyVerStr, &_ieVerStr, &_ieFriendlyVerStr, &_RunDir, &_LogFileName,
                              &_LogDir, &_ModulePath, &_ModuleDir, &_ModuleName}) {
        std::string().swap(*text);
    }
}

}  // namespace hh_funcs
