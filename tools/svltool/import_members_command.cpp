#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/member_import.h"
#include "model/today_text.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

// "N-M" with 1 <= N <= M.
std::optional<std::pair<std::size_t, std::size_t>> columnRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 == text.size()) return std::nullopt;
    const auto number = [](std::string_view digits) -> std::optional<std::size_t> {
        if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        return std::stoul(std::string(digits));
    };
    const auto first = number(std::string_view(text).substr(0, dash));
    const auto last = number(std::string_view(text).substr(dash + 1));
    if (!first || !last || *first == 0 || *last < *first) return std::nullopt;
    return std::pair{*first, *last};
}

class ImportMembersCommand : public Subcommand {
public:
    ImportMembersCommand()
        : Subcommand("import-members", "Add a member for each row of a form's or a spreadsheet's CSV export.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("GAME", game_, "game file")->required();
        app.add_option("CSV", csv_, "the members, one a row, their picks in column order")->required();
        app.add_option("-o,--output", out_, "the game file to write (may be GAME)")->option_text("OUT")->required();
        app.add_option("--name-column", options_.nameColumn, "column of the member's name (default 1)")
            ->check(CLI::PositiveNumber)
            ->option_text("N");
        app.add_option("--vote-columns", voteColumns_, "columns of the picks, first pick first (default: every "
                                                       "column after the name column)")
            ->check(CLI::Validator(
                [](std::string& text) { return columnRange(text) ? std::string() : "not N-M with 1 <= N <= M"; },
                "N-M"))
            ->option_text("N-M");
        app.add_option("--date-column", options_.dateColumn, "a timestamp column whose date becomes the member's")
            ->check(CLI::PositiveNumber)
            ->option_text("N");
        app.add_flag("--no-header", noHeader_, "the first row is a member, not a header");
        app.add_option("--encoding", encoding_, "the file's encoding (default auto: UTF-8 after a BOM or when "
                                                "valid, else CP932)")
            ->check(CLI::IsMember({"auto", "utf-8", "cp932"}))
            ->option_text("auto|utf-8|cp932");
        app.add_flag("--replace", options_.replace, "a member already in the game gets the row's votes and date");
        app.add_flag("--strict", strict_, "any problem is an error: nothing is written");
    }

    void run() override {
        if (!voteColumns_.empty()) {
            const auto range = columnRange(voteColumns_);
            options_.firstVoteColumn = range->first;
            options_.lastVoteColumn = range->second;
        }
        options_.header = !noHeader_;
        options_.encoding = encoding_ == "utf-8"   ? text::Encoding::utf8
                            : encoding_ == "cp932" ? text::Encoding::cp932
                                                   : text::Encoding::automatic;
        try {
            imports::checkMemberOptions(options_);
        } catch (const imports::MemberOptionsError& e) {
            throw UsageError(e.what());
        }

        Game game = loadNew(game_, false);
        if (game.settings.name.empty()) throw BadFileError(game_, "the game has no title; nothing is written");
        const std::string bytes = readWholeFile(csv_);
        const std::string today = todayText();
        imports::MemberImportPlan plan;
        try {
            plan = imports::prepareMemberImport(bytes, options_, game, today);
        } catch (const imports::MembersFileError& e) {
            throw BadFileError(csv_, e.what());
        }
        for (const imports::PlannedRow& row : plan.rows)
            for (const imports::MemberProblem& p : row.problems)
                std::cerr << "line " << p.line << ", column " << p.column << ": " << imports::describe(p) << '\n';
        if (strict_ && plan.problemCount > 0)
            throw BadFileError(csv_, std::to_string(plan.problemCount) +
                                         (plan.problemCount == 1 ? " problem" : " problems") +
                                         " with --strict; nothing is written");
        imports::applyMemberImport(game, plan, today);
        writeOutput(out_, [&](const ByteSink& write) { writeGameBytes(game, write); });
    }

private:
    std::string game_;
    std::string csv_;
    std::string out_;
    std::string voteColumns_;
    std::string encoding_ = "auto";
    bool noHeader_ = false;
    bool strict_ = false;
    imports::MemberImportOptions options_;
};

}  // namespace

std::unique_ptr<Subcommand> makeImportMembersCommand() { return std::make_unique<ImportMembersCommand>(); }

}  // namespace scorvale::tool
