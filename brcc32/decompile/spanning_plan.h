// What spans resources, so is settled before any is written: which icon and cursor groups go to a file with their
// images, and whether fonts go to files (only where the FONTDIR the compiler makes from them is the stored one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "brcc32/input/resource_source.h"

namespace brcc {

// A group written as an ICON or CURSOR file: its images, and the number the compiler gives the first.
struct PlannedGroup {
    std::vector<std::size_t> images;
    std::uint32_t firstId;
};

struct SpanningPlan {
    std::unordered_set<std::size_t> consumed;              // images written with their group, a FONTDIR the fonts make
    std::unordered_map<std::size_t, PlannedGroup> groups;  // by the group's index
    std::unordered_map<std::size_t, std::size_t> groupAt;  // the group written at an index
    bool fontFiles = false;
};

// Whether an ICON (or CURSOR) statement can name this group: its head, with the first image's memory flags.
using GroupHeadCheck = std::function<bool(const ResEntry& head, bool isIcon)>;

SpanningPlan PlanSpanningResources(ResourceSource& source, const GroupHeadCheck& headWritable);

// The group's file, built again when it is written rather than held from the plan: a script of many icons would hold
// them all. Nothing when the group and its images make no file.
std::optional<std::vector<std::uint8_t>> GroupFile(ResourceSource& source, std::size_t index, const PlannedGroup& plan);

}  // namespace brcc
