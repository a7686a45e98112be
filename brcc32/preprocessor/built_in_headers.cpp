// The constants of the Windows headers that scripts include, built in so that the compiler needs no SDK.
#include "brcc32/preprocessor/built_in_headers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

#include "brcc32/preprocessor/tokens.h"

namespace brcc {
namespace {

struct BuiltInSource {
    std::string_view name;
    std::string_view value;
    std::uint16_t groups;
};

// Read only while compiling, to build kBuiltInMacros: it holds pointers, which would be relocated, so read whole,
// at every start of the program.
constexpr BuiltInSource kBuiltInSources[] = {
#include "brcc32/preprocessor/windows_headers.inc"
};

constexpr std::size_t BuiltInTextSize() {
    std::size_t size = 0;
    for (const BuiltInSource& source : kBuiltInSources) {
        size += source.name.size() + source.value.size();
    }
    return size;
}

constexpr std::size_t kBuiltInCount = std::size(kBuiltInSources);

// Each entry's name and value follow one another in one array of text, and entries say where: records of
// fixed-size text arrays made the table four times larger.
struct BuiltInEntry {
    std::uint32_t offset;
    std::uint8_t nameSize;
    std::uint8_t valueSize;
    std::uint16_t groups;
};

struct BuiltInTable {
    std::array<char, BuiltInTextSize()> text;
    std::array<BuiltInEntry, kBuiltInCount> entries;
};

constexpr BuiltInTable PackBuiltIns() {
    BuiltInTable table{};
    std::size_t offset = 0;
    for (std::size_t i = 0; i < kBuiltInCount; ++i) {
        const BuiltInSource& source = kBuiltInSources[i];
        if (source.name.size() > 255 || source.value.size() > 255) {
            throw "a built-in name or value is longer than an entry can say";
        }
        table.entries[i] = {static_cast<std::uint32_t>(offset), static_cast<std::uint8_t>(source.name.size()),
                            static_cast<std::uint8_t>(source.value.size()), source.groups};
        for (const char c : source.name) {
            table.text[offset++] = c;
        }
        for (const char c : source.value) {
            table.text[offset++] = c;
        }
    }
    return table;
}

constexpr BuiltInTable kBuiltInMacros = PackBuiltIns();

std::string_view BuiltInName(const BuiltInEntry& entry) {
    return {kBuiltInMacros.text.data() + entry.offset, entry.nameSize};
}

std::string_view BuiltInValue(const BuiltInEntry& entry) {
    return {kBuiltInMacros.text.data() + entry.offset + entry.nameSize, entry.valueSize};
}

constexpr unsigned kGroupWindows = 1;
constexpr unsigned kGroupWinRes = 2;
constexpr unsigned kGroupCommCtrl = 4;
constexpr unsigned kGroupDlgs = 8;
constexpr unsigned kGroupWinVer = 16;
constexpr unsigned kGroupRichEdit = 32;
constexpr unsigned kGroupCommDlg = 64;
constexpr unsigned kGroupColorDlg = 128;
constexpr unsigned kGroupSdkVersion = 256;
constexpr unsigned kGroupAfxRes = 512;
constexpr unsigned kGroupAtlRes = 1024;
constexpr unsigned kGroupSdkLanguages = 2048;  // the language names that MinGW-w64's winnt.h lacks
// No name has it: the C library's headers that a project header includes declare nothing a script can use.
constexpr unsigned kGroupNothing = 0x8000;

struct BuiltInHeader {
    std::string_view name;
    unsigned groups;
};

// The headers resource scripts include; each brings the constants the MinGW-w64 header of that name brings.
constexpr std::array<BuiltInHeader, 21> kBuiltInHeaders = {{
    {"windows.h", kGroupWindows | kGroupSdkLanguages},
    {"winresrc.h", kGroupWindows | kGroupSdkLanguages},
    {"winuser.h", kGroupWindows},
    {"winuser.rh", kGroupWindows},
    {"winnt.h", kGroupWindows | kGroupSdkLanguages},
    {"winnt.rh", kGroupWindows | kGroupSdkLanguages},
    {"winbase.h", kGroupWindows},
    {"winres.h", kGroupWindows | kGroupWinRes | kGroupSdkLanguages},
    {"afxres.h", kGroupWindows | kGroupWinRes | kGroupAfxRes | kGroupSdkLanguages},
    {"atlres.h", kGroupAtlRes},
    {"winver.h", kGroupWinVer},
    {"verrsrc.h", kGroupWinVer},
    {"commctrl.h", kGroupCommCtrl},
    {"commctrl.rh", kGroupCommCtrl},
    {"dlgs.h", kGroupDlgs},
    {"prsht.h", kGroupCommCtrl},
    {"richedit.h", kGroupRichEdit},
    {"commdlg.h", kGroupCommDlg},
    {"colordlg.h", kGroupColorDlg},
    {"sdkddkver.h", kGroupSdkVersion},
    {"winsdkver.h", kGroupSdkVersion},
}};

// The C and POSIX libraries' headers, and the Microsoft C runtime's, that a project header shared with C code may
// include: under RC_INVOKED they declare nothing a script can use, so they are built in empty and a script that
// includes them needs no SDK. Also what a C compiler brings with it, which real headers read from disk include.
constexpr std::string_view kCLibraryHeaders[] = {
    "assert.h", "complex.h", "ctype.h", "errno.h", "fenv.h", "float.h", "inttypes.h", "iso646.h", "limits.h",
    "locale.h", "math.h", "setjmp.h", "signal.h", "stdalign.h", "stdarg.h", "stdatomic.h", "stdbit.h", "stdbool.h",
    "stdckdint.h", "stddef.h", "stdint.h", "stdio.h", "stdlib.h", "stdnoreturn.h", "string.h", "tgmath.h", "threads.h",
    "time.h", "uchar.h", "wchar.h", "wctype.h",
    // POSIX
    "aio.h", "arpa/inet.h", "cpio.h", "dirent.h", "dlfcn.h", "fcntl.h", "fmtmsg.h", "fnmatch.h", "ftw.h", "glob.h",
    "grp.h", "iconv.h", "langinfo.h", "libgen.h", "monetary.h", "mqueue.h", "ndbm.h", "net/if.h", "netdb.h",
    "netinet/in.h", "netinet/tcp.h", "nl_types.h", "poll.h", "pthread.h", "pwd.h", "regex.h", "sched.h", "search.h",
    "semaphore.h", "spawn.h", "strings.h", "stropts.h", "sys/ipc.h", "sys/mman.h", "sys/msg.h", "sys/resource.h",
    "sys/select.h", "sys/sem.h", "sys/shm.h", "sys/socket.h", "sys/stat.h", "sys/statvfs.h", "sys/time.h",
    "sys/times.h", "sys/types.h", "sys/uio.h", "sys/un.h", "sys/utsname.h", "sys/wait.h", "syslog.h", "tar.h",
    "termios.h", "trace.h", "ulimit.h", "unistd.h", "utime.h", "utmpx.h", "wordexp.h",
    // The Microsoft C runtime's own
    "conio.h", "crtdbg.h", "direct.h", "dos.h", "excpt.h", "io.h", "malloc.h", "mbctype.h", "mbstring.h", "memory.h",
    "process.h", "share.h", "sys/locking.h", "sys/timeb.h", "sys/utime.h", "tchar.h",
    // GCC's own
    "mm_malloc.h"};

// Whether `name` as an #include writes it (any case, either separator, any folder before) is `header`.
bool NamesLibraryHeader(std::string_view name, std::string_view header) {
    if (name.size() < header.size()) {
        return false;
    }
    const std::size_t start = name.size() - header.size();
    if (start > 0 && name[start - 1] != '/' && name[start - 1] != '\\') {
        return false;
    }
    return std::equal(header.begin(), header.end(), name.begin() + static_cast<long>(start),
                      [](char h, char n) { return h == '/' ? (n == '/' || n == '\\') : LowerAscii(n) == h; });
}

// Headers a script includes for their statements and macros, not only constants: read as if from a file.
constexpr BuiltInText kBuiltInTexts[] = {
#include "brcc32/preprocessor/windows_header_texts.inc"
};

// Whether `name`, its folders left out, is `header` in any case.
bool NamesHeader(std::string_view name, std::string_view header) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    return header.size() == name.size() &&
           std::equal(name.begin(), name.end(), header.begin(), [](char a, char b) { return LowerAscii(a) == b; });
}

}  // namespace

std::optional<BuiltInMacro> FindBuiltInMacro(std::string_view name, unsigned groups) {
    const auto end = kBuiltInMacros.entries.end();
    const auto entry = std::lower_bound(kBuiltInMacros.entries.begin(), end, name,
                                        [](const BuiltInEntry& m, std::string_view n) { return BuiltInName(m) < n; });
    if (entry == end || BuiltInName(*entry) != name || (entry->groups & groups) == 0) {
        return std::nullopt;
    }
    return BuiltInMacro{BuiltInName(*entry), BuiltInValue(*entry)};
}

unsigned BuiltInHeaderGroups(std::string_view name) {
    for (const BuiltInHeader& header : kBuiltInHeaders) {
        if (NamesHeader(name, header.name)) {
            return header.groups;
        }
    }
    const auto library = [&](std::string_view header) { return NamesLibraryHeader(name, header); };
    return std::any_of(std::begin(kCLibraryHeaders), std::end(kCLibraryHeaders), library) ? kGroupNothing : 0;
}

const BuiltInText* FindBuiltInText(std::string_view name) {
    for (const BuiltInText& text : kBuiltInTexts) {
        if (NamesHeader(name, text.name)) {
            return &text;
        }
    }
    return nullptr;
}

}  // namespace brcc
