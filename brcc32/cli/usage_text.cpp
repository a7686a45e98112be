// The usage text of each dialect, from the catalogue.
#include <string>
#include <string_view>

#include "brcc32/cli/command_line.h"
#include "brcc32/message_catalogue.h"

namespace brcc {

std::string UsageText(Dialect dialect, std::string_view programName) {
    const MessageText* body = &msg::kUsageBorland;
    if (dialect == Dialect::kMicrosoft) {
        body = &msg::kUsageMicrosoft;
    } else if (dialect == Dialect::kGnu) {
        body = &msg::kUsageGnu;
    }
    return Text(*body, {programName}) + Text(msg::kUsageCommon, {programName});
}

std::string VersionText(std::string_view programName) { return std::string(programName) + " (Talvorine) 1.0\n"; }

}  // namespace brcc
