#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <optional>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/member_columns.h"
#include "imports/member_import.h"
#include "model/today_text.h"
#include "text/sjis_codec.h"
#include "tools/svltool/game_io.h"
#include "tools/svltool/members_report.h"
#include "tools/svltool/subcommand.h"
#include "tools/svltool/tool_errors.h"

namespace scorvale::tool {

namespace {

std::optional<std::size_t> number(std::string_view digits) {
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return std::stoul(std::string(digits));
}

// "N-M" with 1 <= N <= M.
std::optional<std::pair<std::size_t, std::size_t>> columnRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) return std::nullopt;
    const auto first = number(std::string_view(text).substr(0, dash));
    const auto last = number(std::string_view(text).substr(dash + 1));
    if (!first || !last || *first == 0 || *last < *first) return std::nullopt;
    return std::pair{*first, *last};
}

// A column counts from 1; the date column may be 0, for none.
CLI::Validator columnNumber(bool zeroAllowed) {
    return CLI::Validator(
        [zeroAllowed](std::string& text) -> std::string {
            const auto n = number(text);
            if (!n) return "\"" + text + "\" is not a column number";
            if (*n == 0 && !zeroAllowed) return "columns count from 1";
            return {};
        },
        zeroAllowed ? "N (0: none)" : "N");
}

class ImportMembersCommand : public Subcommand {
public:
    ImportMembersCommand()
        : Subcommand("import-members", "Add a member for each row of a form's or a spreadsheet's CSV export.") {}

    void defineOptions(CLI::App& app) override {
        app.add_option("GAME", game_, "game file")->required();
        app.add_option("CSV", csv_, "the members, one a row, their picks in column order")->required();
        app.add_option("-o,--output", out_, "the game file to write (may be GAME)")->option_text("OUT")->required();
        app.add_option("--columns", columns_, "auto: which column is what is guessed from the cells (the options "
                                              "below still win); fixed: the name in column 1, picks after it")
            ->check(CLI::IsMember({"auto", "fixed"}))
            ->option_text("auto|fixed");
        app.add_option("--name-column", nameColumn_, "column of the member's name")
            ->check(columnNumber(false))
            ->option_text("N");
        app.add_option("--vote-columns", voteColumns_, "columns of the picks, first pick first")
            ->check(CLI::Validator(
                [](std::string& text) { return columnRange(text) ? std::string() : "not N-M with 1 <= N <= M"; },
                "N-M"))
            ->option_text("N-M");
        app.add_option("--date-column", dateColumn_, "a timestamp column whose date becomes the member's (0: none)")
            ->check(columnNumber(true))
            ->option_text("N");
        auto* header = app.add_flag("--header", header_, "the first row names the columns");
        app.add_flag("--no-header", noHeader_, "the first row is a member, not a header")->excludes(header);
        app.add_option("--encoding", encoding_, "the file's encoding (default auto: decided on the whole file)")
            ->check(CLI::IsMember({"auto", "utf-8", "cp932", "utf-16"}))
            ->option_text("auto|utf-8|cp932|utf-16");
        app.add_option("--separator", separator_, "what separates the fields (default auto: found in the file)")
            ->check(CLI::IsMember({"auto", "comma", "semicolon", "tab"}))
            ->option_text("auto|comma|semicolon|tab");
        app.add_option("--names", names_, "names file: a spelling of a pick, a tab, the team of the game it means")
            ->option_text("FILE");
        app.add_flag("--replace", replace_, "a member already in the game gets the row's votes and date");
        app.add_flag("--strict", strict_, "any problem is an error: nothing is written");
    }

    void run() override {
        imports::MemberImportOptions options = baseOptions();
        const imports::ColumnChoices fixed = fixedChoices();
        if (columns_ == "fixed") options = fixedColumns(fixed, options);
        checkOptions(columns_ == "fixed" ? options : givenColumns(fixed));

        Game game = loadNew(game_, false);
        if (game.settings.name.empty()) throw BadFileError(game_, "the game has no title; nothing is written");
        const std::string today = todayText();
        imports::TeamMatcher matcher(game);
        imports::MemberImportPlan plan;
        try {
            // A file too large is refused before it is read.
            std::error_code unknown;
            if (const auto size = std::filesystem::file_size(csv_, unknown); !unknown)
                imports::checkMembersFileSize(size);
            // The bytes go once the records are read.
            const imports::MembersFile file = imports::readMembersFile(readWholeFile(csv_), options.format());
            std::cerr << csv_ << ": " << encodingReport(file) << "; " << separatorReport(file) << '\n';
            std::optional<imports::ColumnGuess> guess;
            if (columns_ == "auto") {
                guess = imports::guessMemberColumns(file, matcher);
                options = imports::chooseMemberColumns(*guess, fixed, std::move(options));
            }
            if (options.nameColumn > 0)
                std::cerr << csv_ << ": " << columnsReport(file, options, guess ? &*guess : nullptr) << '\n';
            plan = imports::planMemberImport(file, options, game, matcher, today);
        } catch (const text::InputError& e) {
            throw BadFileError(csv_, e.what());
        } catch (const imports::MemberOptionsError& e) {
            throw BadFileError(csv_, std::string(e.what()) + " (as guessed with the options given)");
        }
        for (const imports::PlannedRow& row : plan.rows)
            for (const imports::MemberProblem& p : row.problems)
                std::cerr << "line " << p.line << ", column " << p.column << ": " << imports::describe(p) << '\n';
        for (const imports::PickSpelling& spelling : plan.spellings) {
            if (spelling.team >= 0) continue;
            const int nearest = matcher.nearestTeam(spelling.written);
            std::cerr << csv_ << ": "
                      << spellingReport(spelling, nearest < 0 ? std::string() : sjis::toUtf8(game.teamAt(nearest).name.view()))
                      << '\n';
        }
        if (!plan.importsAnything())
            throw BadFileError(csv_, "nothing to import: none of its " + std::to_string(plan.rows.size()) +
                                         (plan.rows.size() == 1 ? " row" : " rows") + " can be imported");
        if (strict_ && plan.problemCount > 0)
            throw BadFileError(csv_, std::to_string(plan.problemCount) +
                                         (plan.problemCount == 1 ? " problem" : " problems") +
                                         " with --strict; nothing is written");
        imports::applyMemberImport(game, plan, today);
        writeOutput(out_, [&](const ByteSink& write) { writeGameBytes(game, write); });
    }

private:
    imports::MemberImportOptions baseOptions() const {
        imports::MemberImportOptions options;
        options.encoding = encoding_ == "utf-8"    ? text::Encoding::utf8
                           : encoding_ == "cp932"  ? text::Encoding::cp932
                           : encoding_ == "utf-16" ? text::Encoding::utf16
                                                   : text::Encoding::automatic;
        options.separator = separator_ == "comma"       ? text::Separator::comma
                            : separator_ == "semicolon" ? text::Separator::semicolon
                            : separator_ == "tab"       ? text::Separator::tab
                                                        : text::Separator::automatic;
        options.replace = replace_;
        if (names_) options.names = readNamesFile(*names_);
        return options;
    }

    imports::ColumnChoices fixedChoices() const {
        imports::ColumnChoices fixed;
        if (header_) fixed.header = true;
        if (noHeader_) fixed.header = false;
        if (!nameColumn_.empty()) fixed.nameColumn = number(nameColumn_);
        if (!dateColumn_.empty()) fixed.dateColumn = number(dateColumn_);
        if (!voteColumns_.empty()) fixed.voteColumns = columnRange(voteColumns_);
        return fixed;
    }

    // The columns as they were before guessing: what is not given is the
    // name in column 1, a header, and every column after the name a pick.
    static imports::MemberImportOptions fixedColumns(const imports::ColumnChoices& fixed,
                                                     imports::MemberImportOptions options) {
        options.header = fixed.header.value_or(true);
        options.nameColumn = fixed.nameColumn.value_or(1);
        options.dateColumn = fixed.dateColumn.value_or(0);
        if (fixed.voteColumns) std::tie(options.firstVoteColumn, options.lastVoteColumn) = *fixed.voteColumns;
        return options;
    }

    // Only the columns given, for checking them against each other before
    // anything is guessed.
    static imports::MemberImportOptions givenColumns(const imports::ColumnChoices& fixed) {
        imports::MemberImportOptions given;
        given.nameColumn = fixed.nameColumn.value_or(0);
        given.dateColumn = fixed.dateColumn.value_or(0);
        if (fixed.voteColumns) std::tie(given.firstVoteColumn, given.lastVoteColumn) = *fixed.voteColumns;
        return given;
    }

    static void checkOptions(const imports::MemberImportOptions& options) {
        try {
            imports::checkMemberOptions(options);
        } catch (const imports::MemberOptionsError& e) {
            throw UsageError(e.what());
        }
    }

    std::string game_;
    std::string csv_;
    std::string out_;
    std::string columns_ = "auto";
    std::string nameColumn_;
    std::string voteColumns_;
    std::string dateColumn_;
    std::string encoding_ = "auto";
    std::string separator_ = "auto";
    std::optional<std::string> names_;
    bool header_ = false;
    bool noHeader_ = false;
    bool replace_ = false;
    bool strict_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> makeImportMembersCommand() { return std::make_unique<ImportMembersCommand>(); }

}  // namespace scorvale::tool
