// The resources Talvorine.exe carries: the start-up chime and the manifest.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/handles.h"

namespace {

std::wstring g_executable;

std::wstring WindowsPath(const char* path) {
    std::wstring wide(path, path + std::strlen(path));
    if (!wide.empty() && wide[0] == L'/') {
        wide = L"Z:" + wide;  // Wine shows the Linux root as drive Z:
    }
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

struct ResourceBytes {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

ResourceBytes Find(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language) {
    HRSRC resource = ::FindResourceExW(module, type, name, language);
    if (resource == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(::LockResource(::LoadResource(module, resource))),
            ::SizeofResource(module, resource)};
}

template <typename T>
T At(const unsigned char* data, size_t offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

}  // namespace

TEST(ExecutableResources, StartupChimeIsTheFrenchWaveResource) {
    framework::UniqueModule exe(::LoadLibraryExW(g_executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe) << "cannot load " << std::string(g_executable.begin(), g_executable.end());
    // Looked up by the name the program plays it by: resource names ignore case.
    const ResourceBytes wave = Find(exe.get(), L"WAVE", L"Talvorine", MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    ASSERT_NE(wave.data, nullptr);
    ASSERT_EQ(wave.size, 53864u);
    const unsigned char* d = wave.data;
    EXPECT_EQ(std::memcmp(d, "RIFF", 4), 0);
    EXPECT_EQ(At<DWORD>(d, 4), 53864u - 8);
    EXPECT_EQ(std::memcmp(d + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(At<WORD>(d, 20), 1);          // PCM
    EXPECT_EQ(At<WORD>(d, 22), 1);          // mono
    EXPECT_EQ(At<DWORD>(d, 24), 22050u);    // samples per second
    EXPECT_EQ(At<DWORD>(d, 28), 44100u);    // bytes per second
    EXPECT_EQ(At<WORD>(d, 32), 2);          // block alignment
    EXPECT_EQ(At<WORD>(d, 34), 16);         // bits per sample
    EXPECT_EQ(std::memcmp(d + 36, "data", 4), 0);
    EXPECT_EQ(At<DWORD>(d, 40), 53820u);
}

TEST(ExecutableResources, ManifestAsksForCommonControlsSix) {
    framework::UniqueModule exe(::LoadLibraryExW(g_executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    const ResourceBytes manifest =
        Find(exe.get(), MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(manifest.data, nullptr);
    const std::string xml(reinterpret_cast<const char*>(manifest.data), manifest.size);
    EXPECT_NE(xml.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    EXPECT_EQ(xml.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(xml.find("dpiAware"), std::string::npos);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        g_executable = WindowsPath(argv[1]);
    }
    return RUN_ALL_TESTS();
}
