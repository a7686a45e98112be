// Icon groups are matched to their images by the numbers the compiler would give them; fonts are compared through
// the directory the compiler would build from them.
#include "brcc32/decompile/spanning_plan.h"

#include <algorithm>

#include "brcc32/byte_order.h"
#include "brcc32/decompile/decompile.h"
#include "brcc32/decompile/image_files.h"
#include "brcc32/resource_id.h"

namespace brcc {
namespace {

std::uint64_t ImageKey(std::uint16_t type, std::uint16_t id, std::uint16_t language) {
    return std::uint64_t{type} << 32 | std::uint32_t{id} << 16 | language;
}

bool IsOrdinal(const ResName& name, std::uint16_t ordinal) { return name.isOrdinal && name.ordinal == ordinal; }

void PlanGroups(ResourceSource& source, const GroupHeadCheck& headWritable, SpanningPlan& plan) {
    const std::vector<ResEntry>& entries = source.Entries();
    std::unordered_map<std::uint64_t, std::size_t> images;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ResEntry& entry = entries[i];
        if ((IsOrdinal(entry.type, kTypeIcon) || IsOrdinal(entry.type, kTypeCursor)) && entry.name.isOrdinal) {
            images.emplace(ImageKey(entry.type.ordinal, entry.name.ordinal, entry.language), i);
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
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsOrdinal(entries[i].type, kTypeGroupIcon) || IsOrdinal(entries[i].type, kTypeGroupCursor)) {
            std::optional<std::vector<std::uint16_t>> ids = GroupImageIds(source.Load(i, buffer));
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
        const bool isIcon = IsOrdinal(entries[i].type, kTypeGroupIcon);
        PlannedGroup group{{}, nextId};
        for (std::size_t k = 0; k < candidate.ids.size(); ++k) {
            const auto found =
                images.find(ImageKey(isIcon ? kTypeIcon : kTypeCursor, candidate.ids[k], entries[i].language));
            if (candidate.ids[k] != nextId + k || found == images.end() || plan.consumed.count(found->second) != 0) {
                break;
            }
            group.images.push_back(found->second);
        }
        if (group.images.size() != candidate.ids.size() || !GroupFile(source, i, group)) {
            continue;
        }
        ResEntry head = entries[i];
        head.memoryFlags = entries[group.images[0]].memoryFlags;
        if (!headWritable(head, isIcon)) {
            continue;
        }
        nextId += static_cast<std::uint32_t>(group.images.size());
        plan.consumed.insert(group.images.begin(), group.images.end());
        plan.groups.emplace(i, std::move(group));
        planned.push_back(i);
    }
    // The groups' places in the script are theirs, filled in the order of their images.
    std::vector<std::size_t> places = planned;
    std::sort(places.begin(), places.end());
    for (std::size_t k = 0; k < places.size(); ++k) {
        plan.groupAt.emplace(places[k], planned[k]);
    }
}

// Fonts are files only where the FONTDIR the compiler makes from them is the one stored; else both are data, which
// makes no FONTDIR.
void PlanFonts(ResourceSource& source, SpanningPlan& plan) {
    const std::vector<ResEntry>& entries = source.Entries();
    std::optional<std::size_t> directory;
    std::vector<std::uint8_t> built(2);
    std::uint16_t count = 0;
    std::optional<std::uint16_t> firstLanguage;
    std::vector<std::uint8_t> buffer;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsOrdinal(entries[i].type, kTypeFont)) {
            if (!AddToFontDirectory(built, source.Load(i, buffer)) || ++count == 0) {
                return;
            }
            firstLanguage = firstLanguage.value_or(entries[i].language);
        } else if (IsOrdinal(entries[i].type, kTypeFontDirectory)) {
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
    const ResEntry stored = source.Load(*directory, buffer);
    const bool same = std::equal(built.begin(), built.end(), stored.data.begin(), stored.data.end()) &&
                      stored.name == ResName{false, 0, u"FONTDIR"} &&
                      stored.memoryFlags == DefaultMemoryFlags(stored.type) && stored.language == *firstLanguage &&
                      stored.version == 0 && stored.characteristics == 0;
    if (same) {
        plan.fontFiles = true;
        plan.consumed.insert(*directory);
    }
}

}  // namespace

SpanningPlan PlanSpanningResources(ResourceSource& source, const GroupHeadCheck& headWritable) {
    SpanningPlan plan;
    PlanGroups(source, headWritable, plan);
    PlanFonts(source, plan);
    return plan;
}

std::optional<std::vector<std::uint8_t>> GroupFile(ResourceSource& source, std::size_t index,
                                                   const PlannedGroup& plan) {
    std::vector<std::uint8_t> groupBytes;
    const ResEntry group = source.Load(index, groupBytes);
    std::vector<std::vector<std::uint8_t>> imageBytes(plan.images.size());
    std::vector<ResEntry> images;
    for (std::size_t k = 0; k < plan.images.size(); ++k) {
        images.push_back(source.Load(plan.images[k], imageBytes[k]));
    }
    std::vector<const ResEntry*> members;
    for (const ResEntry& image : images) {
        members.push_back(&image);
    }
    return IconFileOf(group, members, plan.firstId);
}

}  // namespace brcc
