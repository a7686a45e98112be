// The decompiler's loop: each stored resource in its order, as text where that compiles back to its bytes, as a file
// where the compiler takes one, else as data; icon groups and fonts are planned first, as they span resources.
#include "brcc32/decompile/decompile.h"

#include <algorithm>
#include <optional>
#include <set>

#include "brcc32/byte_order.h"
#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/check_text.h"
#include "brcc32/decompile/image_files.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/spanning_plan.h"
#include "brcc32/decompile/text_forms.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/resource_id.h"

namespace brcc {
namespace {

constexpr std::size_t kFileThreshold = 4096;  // data above this size goes to a file rather than into the script
constexpr std::uint16_t kOtherDefaults = kMemMoveable | kMemPure;
constexpr std::uint16_t kDiscardableDefaults = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint16_t kIconDefaults = kMemMoveable | kMemDiscardable;

bool IsOrdinal(const ResName& name, std::uint16_t ordinal) { return name.isOrdinal && name.ordinal == ordinal; }

// The keyword of a type that takes a file or a data block, and its default flags; the number for the others.
std::string DataTypeWord(const ResName& type, std::uint16_t& defaults, bool& nonAscii) {
    defaults = kOtherDefaults;
    if (!type.isOrdinal) {
        return NameText(type, nonAscii);
    }
    switch (type.ordinal) {
        case kTypeRcData:
            return "RCDATA";
        case kTypeMessageTable:
            return "MESSAGETABLE";
        case kTypePlugPlay:
            return "PLUGPLAY";
        case kTypeVxd:
            return "VXD";
        case kTypeAniCursor:
            return "ANICURSOR";
        case kTypeAniIcon:
            return "ANIICON";
        case kTypeHtml:
            return "HTML";
        default:
            return std::to_string(type.ordinal);
    }
}

std::string FileExtension(const ResName& type) {
    if (!type.isOrdinal) {
        return ".bin";
    }
    switch (type.ordinal) {
        case kTypeHtml:
            return ".html";
        case 24:
            return ".manifest";
        case kTypeAniCursor:
        case kTypeAniIcon:
            return ".ani";
        default:
            return ".bin";
    }
}

class Decompiler {
public:
    Decompiler(ResourceSource& source, const std::string& stem, DecompileTarget& target, DecompileSummary& summary,
               DiagnosticSink* diagnostics, const std::string& shownName)
        : m_source(source),
          m_entries(source.Entries()),
          m_stem(stem),
          m_target(target),
          m_summary(summary),
          m_diagnostics(diagnostics),
          m_shownName(shownName) {}

    bool Run() {
        m_target.Text(kAsciiLine);
        m_plan = PlanSpanningResources(m_source, [this](const ResEntry& head, bool isIcon) {
            const std::optional<FormHead> form = Head(head, kIconDefaults);
            return form && HeadNames(form->name + (isIcon ? " ICON" : " CURSOR") + form->flags, head);
        });
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            Emit(i);
        }
        return m_nonAscii;
    }

private:
    void Emit(std::size_t index) {
        if (m_plan.consumed.count(index) != 0) {
            return;
        }
        if (const auto place = m_plan.groupAt.find(index); place != m_plan.groupAt.end()) {
            const std::size_t groupIndex = place->second;
            const PlannedGroup& plan = m_plan.groups.at(groupIndex);
            const bool isIcon = IsOrdinal(m_entries[groupIndex].type, kTypeGroupIcon);
            ResEntry head = m_entries[groupIndex];
            head.memoryFlags = m_entries[plan.images[0]].memoryFlags;
            const std::optional<std::vector<std::uint8_t>> file = GroupFile(m_source, groupIndex, plan);
            if (file && EmitFile(head, isIcon ? "ICON" : "CURSOR", kIconDefaults, isIcon ? ".ico" : ".cur", *file)) {
                return;
            }
            // Checked when planned: no file system or reader fault reaches here without a throw.
        }
        std::vector<std::uint8_t> buffer;
        const ResEntry entry = m_source.Load(index, buffer);
        if (EmitText(entry) || EmitFileKind(entry)) {
            return;
        }
        EmitData(entry, Reason(entry));
    }

    bool EmitText(const ResEntry& entry) {
        if (!entry.type.isOrdinal) {
            return false;
        }
        const std::uint16_t type = entry.type.ordinal;
        const bool discardable = type == kTypeMenu || type == kTypeDialog || type == kTypeStringTable;
        const std::optional<FormHead> head = Head(entry, discardable ? kDiscardableDefaults : kOtherDefaults);
        if (!head) {
            return false;
        }
        bool nonAscii = false;
        std::string text;
        try {
            switch (type) {
                case kTypeDialog:
                    text = DialogText(entry.data, *head, nonAscii);
                    break;
                case kTypeMenu:
                    text = MenuText(entry.data, *head, nonAscii);
                    break;
                case kTypeAccelerator:
                    text = AcceleratorsText(entry.data, *head, nonAscii);
                    break;
                case kTypeVersionInfo:
                    text = VersionInfoText(entry.data, *head, nonAscii);
                    break;
                case kTypeToolbar:
                    text = ToolbarText(entry.data, *head);
                    break;
                case kTypeDlgInclude:
                    text = DlgIncludeText(entry.data, *head, nonAscii);
                    break;
                case kTypeStringTable:
                    if (!entry.name.isOrdinal) {
                        return false;
                    }
                    text = StringTableText(entry.data, entry.name.ordinal, *head, nonAscii);
                    break;
                default:
                    return false;
            }
        } catch (const NotThisLayout&) {
            return false;
        }
        if (!BuildsEntry(text, entry)) {
            return false;
        }
        Put(entry, text);
        m_nonAscii = m_nonAscii || nonAscii;
        ++m_summary.asText;
        return true;
    }

    // Bitmaps, fonts, animations, and large data of the types that take a file.
    bool EmitFileKind(const ResEntry& entry) {
        if (entry.version != 0 || entry.characteristics != 0) {
            return false;  // a statement that reads a file keeps neither
        }
        if (IsOrdinal(entry.type, kTypeBitmap)) {
            const std::optional<std::vector<std::uint8_t>> file = BitmapFileOf(entry);
            return file && EmitFile(entry, "BITMAP", kOtherDefaults, ".bmp", *file);
        }
        if (IsOrdinal(entry.type, kTypeFont)) {
            return m_plan.fontFiles && EmitFile(entry, "FONT", kDiscardableDefaults, ".fnt", entry.data);
        }
        const bool animation = IsOrdinal(entry.type, kTypeAniCursor) || IsOrdinal(entry.type, kTypeAniIcon);
        const bool special = entry.type.isOrdinal && entry.type.ordinal <= kTypeToolbar &&
                             (entry.type.ordinal <= kTypeFont || entry.type.ordinal == kTypeGroupIcon ||
                              entry.type.ordinal == kTypeGroupCursor);
        if (!animation && (special || entry.data.size() <= kFileThreshold)) {
            return false;
        }
        std::uint16_t defaults = 0;
        const std::string word = DataTypeWord(entry.type, defaults, m_nonAscii);
        return EmitFile(entry, word, defaults, FileExtension(entry.type), entry.data);
    }

    bool EmitFile(const ResEntry& entry, std::string_view word, std::uint16_t defaults, std::string_view extension,
                  std::span<const std::uint8_t> bytes) {
        const std::optional<FormHead> head = Head(entry, defaults);
        if (!head) {
            return false;
        }
        const std::string statement = head->name + " " + std::string(word) + head->flags;
        if (!HeadNames(statement, entry)) {
            return false;
        }
        const std::string name = FileName(entry, word, extension);
        m_target.File(name, bytes);
        m_summary.files.emplace_back(name);
        Put(entry, statement + " \"" + name + "\"\n");
        ++m_summary.asFiles;
        return true;
    }

    void EmitData(const ResEntry& entry, const std::string& why) {
        std::uint16_t defaults = 0;
        const std::string word = DataTypeWord(entry.type, defaults, m_nonAscii);
        const std::optional<FormHead> head = Head(entry, defaults);
        const std::string statement = head ? head->name + " " + word + head->flags + "\n" + head->options : "";
        if (!head || !HeadNames(statement, entry)) {
            LeaveOut(entry);
            return;
        }
        std::string text = why.empty() ? "" : "// " + why + "\n";
        text += statement + "{\n";
        AppendHexLines(text, entry.data, "    ");
        Put(entry, text + "}\n");
        ++m_summary.asData;
    }

    void LeaveOut(const ResEntry& entry) {
        bool ignored = false;
        auto describe = [&](const ResName& name) {
            return name.isOrdinal ? std::to_string(name.ordinal) : QuoteText(name.text, ignored);
        };
        const std::string name = describe(entry.name);
        const std::string type = describe(entry.type);
        const std::string language = Hex(entry.language);
        m_target.Text("\n// Resource " + name + " of type " + type + ", language " + language +
                      ": left out, as the script language cannot write its name or its memory flags.\n");
        if (m_diagnostics != nullptr) {
            m_diagnostics->Warn(m_shownName, 0, Compose(msg::kResourceLeftOut, {name, type, language}));
        }
        ++m_summary.leftOut;
    }

    // Why a resource of a kind the script writes as text or as a file is data.
    static std::string Reason(const ResEntry& entry) {
        if (!entry.type.isOrdinal) {
            return "";
        }
        switch (entry.type.ordinal) {
            case kTypeDialog:
            case kTypeMenu:
            case kTypeAccelerator:
            case kTypeVersionInfo:
            case kTypeToolbar:
            case kTypeDlgInclude:
            case kTypeStringTable:
                return "No statement of this kind gives these bytes back: they are written as they are stored.";
            case kTypeIcon:
            case kTypeCursor:
            case kTypeGroupIcon:
            case kTypeGroupCursor:
                return "This image or group does not come back the same through an ICON or CURSOR file: written as "
                       "stored.";
            case kTypeBitmap:
                return "A .bmp file of this bitmap would not give its bytes back: written as stored.";
            case kTypeFont:
            case kTypeFontDirectory:
                return "The FONTDIR made from FONT files would differ from the stored one: fonts and FONTDIR are "
                       "written as stored.";
            default:
                return "";
        }
    }

    std::optional<FormHead> Head(const ResEntry& entry, std::uint16_t defaults) {
        const std::optional<std::string> flags = MemoryFlagWords(defaults, entry.memoryFlags);
        if (!flags) {
            return std::nullopt;
        }
        std::string options;
        if (entry.version != 0) {
            options += "VERSION " + std::to_string(entry.version) + "\n";
        }
        if (entry.characteristics != 0) {
            options += "CHARACTERISTICS " + std::to_string(entry.characteristics) + "\n";
        }
        return FormHead{NameText(entry.name, m_nonAscii), *flags, options};
    }

    // The stem, the type's word in lower case and the name, with anything but ASCII letters, digits and '_' as '_';
    // a number after it where two would be the same file on a system that ignores case.
    std::string FileName(const ResEntry& entry, std::string_view word, std::string_view extension) {
        auto plain = [](char32_t c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ? static_cast<char>(c)
                                                                                              : '_';
        };
        std::string base = m_stem + "_";
        for (const char c : word) {
            base += plain(static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
        }
        base += "_";
        if (entry.name.isOrdinal) {
            base += std::to_string(entry.name.ordinal);
        } else {
            for (const char16_t c : entry.name.text) {
                base += plain(c);
            }
        }
        auto folded = [](std::string text) {
            std::transform(text.begin(), text.end(), text.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
            return text;
        };
        std::string name = base + std::string(extension);
        for (int k = 2; !m_fileNames.insert(folded(name)).second; ++k) {
            name = base + "_" + std::to_string(k) + std::string(extension);
        }
        return name;
    }

    void Put(const ResEntry& entry, const std::string& text) {
        if (!m_language || *m_language != entry.language) {
            m_target.Text("\n" + LanguageLine(entry.language));
            m_language = entry.language;
        }
        m_target.Text("\n");
        m_target.Text(text);
    }

    ResourceSource& m_source;
    const std::vector<ResEntry>& m_entries;  // headers only
    std::string m_stem;
    DecompileTarget& m_target;
    DecompileSummary& m_summary;
    DiagnosticSink* m_diagnostics;  // not owned; may be null
    std::string m_shownName;
    SpanningPlan m_plan;
    std::set<std::string> m_fileNames;  // lower-cased
    std::optional<std::uint16_t> m_language;
    bool m_nonAscii = false;
};

}  // namespace

bool DecompileEntries(ResourceSource& source, const std::string& stem, DecompileTarget& target,
                      DecompileSummary& summary, DiagnosticSink* diagnostics, const std::string& shownName) {
    return Decompiler(source, stem, target, summary, diagnostics, shownName).Run();
}

}  // namespace brcc
