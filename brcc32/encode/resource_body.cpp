// Picks the encoder of the structure a statement holds.
#include "brcc32/encode/encode.h"

namespace brcc {
namespace {

struct BodyEncoder {
    std::optional<std::vector<std::uint8_t>> operator()(std::monostate) const { return std::nullopt; }
    std::optional<std::vector<std::uint8_t>> operator()(const Dialog& dialog) const { return EncodeDialog(dialog); }
    std::optional<std::vector<std::uint8_t>> operator()(const Menu& menu) const { return EncodeMenu(menu); }
    std::optional<std::vector<std::uint8_t>> operator()(const AcceleratorTable& table) const {
        return EncodeAccelerators(table);
    }
    std::optional<std::vector<std::uint8_t>> operator()(const VersionInfo& info) const {
        return EncodeVersionInfo(info);
    }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeBody(const ResourceBody& body) {
    return std::visit(BodyEncoder(), body);
}

}  // namespace brcc
