// The usage text of each dialect, from the catalogue.
#include <string>
#include <string_view>

#include "brcc32/cli/command_line.h"
#include "brcc32/message_catalogue.h"

namespace brcc {

const MessageText& DialectUsage(Dialect dialect) {
    if (dialect == Dialect::kMicrosoft) {
        return msg::kUsageMicrosoft;
    }
    return dialect == Dialect::kGnu ? msg::kUsageGnu : msg::kUsageBorland;
}

std::string UsageText(Dialect dialect, std::string_view programName) {
    return Text(DialectUsage(dialect), {programName}) + Text(msg::kUsageCommon, {programName});
}

std::string VersionText(std::string_view programName) { return std::string(programName) + " (Talvorine) 1.0\n"; }

}  // namespace brcc
