// svltool: reads, converts and reports Scorvale game files from the command
// line, over the same core as the program.
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>

#include "gamefile/file_error.h"
#include "platform/command_line.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace {

constexpr int kExitBadFile = 1;
constexpr int kExitUsage = 2;

int fail(int status, const std::string& message) {
    std::cerr << "svltool: " << message << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace scorvale;

    CLI::App app{"Reads, converts and reports Scorvale game files (.svl).", "svltool"};
    app.require_subcommand(1);
    app.fallthrough(false);
    // Options are --long and -s on every system: a file name may start
    // with "/" on Windows too. Set before the subcommands, which copy it.
    app.allow_windows_style_options(false);

    const auto subcommands = tool::makeSubcommands();
    std::vector<std::pair<CLI::App*, tool::Subcommand*>> parsers;
    for (const auto& command : subcommands) {
        CLI::App* parser = app.add_subcommand(command->name(), command->description());
        command->defineOptions(*parser);
        parsers.emplace_back(parser, command.get());
    }

    // File names as the core takes them, whatever the system's argv holds.
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& a : arguments) pointers.push_back(a.data());
    platform::useBinaryStandardStreams();

    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    // Whatever a command meets ends it with a message and a status, never
    // with an abort: nothing is written on any error.
    try {
        for (const auto& [parser, command] : parsers)
            if (parser->parsed()) command->run();
    } catch (const FileError& e) {
        return fail(kExitBadFile, e.what());
    } catch (const tool::BadFileError& e) {
        return fail(kExitBadFile, e.what());
    } catch (const tool::UsageError& e) {
        return fail(kExitUsage, e.what());
    } catch (const std::bad_alloc&) {
        return fail(kExitBadFile, "out of memory");
    } catch (const std::exception& e) {
        return fail(kExitBadFile, e.what());
    }
    return 0;
}
