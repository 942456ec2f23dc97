// Pictures of the dialogs for the documentation: dialog_screenshots <folder>.
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QPixmap>

#include <QComboBox>

#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "imports/member_import.h"
#include "imports/results_import.h"
#include "report/standings_picture.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "tests/browser/sample_pools.h"
#include "tests/dialogs/dialog_script.h"
#include "ui/dialogs/member_edit_dialog.h"
#include "ui/dialogs/member_import_dialog.h"
#include "ui/dialogs/member_info_dialog.h"
#include "ui/dialogs/report_settings_dialog.h"
#include "ui/dialogs/results_import_dialog.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/team_dialog.h"
#include "ui/qt_text.h"
#include "ui/svg_picture.h"

using namespace scorvale;

namespace {
std::string sjis(const char* utf8) { return ui::toSjis(QString::fromUtf8(utf8)).value(); }

void save(QDialog& dialog, const QString& folder, const char* name) {
    dialog.show();
    dialog.resize(dialog.sizeHint());
    QApplication::processEvents();
    dialog.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("IPAPGothic"), 9);
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    QApplication::setFont(font);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    Game game;
    game.settings.maxBet = 3;
    for (const auto& [name, group, wins, draws] :
         {std::tuple{"日本", "H組", 2, 1}, std::tuple{"ブラジル", "C組", 3, 0}, std::tuple{"ドイツ", "E組", 1, 1},
          std::tuple{"セネガル", "A組", 1, 2}}) {
        Team team;
        team.name = sjis(name);
        team.group = sjis(group);
        team.wins = wins;
        team.draws = draws;
        team.qualify = 1;
        game.addTeam(team);
    }
    Member member;
    member.name = sjis("山田太郎");
    member.symbol = "yamada.png";
    for (const char* vote : {"ブラジル", "日本", "ドイツ", "イタリア"}) member.appendVote(sjis(vote));
    game.addMember(member);
    computeStandings(game);

    for (const char* date : {"02/06/14", "02/06/18", "02/06/22"}) game.history.setDay(currentResults(game, date));

    testing::DialogScript script;
    ui::SettingsDialog settings(game.settings, game.history, script);
    save(settings, folder, "settings-dialog.png");

    ui::TeamValues team;
    team.name = sjis("日本");
    team.group = sjis("H組");
    team.wins = 2;
    team.draws = 1;
    team.goalDiff = 3;
    team.qualify = 1;
    team.tournamentWins = 1;
    team.symbol = "japan.gif";
    ui::TeamDialog teamDialog(team, true, script);
    save(teamDialog, folder, "team-dialog.png");

    ui::MemberEditDialog editor(game.memberAt(0), game.memberAt(0).name.str(), game, script);
    save(editor, folder, "member-edit-dialog.png");

    ui::MemberInfoDialog info(game.memberAt(0).name.str(), game, 0, script);
    save(info, folder, "member-info-dialog.png");

    ui::ReportDialogValues report;
    report.title = game.settings.name;
    report.date = "02/06/30";
    report.editor = sjis("幹事");
    report.head = sjis("<B>決勝トーナメント</B>\r\nの結果です。");
    report.page = {PageChoice::Kind::phone, true};
    ui::ReportSettingsDialog reportDialog(report, script);
    save(reportDialog, folder, "report-settings-dialog.png");

    // The top ten of the example over its tournament's days, as HTML出力 saves it.
    const Game days = testing::exampleWithHistory(SOURCE_ROOT "/examples/worldcup2002.svl",
                                                  SOURCE_ROOT "/tests/fixtures/openfootball/worldcup2002.json");
    ReportSettings daysReport = testing::dialogDefaults(days);
    ui::saveSvgAsPng(standingsPictureSvg(days, daysReport), QDir(folder).filePath(QStringLiteral("standings-picture.png")));

    // The 2014 list over the 2002 example, as the window holds it: teams
    // changed, added and left alone.
    Game example;
    loadGame(example, SOURCE_ROOT "/examples/worldcup2002.svl", ReadAll);
    computeStandings(example);
    sortTeams(example, TeamSortKey::rank);
    sortMembers(example, MemberSortKey::rank);
    imports::TeamMatcher matcher(example);
    ui::ResultsImportDialog resultsDialog(
        example,
        imports::prepareImport(readWholeFile(SOURCE_ROOT "/tests/fixtures/openfootball/worldcup2014.json"), matcher),
        {}, QStringLiteral("worldcup2014.json"), script);
    save(resultsDialog, folder, "results-import-dialog.png");

    // A form's export of 34 members into the example game: the e-mail and
    // comment columns left out, one spelling of a pick mapped to its team.
    Game formExample;
    loadGame(formExample, SOURCE_ROOT "/examples/worldcup2002.svl", ReadAll);
    std::string form = readWholeFile(SOURCE_ROOT "/tests/fixtures/members/exports/pool34.csv");
    imports::MembersFile file = imports::readMembersFile(form);
    ui::MemberImportDialog importDialog(QStringLiteral("pool34.csv"), std::move(form), std::move(file), {}, formExample,
                                        "26/06/10");
    auto& spellings = importDialog.spellingModel();
    spellings.setData(spellings.index(0, ui::MemberSpellingModel::TeamColumn), spellings.nearest(0), Qt::EditRole);
    importDialog.resize(900, 640);
    importDialog.show();
    QApplication::processEvents();
    importDialog.grab().save(QDir(folder).filePath(QStringLiteral("member-import-dialog.png")));
    return 0;
}
