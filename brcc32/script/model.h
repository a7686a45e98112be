// The resources a script describes, as plain data: the parser fills these and the encoders turn them into bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "brcc32/resource_id.h"

namespace brcc {

// How a dialog names its menu, its class, a control's class or text: a name, or a number (an atom, a resource id).
// An empty name stands for none.
struct NameOrOrdinal {
    std::optional<std::uint32_t> ordinal;  // the low 16 bits are kept
    std::u16string name;
};

struct DialogFont {
    std::uint32_t pointSize = 0;
    std::uint32_t weight = 0;  // DIALOGEX only, as the two below
    std::uint32_t italic = 0;
    std::uint32_t charSet = 1;  // DEFAULT_CHARSET
    std::u16string face;
};

// Positions and sizes in dialog units; the script's numbers, of which the low 16 bits are kept.
struct DialogFrame {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

struct DialogControl {
    std::uint32_t style = 0;  // the kind's own bits with the script's applied
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;  // DIALOGEX only
    DialogFrame frame;
    std::uint32_t id = 0;  // a DIALOG keeps 16 bits of it
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    std::vector<std::uint8_t> creationData;  // DIALOGEX only
};

struct Dialog {
    bool extended = false;    // DIALOGEX
    std::uint32_t style = 0;  // with the bits that a caption and a font imply
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    DialogFrame frame;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::u16string caption;
    std::optional<DialogFont> font;
    std::vector<DialogControl> controls;
};

// A MENUITEM, SEPARATOR or POPUP; a separator is an item with no text, id or options.
struct MenuItem {
    bool popup = false;
    std::u16string text;
    std::uint32_t id = 0;
    std::uint32_t options = 0;    // MENU: GRAYED, CHECKED... bits; MENUEX: the item's type
    std::uint32_t state = 0;      // MENUEX only
    std::uint32_t helpId = 0;     // MENUEX popups only
    std::vector<MenuItem> items;  // a popup's
};

struct Menu {
    bool extended = false;  // MENUEX
    std::vector<MenuItem> items;
};

struct Accelerator {
    std::uint32_t flags = 0;  // VIRTKEY, NOINVERT, SHIFT, CONTROL, ALT bits
    std::uint32_t key = 0;    // a character code or a virtual-key code
    std::uint32_t id = 0;
};

struct AcceleratorTable {
    std::vector<Accelerator> entries;
};

// One item of a VALUE: text, or a number of 16 bits (32 with an L).
struct VersionDatum {
    bool isText = false;
    std::u16string text;
    bool terminated = false;  // text followed by a comma, or last, is written with its NUL
    std::uint32_t number = 0;
    bool isLong = false;
};

// A BLOCK with its children, or a VALUE with its data; `line` and `shownName` are for the messages of a limit.
struct VersionNode {
    bool isBlock = false;
    std::u16string name;
    std::string shownName;  // as the script writes it
    int line = 0;
    std::vector<VersionNode> children;  // a BLOCK's
    std::vector<VersionDatum> data;     // a VALUE's, all text or all numbers
};

struct VersionNumber {
    std::uint32_t majorPart = 0;  // each part at most 65535
    std::uint32_t minorPart = 0;
    std::uint32_t build = 0;
    std::uint32_t revision = 0;
};

struct VersionInfo {
    VersionNumber fileVersion;
    VersionNumber productVersion;
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    int line = 0;  // of the VERSIONINFO keyword
    std::vector<VersionNode> children;
};

// The data of a resource the script builds: bytes as they are (user data, DLGINCLUDE), or one of the structures.
using ResourceBody = std::variant<std::monostate, Dialog, Menu, AcceleratorTable, VersionInfo>;

enum class ResourceKind {
    kIcon,
    kCursor,
    kBitmap,
    kRaw,      // copied from `file`
    kData,     // `body`, or `data` where the body is empty: built from the script
    kStrings,  // `strings`, to be gathered into string table bundles
};

// One statement of the script that defines a resource, or the strings of a STRINGTABLE.
struct ResourceStatement {
    ResourceKind kind = ResourceKind::kRaw;
    ResourceId type;  // the ordinal or name written for a raw resource; the predefined ordinal otherwise
    ResourceId name;
    std::uint16_t memoryFlags = 0;
    std::uint16_t language = kDefaultLanguage;
    std::uint32_t version = 0;
    std::uint32_t characteristics = 0;
    std::string file;  // as written in the script, quotes removed
    int nameLine = 0;
    int fileLine = 0;
    ResourceBody body;
    std::vector<std::uint8_t> data;  // kData without a body; or, with isInline, the bytes a file would hold
    bool isInline = false;
    struct String {
        std::uint16_t id;
        int line;
        std::u16string text;
    };
    std::vector<String> strings;
};

}  // namespace brcc
