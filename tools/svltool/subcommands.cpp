#include "tools/svltool/subcommand.h"

namespace scorvale::tool {

std::vector<std::unique_ptr<Subcommand>> makeSubcommands() {
    std::vector<std::unique_ptr<Subcommand>> all;
    all.push_back(makeDecodeCommand());
    all.push_back(makeEncodeCommand());
    all.push_back(makeStandingsCommand());
    all.push_back(makeReportCommand());
    all.push_back(makePageCommand());
    all.push_back(makeImportResultsCommand());
    all.push_back(makeImportMembersCommand());
    all.push_back(makeHistoryCommand());
    return all;
}

}  // namespace scorvale::tool
