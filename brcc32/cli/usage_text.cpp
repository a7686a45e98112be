// The usage text of each dialect, from the catalogue.
#include <string>
#include <string_view>

#include "brcc32/cli/command_line.h"
#include "brcc32/cli/system_include_folders.h"
#include "brcc32/files/input_file.h"
#include "brcc32/message_catalogue.h"

namespace brcc {

namespace {

struct DialectTexts {
    const MessageText& usage;
    const MessageText& compatibility;
    bool bannerBeforeUsage;  // as the compilers this dialect stands in for print their name before their usage
};

DialectTexts TextsOf(Dialect dialect) {
    switch (dialect) {
        case Dialect::kMicrosoft:
            return {msg::kUsageMicrosoft, msg::kCompatibleMicrosoft, true};
        case Dialect::kGnu:
            return {msg::kUsageGnu, msg::kCompatibleGnu, false};
        case Dialect::kBorland:
            break;
    }
    return {msg::kUsageBorland, msg::kCompatibleBorland, true};
}

}  // namespace

const MessageText& DialectUsage(Dialect dialect) { return TextsOf(dialect).usage; }

std::string UsageText(Dialect dialect, std::string_view programName) {
    const DialectTexts texts = TextsOf(dialect);
    return (texts.bannerBeforeUsage ? VersionText(dialect, programName) + "\n" : std::string()) +
           Text(texts.usage, {programName}) + Text(msg::kUsageCommon, {programName});
}

std::string SearchOrderText(Machine machine) {
    std::string folders;
    for (const std::filesystem::path& folder : SystemIncludeFolders(machine)) {
        folders += "  " + PathToUtf8(folder) + "\n";
    }
    return "\n" + Text(msg::kUsageSearchOrder, {folders.empty() ? Text(msg::kUsageNoSystemFolders) : folders});
}

std::string VersionText(Dialect dialect, std::string_view programName) {
    return std::string(programName) + " (Talvorine) 1.0, " + Text(TextsOf(dialect).compatibility) + "\n";
}

}  // namespace brcc
