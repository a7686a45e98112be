// The bytes of the resources that a script builds, from the model the parser fills: one encoder per kind.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "brcc32/script/model.h"

namespace brcc {

std::vector<std::uint8_t> EncodeDialog(const Dialog& dialog);
std::vector<std::uint8_t> EncodeMenu(const Menu& menu);
std::vector<std::uint8_t> EncodeAccelerators(const AcceleratorTable& table);
// Throws ScriptError where a block, a value or the whole is over the 64 KB that its 16-bit length can say.
std::vector<std::uint8_t> EncodeVersionInfo(const VersionInfo& info);

// The bytes of the structure a statement holds; nothing where its data is bytes already.
std::optional<std::vector<std::uint8_t>> EncodeBody(const ResourceBody& body);

}  // namespace brcc
