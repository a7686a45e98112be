// The resources Talvorine.exe carries: the start-up chime, the manifest, the icon, the
// tool-bar glyphs and the encoding row's dialog template.
#include <gtest/gtest.h>

#include <cstdlib>
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
    EXPECT_EQ(At<WORD>(d, 20), 1);        // PCM
    EXPECT_EQ(At<WORD>(d, 22), 1);        // mono
    EXPECT_EQ(At<DWORD>(d, 24), 22050u);  // samples per second
    EXPECT_EQ(At<DWORD>(d, 28), 44100u);  // bytes per second
    EXPECT_EQ(At<WORD>(d, 32), 2);        // block alignment
    EXPECT_EQ(At<WORD>(d, 34), 16);       // bits per sample
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
    // Exactly this: the application, one dependency, nothing else.
    EXPECT_EQ(
        xml,
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\n"
        "  <assemblyIdentity type=\"win32\" name=\"Talvorine\" version=\"1.0.0.0\" processorArchitecture=\"*\"/>\n"
        "  <dependency>\n"
        "    <dependentAssembly>\n"
        "      <assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"\n"
        "                        processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>\n"
        "    </dependentAssembly>\n"
        "  </dependency>\n"
        "</assembly>\n");
    EXPECT_NE(xml.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(xml.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
    EXPECT_EQ(xml.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(xml.find("dpiAware"), std::string::npos);
}

TEST(ExecutableResources, MainIconIsOne32x32ImageIn16ColoursWithItsMask) {
    framework::UniqueModule exe(::LoadLibraryExW(g_executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    const ResourceBytes group = Find(exe.get(), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, L"MAINICON", neutral);
    ASSERT_NE(group.data, nullptr);
    ASSERT_EQ(At<WORD>(group.data, 4), 1);  // one image
    const unsigned char* entry = group.data + 6;
    EXPECT_EQ(entry[0], 32);           // width
    EXPECT_EQ(entry[1], 32);           // height
    EXPECT_EQ(entry[2], 16);           // colours
    EXPECT_EQ(At<WORD>(entry, 6), 4);  // bits per pixel
    const ResourceBytes image =
        Find(exe.get(), MAKEINTRESOURCEW(3) /* RT_ICON */, MAKEINTRESOURCEW(At<WORD>(entry, 12)), neutral);
    ASSERT_NE(image.data, nullptr);
    const auto header = At<BITMAPINFOHEADER>(image.data, 0);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64);  // the colours, then the 1-bit mask
    EXPECT_EQ(header.biBitCount, 4);
    ASSERT_EQ(image.size, 40u + 16 * 4 + 32 * 32 / 2 + 32 * 4);
    // Its subject: a black frame, a white square, and a yellow cog wheel at the centre.
    const unsigned char* colours = image.data + 40 + 64;
    const auto pixel = [&](int x, int y) {
        const unsigned char pair = colours[(31 - y) * 16 + x / 2];
        const unsigned char index = x % 2 == 0 ? pair >> 4 : pair & 15;
        return At<RGBQUAD>(image.data, 40 + index * 4);
    };
    const auto is = [](RGBQUAD c, BYTE r, BYTE g, BYTE b) {
        return c.rgbRed == r && c.rgbGreen == g && c.rgbBlue == b;
    };
    EXPECT_TRUE(is(pixel(1, 15), 0, 0, 0));
    EXPECT_TRUE(is(pixel(4, 4), 255, 255, 255));
    int yellow = 0;
    for (int y = 8; y < 24; ++y) {
        for (int x = 8; x < 24; ++x) yellow += is(pixel(x, y), 255, 255, 0);
    }
    EXPECT_GT(yellow, 60);
}

TEST(ExecutableResources, SixGlyphsOf16x16At32BitsOnlyTheHelpBookWithPartialAlpha) {
    framework::UniqueModule exe(::LoadLibraryExW(g_executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    const ResourceBytes strip =
        Find(exe.get(), MAKEINTRESOURCEW(2) /* RT_BITMAP */, L"IMAGELIST1", MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(strip.data, nullptr);
    const auto header = At<BITMAPINFOHEADER>(strip.data, 0);
    ASSERT_EQ(header.biWidth, 6 * 16);
    ASSERT_EQ(std::abs(header.biHeight), 16);
    ASSERT_EQ(header.biBitCount, 32);
    ASSERT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    ASSERT_GE(strip.size, 40u + 96 * 16 * 4);
    for (int glyph = 0; glyph < 6; ++glyph) {
        SCOPED_TRACE(glyph);
        int transparent = 0, opaque = 0, partial = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = glyph * 16; x < glyph * 16 + 16; ++x) {
                const BYTE alpha = strip.data[40 + (y * 96 + x) * 4 + 3];
                (alpha == 0 ? transparent : alpha == 255 ? opaque : partial) += 1;
            }
        }
        EXPECT_GT(transparent, 0);  // the mask has something to hide
        EXPECT_GT(opaque, 64);
        EXPECT_EQ(partial > 0, glyph == 4);
    }
}

TEST(ExecutableResources, EncodingRowTemplateHoldsItsLabelAndAChooseOnlyList) {
    framework::UniqueModule exe(::LoadLibraryExW(g_executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(exe);
    framework::UniqueWindow parent(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr));
    HWND row = ::CreateDialogParamW(
        exe.get(), L"TEXTFILEDLG", parent.get(), [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR CALLBACK { return FALSE; },
        0);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(::GetWindowLongW(row, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(::GetWindowLongW(row, GWL_STYLE) & DS_CONTROL);
    EXPECT_NE(::GetDlgItem(row, 1119), nullptr);  // the place of the dialog's own controls
    wchar_t text[32] = {};
    ::GetDlgItemTextW(row, 1300, text, 32);
    EXPECT_STREQ(text, L"Encodage :");
    HWND list = ::GetDlgItem(row, 1301);
    ASSERT_NE(list, nullptr);
    wchar_t className[32] = {};
    ::GetClassNameW(list, className, 32);
    EXPECT_STREQ(className, L"ComboBox");
    EXPECT_EQ(::GetWindowLongW(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

// What the file's properties show, in French.
TEST(ExecutableResources, VersionInformationNamesTheProductInFrench) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(g_executable.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource";
    std::string block(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoW(g_executable.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    WORD* translation = nullptr;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH));
    EXPECT_EQ(translation[1], 1200);  // UTF-16
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"ProductName", L"Talvorine"},
        {L"ProductVersion", L"1.0.0.0"},
        {L"FileVersion", L"1.0.0.0"},
        {L"FileDescription", L"Shell pour BRCC32"},
        {L"LegalCopyright", L"\u00a9 2026 les d\u00e9veloppeurs de Talvorine"},
    };
    for (const auto& s : strings) {
        wchar_t* value = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040C04B0\\") + s.name;
        ASSERT_TRUE(::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << std::string(path.begin(), path.end());
        EXPECT_STREQ(value, s.value);
    }
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        g_executable = WindowsPath(argv[1]);
    }
    return RUN_ALL_TESTS();
}
