// The decompiler's loop: each stored resource in its order, as text where that compiles back to its bytes, as a file
// where the compiler takes one, else as data; icon groups and fonts are planned first, as they span resources.
#include "brcc32/decompile/decompile.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "brcc32/byte_order.h"
#include "brcc32/decompile/byte_reader.h"
#include "brcc32/decompile/check_text.h"
#include "brcc32/decompile/image_files.h"
#include "brcc32/decompile/script_text.h"
#include "brcc32/decompile/text_forms.h"
#include "brcc32/message_catalogue.h"
#include "brcc32/resource_id.h"

namespace brcc {
namespace {

constexpr std::size_t kFileThreshold = 4096;  // data above this size goes to a file rather than into the script
constexpr std::uint16_t kOtherDefaults = kMemMoveable | kMemPure;
constexpr std::uint16_t kDiscardableDefaults = kMemMoveable | kMemPure | kMemDiscardable;
constexpr std::uint16_t kIconDefaults = kMemMoveable | kMemDiscardable;

std::uint64_t ImageKey(std::uint16_t type, std::uint16_t id, std::uint16_t language) {
    return std::uint64_t{type} << 32 | std::uint32_t{id} << 16 | language;
}

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
        PlanGroups();
        PlanFonts();
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            Emit(i);
        }
        return m_nonAscii;
    }

private:
    // A group written as an ICON or CURSOR file: its images, and the number the compiler gives the first.
    struct PlannedGroup {
        std::vector<std::size_t> images;
        std::uint32_t firstId;
    };

    // The group's file, built again when it is written rather than held from the plan: a script of many icons would
    // hold them all.
    std::optional<std::vector<std::uint8_t>> GroupFile(std::size_t index, const PlannedGroup& plan) {
        std::vector<std::uint8_t> groupBytes;
        const ResEntry group = m_source.Load(index, groupBytes);
        std::vector<std::vector<std::uint8_t>> imageBytes(plan.images.size());
        std::vector<ResEntry> images;
        for (std::size_t k = 0; k < plan.images.size(); ++k) {
            images.push_back(m_source.Load(plan.images[k], imageBytes[k]));
        }
        std::vector<const ResEntry*> members;
        for (const ResEntry& image : images) {
            members.push_back(&image);
        }
        return IconFileOf(group, members, plan.firstId);
    }

    void PlanGroups() {
        std::unordered_map<std::uint64_t, std::size_t> images;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            const ResEntry& entry = m_entries[i];
            if (IsOrdinal(entry.type, kTypeIcon) || IsOrdinal(entry.type, kTypeCursor)) {
                if (entry.name.isOrdinal) {
                    images.emplace(ImageKey(entry.type.ordinal, entry.name.ordinal, entry.language), i);
                }
            }
        }
        // The compiler numbers the images of each ICON and CURSOR statement on from 1, in the script's order: the
        // groups are taken in the order of their first image, which an executable's directory does not keep.
        struct Candidate {
            std::size_t index;
            std::vector<std::uint16_t> ids;
        };
        std::vector<Candidate> candidates;
        std::vector<std::uint8_t> buffer;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (IsOrdinal(m_entries[i].type, kTypeGroupIcon) || IsOrdinal(m_entries[i].type, kTypeGroupCursor)) {
                std::optional<std::vector<std::uint16_t>> ids = GroupImageIds(m_source.Load(i, buffer));
                if (ids && !ids->empty()) {
                    candidates.push_back({i, std::move(*ids)});
                }
            }
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.ids[0] < b.ids[0]; });
        std::uint32_t nextId = 1;
        std::vector<std::size_t> planned;  // in the order of their images
        for (const Candidate& candidate : candidates) {
            const std::size_t i = candidate.index;
            const bool isIcon = IsOrdinal(m_entries[i].type, kTypeGroupIcon);
            PlannedGroup plan{{}, nextId};
            for (std::size_t k = 0; k < candidate.ids.size(); ++k) {
                const auto found =
                    images.find(ImageKey(isIcon ? kTypeIcon : kTypeCursor, candidate.ids[k], m_entries[i].language));
                if (candidate.ids[k] != nextId + k || found == images.end() || m_consumed.count(found->second) != 0) {
                    break;
                }
                plan.images.push_back(found->second);
            }
            if (plan.images.size() != candidate.ids.size() || !GroupFile(i, plan)) {
                continue;
            }
            ResEntry head = m_entries[i];
            head.memoryFlags = m_entries[plan.images[0]].memoryFlags;
            const std::optional<FormHead> form = Head(head, kIconDefaults);
            if (!form || !HeadNames(form->name + (isIcon ? " ICON" : " CURSOR") + form->flags, head)) {
                continue;
            }
            nextId += static_cast<std::uint32_t>(plan.images.size());
            m_consumed.insert(plan.images.begin(), plan.images.end());
            m_groups.emplace(i, std::move(plan));
            planned.push_back(i);
        }
        // The groups' places in the script are theirs, filled in the order of their images.
        std::vector<std::size_t> places = planned;
        std::sort(places.begin(), places.end());
        for (std::size_t k = 0; k < places.size(); ++k) {
            m_groupAt.emplace(places[k], planned[k]);
        }
    }

    // Fonts are files only where the FONTDIR the compiler makes from them is the one stored; else both are data,
    // which makes no FONTDIR.
    void PlanFonts() {
        std::optional<std::size_t> directory;
        std::vector<std::uint8_t> built(2);
        std::uint16_t count = 0;
        std::optional<std::uint16_t> firstLanguage;
        std::vector<std::uint8_t> buffer;
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            if (IsOrdinal(m_entries[i].type, kTypeFont)) {
                if (!AddToFontDirectory(built, m_source.Load(i, buffer)) || ++count == 0) {
                    return;
                }
                firstLanguage = firstLanguage.value_or(m_entries[i].language);
            } else if (IsOrdinal(m_entries[i].type, kTypeFontDirectory)) {
                if (directory) {
                    return;  // two of them: no compiled script has that
                }
                directory = i;
            }
        }
        if (count == 0 || !directory) {
            return;
        }
        WriteU16(built.data(), count);
        const ResEntry stored = m_source.Load(*directory, buffer);
        const bool same = std::equal(built.begin(), built.end(), stored.data.begin(), stored.data.end()) &&
                          stored.name == ResName{false, 0, u"FONTDIR"} && stored.memoryFlags == kDiscardableDefaults &&
                          stored.language == *firstLanguage && stored.version == 0 && stored.characteristics == 0;
        if (same) {
            m_fontFiles = true;
            m_consumed.insert(*directory);
        }
    }

    void Emit(std::size_t index) {
        if (m_consumed.count(index) != 0) {
            return;
        }
        if (const auto place = m_groupAt.find(index); place != m_groupAt.end()) {
            const std::size_t groupIndex = place->second;
            const PlannedGroup& plan = m_groups.at(groupIndex);
            const bool isIcon = IsOrdinal(m_entries[groupIndex].type, kTypeGroupIcon);
            ResEntry head = m_entries[groupIndex];
            head.memoryFlags = m_entries[plan.images[0]].memoryFlags;
            const std::optional<std::vector<std::uint8_t>> file = GroupFile(groupIndex, plan);
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
            return m_fontFiles && EmitFile(entry, "FONT", kDiscardableDefaults, ".fnt", entry.data);
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
    std::unordered_set<std::size_t> m_consumed;  // images written with their group, a FONTDIR the fonts make
    std::unordered_map<std::size_t, PlannedGroup> m_groups;  // by the group's index
    std::unordered_map<std::size_t, std::size_t> m_groupAt;  // the group written at an index
    bool m_fontFiles = false;
    std::set<std::string> m_fileNames;  // lower-cased
    std::optional<std::uint16_t> m_language;
    bool m_nonAscii = false;
};

}  // namespace

std::uint16_t DefaultMemoryFlags(const ResName& type) {
    if (!type.isOrdinal) {
        return kOtherDefaults;
    }
    switch (type.ordinal) {
        case kTypeIcon:
        case kTypeCursor:
            return kIconDefaults;
        case kTypeMenu:
        case kTypeDialog:
        case kTypeStringTable:
        case kTypeFont:
        case kTypeFontDirectory:
        case kTypeGroupIcon:
        case kTypeGroupCursor:
            return kDiscardableDefaults;
        default:
            return kOtherDefaults;
    }
}

bool DecompileEntries(ResourceSource& source, const std::string& stem, DecompileTarget& target,
                      DecompileSummary& summary, DiagnosticSink* diagnostics, const std::string& shownName) {
    return Decompiler(source, stem, target, summary, diagnostics, shownName).Run();
}

}  // namespace brcc
