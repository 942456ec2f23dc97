#include "ui/dialogs/edit_commands.h"

#include <QFileInfo>

#include "gamefile/file_error.h"
#include "report/phone_page.h"
#include "report/standings_picture.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "ui/dialogs/html_output.h"
#include "ui/dialogs/member_edit_dialog.h"
#include "ui/dialogs/member_info_dialog.h"
#include "ui/dialogs/report_settings_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/team_dialog.h"
#include "ui/core_path.h"
#include "ui/file_messages.h"
#include "ui/qt_text.h"
#include "ui/svg_picture.h"
#include "model/today_text.h"

namespace scorvale::ui {

namespace {

HtmlReportWriter& reportWriter() {
    static HtmlReportWriter writer;
    return writer;
}

void scoreAndOrder(Game& game) {
    computeStandings(game);
    sortTeams(game, TeamSortKey::rank);
    sortMembers(game, MemberSortKey::rank);
}
}  // namespace

void setHtmlReportWriterForTesting(HtmlReportWriter writer) { reportWriter() = std::move(writer); }

std::string proposedReportPath(const std::string& currentFilePath) {
    static const std::string from = ".svl";
    static const std::string to = ".html";
    std::string path = currentFilePath;
    for (std::size_t at = path.find(from); at != std::string::npos; at = path.find(from, at + to.size()))
        path.replace(at, from.size(), to);
    return path;
}

QString picturePath(const QString& pagePath) {
    const QFileInfo page(pagePath);
    const QString suffix = page.suffix();
    const QString stem = suffix.isEmpty() ? pagePath : pagePath.left(pagePath.size() - suffix.size() - 1);
    return stem + QStringLiteral(".png");
}

bool runSettingsCommand(Game& game, Interaction& interaction) {
    SettingsDialog dialog(game.settings, game.history, interaction);
    if (!interaction.runDialog(dialog)) return false;
    game.settings = dialog.values();
    if (dialog.clearHistory() &&
        interaction.askYesNo(QStringLiteral("結果の履歴の消去"),
                             QStringLiteral("結果の履歴（%1日分）を消去しますか？").arg(game.history.days().size())))
        game.history.clear();
    return true;
}

namespace {
// What the team dialog shows of a team, and what a confirmed dialog stores.
TeamValues valuesOf(const Team& team) {
    TeamValues v;
    v.name = team.name.str();
    v.group = team.group.str();
    v.wins = team.wins;
    v.losses = team.losses;
    v.draws = team.draws;
    v.goalDiff = team.goalDiff;
    v.qualify = team.qualify;
    v.tournamentWins = team.tournamentWins;
    v.out = team.out;
    v.symbol = team.symbol.str();
    return v;
}

void store(const TeamValues& v, Team& team) {
    team.name = v.name;
    team.date = v.date;
    team.symbol = v.symbol;
    team.group = v.group;
    team.out = v.out;
    team.qualify = v.qualify;
    team.wins = v.wins;
    team.draws = v.draws;
    team.losses = v.losses;
    team.tournamentWins = v.tournamentWins;
    team.goalDiff = v.goalDiff;
}
}  // namespace

bool addTeamByDialog(Game& game, Interaction& interaction) {
    TeamDialog dialog(TeamValues{}, true, interaction);
    if (!interaction.runDialog(dialog) || dialog.deleteRequested()) return false;
    const TeamValues& v = dialog.values();
    if (v.name.empty()) return false;
    Team team;
    store(v, team);
    game.addTeam(std::move(team));
    game.settings.date = v.date;
    scoreAndOrder(game);
    return true;
}

bool editTeamByDialog(Game& game, Interaction& interaction, int index, bool editable) {
    TeamDialog dialog(valuesOf(game.teamAt(index)), editable, interaction);
    if (interaction.runDialog(dialog)) {
        store(dialog.values(), game.teamAt(index));
        game.settings.date = dialog.values().date;
        return true;
    }
    if (dialog.deleteRequested() &&
        interaction.askYesNo(QStringLiteral("チームの削除"), QStringLiteral("本当に削除しますか？"))) {
        game.removeTeamAt(index);
        interaction.tell(Interaction::Icon::Warning, QStringLiteral("チームの削除"),
                         QStringLiteral("チームが削除されても、投票は有効です。注意してください。"));
        return true;
    }
    return false;
}

bool addMemberByDialog(Game& game, Interaction& interaction) {
    MemberEditDialog dialog(Member{}, std::string(), game, interaction);
    if (!interaction.runDialog(dialog) || dialog.nameText().empty()) return false;
    Member member = dialog.member();
    member.name = dialog.nameText();
    member.symbol = dialog.imageText();
    game.settings.date = member.date.str();
    game.addMember(std::move(member));
    scoreAndOrder(game);
    return true;
}

bool showMemberByDialog(Game& game, Interaction& interaction, int index) {
    MemberInfoDialog dialog(game.memberAt(index).name.str(), game, index, interaction);
    if (interaction.runDialog(dialog)) {
        game.memberAt(index).name = dialog.nameText();
        return true;
    }
    if (dialog.expelRequested() && interaction.askYesNo(fromSjis(dialog.nameText()) + QStringLiteral("の除名"),
                                                        QStringLiteral("本当に除名しますか？"))) {
        game.removeMemberAt(index);
        return true;
    }
    // The editor it opened writes straight into the game.
    return dialog.memberEdited();
}

bool runHtmlOutputCommand(Game& game, Interaction& interaction, const std::string& currentFilePath,
                          const std::function<bool()>& refreshView) {
    ReportDialogValues in;
    in.title = game.settings.name;
    in.date = game.settings.date;
    in.editor = game.report.editor;
    in.head = game.report.head;
    in.foot = game.report.foot;
    in.topImage = game.report.topImage;
    in.leftImage = game.report.leftImage;
    in.rightImage = game.report.rightImage;
    in.backgroundImage = game.report.backgroundImage;
    in.page = game.page;
    ReportSettingsDialog dialog(in, interaction);
    if (!interaction.runDialog(dialog)) return false;

    computeStandings(game);
    if (!refreshView()) return false;
    const auto chosen = interaction.chooseSaveFile(QStringLiteral("Html (*.html)"), QStringLiteral("html"),
                                                   qtPath(proposedReportPath(currentFilePath)));
    if (!chosen) return false;

    const ReportDialogValues& v = dialog.values();
    game.settings.name = v.title;
    game.report.memberDetails = v.memberDetails;
    game.report.teamDetails = 0;
    game.report.memberRange = v.memberRange;
    game.report.teamRange = v.teamRange;
    game.report.date = v.date;
    game.report.editor = v.editor;
    game.report.title = v.title;
    game.report.head = v.head;
    game.report.foot = v.foot;
    game.report.topImage = v.topImage;
    game.report.leftImage = v.leftImage;
    game.report.rightImage = v.rightImage;
    game.report.backgroundImage = v.backgroundImage;
    game.page = v.page;

    const std::string path = corePath(*chosen);
    try {
        if (reportWriter())
            reportWriter()(game, path, game.report);
        else
            writePage(game, path, game.report);
    } catch (const FileError& error) {
        // The file layer's own message ends the command; the stored values stay.
        interaction.tell(Interaction::Icon::Warning, QStringLiteral("HTML出力"),
                         qtPath(error.path()) + QStringLiteral("\n") + fileErrorReason(error));
        return true;
    }
    if (game.page.picture) {
        const QString picture = picturePath(*chosen);
        if (const auto error = saveSvgAsPng(standingsPictureSvg(game, game.report), picture))
            interaction.tell(Interaction::Icon::Warning, QStringLiteral("HTML出力"), picture + QStringLiteral("\n") + *error);
    }
    return true;
}

}  // namespace scorvale::ui
