#include "ui/main_controller.h"

#include <QFile>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "ui/dialogs/edit_commands.h"
#include "ui/load_settings_dialog.h"
#include "ui/password_dialog.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
constexpr int kByRank = 1;

QString localPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void setStartValues(Game& game) {
    GameSettings& s = game.settings;
    s.name = "Let's bet on the World Cup 2002";
    s.maxBet = 10;
    s.winPoints = 3;
    s.drawPoints = 1;
    s.losePoints = 0;
    s.tournamentWinPoints = 6;
    s.rate = 1;
    s.bonus1 = 20;
    s.bonus2 = 10;
    s.bonus3 = 0;
    s.qualifyBonus = 30;
    s.over = 0;
    s.password = 0;
    game.clearMembers();
    game.clearTeams();
}
}  // namespace

MainController::MainController(Interaction& interaction, WindowView& view)
    : interaction_(interaction), view_(view), teamModel_(game_, nullptr), memberModel_(game_, nullptr) {
    setStartValues(game_);
}

void MainController::refreshView() {
    if (game_.settings.name.empty()) {
        // Without a title the lists stay empty and the buttons keep their state.
        teamModel_.rebuild(false);
        memberModel_.rebuild(false);
        view_.setCaption(QStringLiteral("Scorvale! !!! No Game Data !!!"));
        hasGame_ = false;
        return;
    }
    view_.setCaption(QStringLiteral("Scorvale! [%1]").arg(fromSjis(game_.settings.name)));
    hasGame_ = true;
    teamModel_.rebuild(true);
    memberModel_.rebuild(true);
    view_.setAdminCommandsEnabled(editingUnlocked_);
}

void MainController::fullUpdate() {
    computeStandings(game_);
    sortTeams(game_, kByRank);
    sortMembers(game_, kByRank);
    refreshView();
}

void MainController::tellFileError(const QString& caption, const std::string& path, const std::string& reason) {
    interaction_.tell(Interaction::Icon::Warning, caption,
                      localPath(path) + QLatin1Char('\n') + QString::fromLocal8Bit(reason));
}

void MainController::load() {
    LoadSettingsDialog dialog(dialogParent_);
    if (!interaction_.runDialog(dialog)) return;
    const bool newLoad = dialog.newLoad();
    // A new load locks the window, so it reads everything and adds nothing
    // of the merge options.
    unsigned flags = newLoad ? ReadAll : NoLoadFlags;
    if (!newLoad && editingUnlocked_) {
        if (dialog.readSettings()) flags |= ReadSettings;
        if (dialog.mergeTeams()) flags |= ReadTeams;
        if (dialog.mergeMembers()) flags |= ReadMembers;
    }

    const std::optional<QString> chosen = interaction_.chooseOpenFile(QStringLiteral("svl (*.svl)"));
    if (!chosen) return;
    const std::string path = localPath(*chosen);
    std::string bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const FileError& error) {
        // The open game is only given up once the new file is in hand.
        tellFileError(QStringLiteral("読み込み"), error.path(), error.reason());
        return;
    }

    if (newLoad) {
        game_.clearMembers();
        game_.clearTeams();
        game_.settings.name.clear();
        editingUnlocked_ = false;
        currentFilePath_ = path;
    }
    loadGameBytes(game_, bytes, flags);
    if (game_.settings.password == 0) editingUnlocked_ = true;
    fullUpdate();
}

void MainController::save() {
    computeStandings(game_);
    refreshView();
    if (!hasGame_) return;
    const std::optional<QString> chosen =
        interaction_.chooseSaveFile(QStringLiteral("Svl (*.svl)"), QStringLiteral("svl"), localPath(currentFilePath_));
    if (!chosen) return;
    currentFilePath_ = localPath(*chosen);
    try {
        saveGame(game_, currentFilePath_);
    } catch (const FileError& error) {
        tellFileError(QStringLiteral("保存"), error.path(), error.reason());
    }
}

void MainController::password() {
    PasswordDialog dialog(editingUnlocked_, interaction_, dialogParent_);
    if (!interaction_.runDialog(dialog)) return;
    const auto notice = [this](const char16_t* caption, const char16_t* text) {
        interaction_.tell(Interaction::Icon::None, QString::fromUtf16(caption), QString::fromUtf16(text));
    };
    std::int32_t& stored = game_.settings.password;
    if (editingUnlocked_) {
        if (dialog.currentValue == stored && dialog.newValue == dialog.confirmValue) {
            stored = dialog.newValue;
            notice(u"パスワードの変更", u"パスワードは変更されました");
        } else {
            notice(u"パスワードの変更", u"パスワードを変更できませんでした");
        }
        return;
    }
    if (dialog.currentValue == stored) {
        editingUnlocked_ = true;
        notice(u"パスワードの入力", u"パスワードが受理されました");
        refreshView();
    } else {
        notice(u"パスワードの入力", u"パスワードが違います");
    }
}

void MainController::settings() {
    if (runSettingsCommand(game_, interaction_)) fullUpdate();
}

void MainController::addTeam() {
    addTeamByDialog(game_, interaction_);
    refreshView();
}

void MainController::addMember() {
    addMemberByDialog(game_, interaction_);
    refreshView();
}

void MainController::htmlOutput() {
    runHtmlOutputCommand(game_, interaction_, currentFilePath_, [this] {
        refreshView();
        return hasGame_;
    });
}

void MainController::editTeam(int row) {
    if (row < 0 || row >= game_.teamCount()) return;
    editTeamByDialog(game_, interaction_, row, editingUnlocked_);
    fullUpdate();
}

void MainController::editMember(int row) {
    if (row < 0 || row >= game_.memberCount()) return;
    showMemberByDialog(game_, interaction_, row);
    fullUpdate();
}

void MainController::teamHeaderClicked(int column) {
    sortTeams(game_, teamSortKeyOfColumn(column));
    refreshView();
}

void MainController::memberHeaderClicked(int column) {
    sortMembers(game_, memberSortKeyOfColumn(column));
    refreshView();
}

bool MainController::confirmExit() {
    return interaction_.askYesNo(QStringLiteral("終了"), QStringLiteral("終了しますか？"));
}

}  // namespace scorvale::ui
