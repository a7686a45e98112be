// The statement table: the predefined types a script names by keyword, and how each is read.
#include "brcc32/script/statement_kinds.h"

#include <algorithm>
#include <array>

#include "brcc32/script/syntax.h"

namespace brcc {
namespace {

constexpr std::uint16_t kMenuFlags = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint16_t kDialogFlags = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint16_t kFontFlags = kMemMoveable | kMemPure | kMemDiscardable;

}  // namespace

const ScriptParser::StatementKind* ScriptParser::FindStatementKind(std::string_view keyword) {
    using P = ScriptParser;
    static constexpr std::array<StatementKind, 18> kStatementKinds = {{
        {"ICON", kTypeGroupIcon, ResourceKind::kIcon, kIconImageFlags, &P::ParseImage},
        {"CURSOR", kTypeGroupCursor, ResourceKind::kCursor, kIconImageFlags, &P::ParseImage},
        {"BITMAP", kTypeBitmap, ResourceKind::kBitmap, kOtherFlags, &P::ParseImage},
        {"RCDATA", kTypeRcData, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"HTML", kTypeHtml, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"VERSIONINFO", kTypeVersionInfo, ResourceKind::kData, kOtherFlags, &P::ParseVersionInfo},
        {"DIALOG", kTypeDialog, ResourceKind::kData, kDialogFlags, &P::ParseDialog},
        {"DIALOGEX", kTypeDialog, ResourceKind::kData, kDialogFlags, &P::ParseDialogEx},
        {"MENU", kTypeMenu, ResourceKind::kData, kMenuFlags, &P::ParseMenu},
        {"MENUEX", kTypeMenu, ResourceKind::kData, kMenuFlags, &P::ParseMenuEx},
        {"ACCELERATORS", kTypeAccelerator, ResourceKind::kData, kOtherFlags, &P::ParseAccelerators},
        {"DLGINCLUDE", kTypeDlgInclude, ResourceKind::kData, kOtherFlags, &P::ParseDlgInclude},
        {"MESSAGETABLE", kTypeMessageTable, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"FONT", kTypeFont, ResourceKind::kRaw, kFontFlags, &P::ParseRaw},
        {"PLUGPLAY", kTypePlugPlay, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"VXD", kTypeVxd, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"ANICURSOR", kTypeAniCursor, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
        {"ANIICON", kTypeAniIcon, ResourceKind::kRaw, kOtherFlags, &P::ParseRaw},
    }};
    const auto found = std::find_if(kStatementKinds.begin(), kStatementKinds.end(),
                                    [&](const StatementKind& kind) { return EqualsNoCase(keyword, kind.keyword); });
    return found == kStatementKinds.end() ? nullptr : &*found;
}

// A type given by number, or by a name of the script's own: its data is copied from a file or written in a block.
const ScriptParser::StatementKind& ScriptParser::CustomStatementKind() {
    static constexpr StatementKind kCustom = {"", 0, ResourceKind::kRaw, kOtherFlags, &ScriptParser::ParseRaw};
    return kCustom;
}

}  // namespace brcc
