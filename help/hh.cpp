// Binding of the HTML Help engine.
#include "help/hh.h"

#include <vector>

#include "framework/handles.h"
#include "help/file_kind.h"

namespace hh {

HMODULE HHLibHandle = nullptr;
bool HHAutoLoad = true;
THtmlHelpA HtmlHelpA = nullptr;
THtmlHelpW HtmlHelpW = nullptr;
THtmlHelpA HtmlHelp = nullptr;

namespace {

constexpr char kHHControlServerKey[] = "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

int g_unitCounter = 0;

// The key's default value when it is a string; anything else counts as absent.
std::string DefaultStringValue(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0) {
        return {};
    }
    std::vector<char> buffer(size + 1, '\0');
    if (::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return {};
    }
    return std::string(buffer.data());  // up to the first zero, whatever size says
}

template <typename Entry>
Entry Export(const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(HHLibHandle, name)));
}

}  // namespace

std::string LocateHHLibrary() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kHHControlServerKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {};
    }
    const framework::UniqueRegistryKey key(opened);
    // Used as stored: a %VAR% in it stays unexpanded, and so names no file.
    std::string path = DefaultStringValue(key.get());
    if (!path.empty() && !help::IsFile(path)) {
        path.clear();
    }
    return path;
}

void LoadHHLibrary() {
    if (HHLibHandle != nullptr) {
        return;
    }
    const std::string path = LocateHHLibrary();  // empty unless it names a file
    if (path.empty()) {
        return;
    }
    HHLibHandle = ::LoadLibraryA(path.c_str());
    if (HHLibHandle == nullptr) {
        return;
    }
    HtmlHelpA = Export<THtmlHelpA>("HtmlHelpA");
    HtmlHelpW = Export<THtmlHelpW>("HtmlHelpW");
    HtmlHelp = Export<THtmlHelpA>("HtmlHelpA");
}

void UnloadHHLibrary() {
    if (HHLibHandle == nullptr) {
        return;
    }
    ::FreeLibrary(HHLibHandle);
    HtmlHelpA = nullptr;
    HtmlHelpW = nullptr;
    HtmlHelp = nullptr;
    HHLibHandle = nullptr;
}

void Initialize() {
    if (--g_unitCounter != -1) {
        return;
    }
    if (HHAutoLoad) {
        LoadHHLibrary();
    }
}

void Finalize() {
    if (++g_unitCounter != 0) {
        return;
    }
    UnloadHHLibrary();
}

}  // namespace hh
