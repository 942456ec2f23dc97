#pragma once

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace scorvale::tool {

// One subcommand of svltool: its name and description for the help, its
// options, and what it does. main.cpp builds the command line and the
// dispatch from the list below, so a new subcommand is one class and one
// line there.
class Subcommand {
public:
    Subcommand(std::string name, std::string description)
        : name_(std::move(name)), description_(std::move(description)) {}
    virtual ~Subcommand() = default;

    const std::string& name() const { return name_; }
    const std::string& description() const { return description_; }

    // Declares the options and arguments on `app`, the subcommand's own part
    // of the command line; their values land in the object.
    virtual void defineOptions(CLI::App& app) = 0;
    // Runs with the parsed values. Throws FileError, BadFileError or
    // UsageError, or whatever the core throws.
    virtual void run() = 0;

private:
    std::string name_;
    std::string description_;
};

std::unique_ptr<Subcommand> makeDecodeCommand();
std::unique_ptr<Subcommand> makeEncodeCommand();
std::unique_ptr<Subcommand> makeStandingsCommand();
std::unique_ptr<Subcommand> makeReportCommand();
std::unique_ptr<Subcommand> makePageCommand();
std::unique_ptr<Subcommand> makeImportResultsCommand();
std::unique_ptr<Subcommand> makeImportMembersCommand();
std::unique_ptr<Subcommand> makeHistoryCommand();

// Every subcommand, in the order the help lists them.
std::vector<std::unique_ptr<Subcommand>> makeSubcommands();

}  // namespace scorvale::tool
