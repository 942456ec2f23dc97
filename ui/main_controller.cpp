#include "ui/main_controller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <new>
#include <stdexcept>
#include <type_traits>

#include "gamefile/file_error.h"
#include "gamefile/game_file.h"
#include "gamefile/safe_file.h"
#include "scoring/ordering.h"
#include "scoring/standings.h"
#include "imports/match_list.h"
#include "lists/standings_tables.h"
#include "model/today_text.h"
#include "ui/dialogs/edit_commands.h"
#include "ui/dialogs/member_import_command.h"
#include "ui/dialogs/results_import_command.h"
#include "ui/core_path.h"
#include "ui/file_messages.h"
#include "ui/load_settings_dialog.h"
#include "ui/password_dialog.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {

QString localPath(const std::string& path) { return qtPath(path); }
std::string localPath(const QString& path) { return corePath(path); }

std::function<void()>& loadFaultHook() {
    static std::function<void()> hook = [] {};
    return hook;
}

// Scores `game` and orders both lists by rank, all or nothing: each ordering
// works out the new order before it moves a record, and the larger list goes
// first, so that the other reuses the buffers it grew and cannot run out of
// memory once the first has moved its records.
void scoreAndOrderByRank(Game& game) {
    computeStandings(game);
    if (game.memberCount() >= game.teamCount()) {
        sortMembers(game, MemberSortKey::rank);
        sortTeams(game, TeamSortKey::rank);
    } else {
        sortTeams(game, TeamSortKey::rank);
        sortMembers(game, MemberSortKey::rank);
    }
}

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

void setLoadFaultHookForTesting(std::function<void()> hook) {
    loadFaultHook() = hook ? std::move(hook) : [] {};
}

MainController::MainController(Interaction& interaction, WindowView& view)
    : interaction_(interaction), view_(view), teamModel_(game_.teams(), lists::kTeamColumns, nullptr),
      memberModel_(game_.members(), lists::kMemberColumns, nullptr) {
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
    sortTeams(game_, TeamSortKey::rank);
    sortMembers(game_, MemberSortKey::rank);
    refreshView();
}

template <typename Command>
void MainController::recordingResults(Command command) {
    const HistoryDay before = currentResults(game_, std::string());
    command();
    recordChange(game_.history, before, currentResults(game_, todayText()));
}

void MainController::tellFileError(const QString& caption, const FileError& error) {
    interaction_.tell(Interaction::Icon::Warning, caption,
                      localPath(error.path()) + QLatin1Char('\n') + fileErrorReason(error));
}

template <typename Command>
void MainController::guarded(const char16_t* caption, Command command) {
    struct Ended {
        WindowView& view;
        ~Ended() {
            try {
                view.commandEnded();
            } catch (...) {
            }
        }
    } ended{view_};
    // The message is told once the handler has ended: telling needs memory too.
    bool outOfMemory = false;
    std::string detail;
    try {
        command();
        return;
    } catch (const FileError& error) {
        try {
            tellFileError(QString::fromUtf16(caption), error);
        } catch (...) {
        }
        return;
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (const std::length_error&) {
        // A text or list beyond what a string or vector can hold.
        outOfMemory = true;
    } catch (const std::exception& error) {
        try {
            detail = error.what();
        } catch (...) {
        }
    } catch (...) {
    }
    try {
        QString text = outOfMemory ? QStringLiteral("メモリが足りないため、この操作を完了できませんでした。")
                                   : QStringLiteral("この操作を完了できませんでした。");
        if (!detail.empty()) text += QLatin1Char('\n') + QString::fromLocal8Bit(detail);
        interaction_.tell(Interaction::Icon::Warning, QString::fromUtf16(caption), text);
    } catch (...) {
        // Not even the message fits: the game is as the command left it.
    }
}

// The commands run through here (a load, a merge, a save, a page, the
// settings, and the imports to come) only add records at the collections'
// ends and set settings, report texts and the window's state, so the sizes
// and copies of those are all it takes to undo them. A file error is the
// exception: it ends a command with what the command had done kept, as the
// commands have always done.
template <typename Change>
void MainController::changeOrRollBack(Change change) {
    Checkpoint before{game_.settings, game_.report, game_.teams().size(), game_.members().size(), editingUnlocked_,
                      currentFilePath_};
    try {
        change();
    } catch (const FileError&) {
        throw;
    } catch (...) {
        rollBack(before);
        throw;
    }
}

void MainController::rollBack(Checkpoint& to) noexcept {
    game_.settings = std::move(to.settings);
    game_.report = std::move(to.report);
    std::vector<Team>& teams = game_.teams();
    std::vector<Member>& members = game_.members();
    teams.erase(teams.begin() + static_cast<std::ptrdiff_t>(std::min(to.teams, teams.size())), teams.end());
    members.erase(members.begin() + static_cast<std::ptrdiff_t>(std::min(to.members, members.size())),
                  members.end());
    editingUnlocked_ = to.editingUnlocked;
    currentFilePath_ = std::move(to.currentFilePath);
    // The computed fields as they were: those of the game as it is again.
    try {
        computeStandings(game_);
    } catch (...) {
    }
}

namespace {
bool& checkStepReach() {
    static bool check = false;
    return check;
}
}  // namespace

void MainController::checkStepReachForTesting(bool check) {
    checkStepReach() = check;
    undo::UndoHistory::checkEveryRecordForTesting(check);
}

QString MainController::stepName(Step step) {
    switch (step) {
        case Step::settings: return QStringLiteral("設定");
        case Step::addTeam: return QStringLiteral("チーム追加");
        case Step::editTeam: return QStringLiteral("チーム編集");
        case Step::deleteTeam: return QStringLiteral("チームの削除");
        case Step::addMember: return QStringLiteral("参加者追加");
        case Step::editMember: return QStringLiteral("参加者の修正");
        case Step::expelMember: return QStringLiteral("参加者の除名");
        case Step::importResults: return QStringLiteral("試合結果の取り込み");
        case Step::importMembers: return QStringLiteral("参加者の取り込み");
        case Step::merge: return QStringLiteral("ファイルのマージ");
        case Step::password: return QStringLiteral("パスワードの変更");
        case Step::htmlOutput: return QStringLiteral("HTML出力");
    }
    return {};
}

template <typename Command>
void MainController::recorded(Step step, undo::GameReach reach, Command command) {
    const bool unlocked = editingUnlocked_;
    steps_.begin(game_, reach);
    try {
        command(step);
    } catch (...) {
        // What the command did before it failed stays done, and can be undone.
        keepStep(step, unlocked);
        throw;
    }
    keepStep(step, unlocked);
}

void MainController::keepStep(Step step, bool madeUnlocked) {
    try {
        steps_.end(game_, {static_cast<int>(step), madeUnlocked});
    } catch (const std::logic_error&) {
        if (checkStepReach()) throw;  // a command changed more than it said
        steps_.clear();
    } catch (...) {
        // No memory to keep the step: the ones before it no longer fit the game.
        steps_.clear();
    }
}

void MainController::endStep(const undo::StepInfo& step) {
    switch (static_cast<Step>(step.kind)) {
        case Step::password: break;
        case Step::htmlOutput: computeStandings(game_); break;
        default:
            computeStandings(game_);
            sortTeams(game_, TeamSortKey::rank);
            sortMembers(game_, MemberSortKey::rank);
    }
}

bool MainController::canUndo() const { return steps_.canUndo() && stepAllowed(steps_.undoStep()); }
bool MainController::canRedo() const { return steps_.canRedo() && stepAllowed(steps_.redoStep()); }

QString MainController::undoName() const {
    return steps_.canUndo() ? stepName(static_cast<Step>(steps_.undoStep().kind)) : QString();
}
QString MainController::redoName() const {
    return steps_.canRedo() ? stepName(static_cast<Step>(steps_.redoStep().kind)) : QString();
}

void MainController::undo() {
    guarded(u"元に戻す", [this] {
        if (!canUndo()) return;
        steps_.undo(game_, [this](const undo::StepInfo& step) { endStep(step); });
        unsaved_ = steps_.unsaved();
        refreshView();
    });
}

void MainController::redo() {
    guarded(u"やり直し", [this] {
        if (!canRedo()) return;
        steps_.redo(game_, [this](const undo::StepInfo& step) { endStep(step); });
        unsaved_ = steps_.unsaved();
        refreshView();
    });
}

void MainController::load() { guarded(u"読み込み", [this] { loadCommand(std::nullopt); }); }

void MainController::loadDropped(const std::string& path) {
    guarded(u"読み込み", [this, path] { loadCommand(path); });
}

void MainController::openAtStart(const std::string& path) {
    guarded(u"読み込み", [this, path] { loadFile(path, true, ReadAll); });
}

void MainController::importResults() {
    guarded(u"試合結果の取り込み", [this] { importCommand(Import::results, std::nullopt); });
}

void MainController::importMembers() {
    guarded(u"参加者の取り込み", [this] { importCommand(Import::members, std::nullopt); });
}

void MainController::importDropped(const std::string& path) {
    guarded(u"取り込み", [this, path] {
        if (!editingUnlocked_) return;
        // A match list is JSON, or a CSV whose header names the match columns;
        // such a CSV might also be members' picks, so the user says which.
        Import kind = Import::results;
        if (QFileInfo(localPath(path)).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0) {
            kind = Import::members;
            if (imports::csvNamesMatchColumns(readWholeFile(path))) {
                switch (interaction_.askYesNoCancel(
                    QStringLiteral("取り込み"),
                    QStringLiteral("このファイルを試合結果として取り込みますか？\n「いいえ」で参加者として取り込みます。"))) {
                    case Interaction::Answer::Yes: kind = Import::results; break;
                    case Interaction::Answer::No: break;
                    case Interaction::Answer::Cancel: return;
                }
            }
        }
        importCommand(kind, path);
    });
}

void MainController::importCommand(Import kind, std::optional<std::string> path) {
    // The administrator's: the teams' results and the members change.
    if (!editingUnlocked_) return;
    const bool results = kind == Import::results;
    const undo::GameReach reach = results ? undo::GameReach{undo::Reach::all(), undo::Reach::none()}
                                          : undo::GameReach{undo::Reach::none(), undo::Reach::all()};
    recorded(results ? Step::importResults : Step::importMembers, reach, [&](Step&) {
        recordingResults([&] {
            bool changed = false;
            changeOrRollBack([&] {
                changed = results ? importResultsByDialog(game_, interaction_, path, gameFolder())
                                  : importMembersByDialog(game_, interaction_, path, gameFolder());
            });
            if (!changed) return;
            unsaved_ = true;
            fullUpdate();
        });
    });
}

QString MainController::gameFolder() const {
    return currentFilePath_.empty() ? QString() : QFileInfo(localPath(currentFilePath_)).absolutePath();
}

void MainController::loadCommand(std::optional<std::string> chosen) {
    LoadSettingsDialog dialog(editingUnlocked_ && !chosen, dialogParent_);
    if (!interaction_.runDialog(dialog)) return;
    switch (dialog.choice()) {
        case LoadSettingsDialog::Choice::importResults: return importCommand(Import::results, std::nullopt);
        case LoadSettingsDialog::Choice::importMembers: return importCommand(Import::members, std::nullopt);
        case LoadSettingsDialog::Choice::load: break;
    }
    const bool newLoad = dialog.newLoad();
    // A new load locks the window, so it reads everything and adds nothing
    // of the merge options.
    unsigned flags = newLoad ? ReadAll : NoLoadFlags;
    if (!newLoad && editingUnlocked_) {
        if (dialog.readSettings()) flags |= ReadSettings;
        if (dialog.mergeTeams()) flags |= ReadTeams;
        if (dialog.mergeMembers()) flags |= ReadMembers;
    }
    // Asked before the file is chosen and read: a save answered here may
    // write the very file the user then opens.
    if (newLoad && !settleUnsaved(QStringLiteral("読み込み"),
                                  QStringLiteral("変更が保存されていません。保存してから読み込みますか？")))
        return;

    if (!chosen) {
        const std::optional<QString> picked = interaction_.chooseOpenFile(QStringLiteral("svl (*.svl)"), gameFolder());
        if (!picked) return;
        chosen = localPath(*picked);
    }
    // A new load takes the file's history; a merge records what it changed,
    // and is a step: the game it found comes back by undo, the history too.
    if (newLoad) return loadFile(std::move(*chosen), true, flags);
    recorded(Step::merge, {}, [&](Step&) { recordingResults([&] { loadFile(std::move(*chosen), false, flags); }); });
}

void MainController::loadFile(std::string path, bool newLoad, unsigned flags) {
    // The open game is only given up once the new file is in hand. An empty
    // file loads as an empty game; other bytes must hold one.
    std::string bytes = readWholeFile(path);
    if (!bytes.empty() && !holdsGame(bytes)) {
        interaction_.tell(Interaction::Icon::Warning, QStringLiteral("読み込み"),
                          localPath(path) + QStringLiteral("\nゲームファイルではないため、読み込めません。"));
        return;
    }
    const std::size_t teamsBefore = game_.teams().size();
    const std::size_t membersBefore = game_.members().size();

    changeOrRollBack([&] {
        if (newLoad) {
            // Read into a game of its own, which takes the open game's place
            // only when it is complete: a failure leaves the open game whole.
            Game fresh;
            fresh.settings = game_.settings;
            fresh.settings.name.clear();
            fresh.report = game_.report;
            loadGameBytes(fresh, bytes, flags);
            std::string().swap(bytes);
            loadFaultHook()();
            scoreAndOrderByRank(fresh);
            static_assert(std::is_nothrow_move_assignable_v<Game>);
            game_ = std::move(fresh);
            editingUnlocked_ = false;
            currentFilePath_ = std::move(path);
        } else {
            loadGameBytes(game_, bytes, flags);
            std::string().swap(bytes);
            loadFaultHook()();
            scoreAndOrderByRank(game_);
        }
    });
    if (game_.settings.password == 0) editingUnlocked_ = true;
    // A new load is the game as its file holds it, with no step to undo; a
    // merge that brought anything makes the game differ from its file.
    if (newLoad) {
        unsaved_ = false;
        steps_.clear();
    }
    else if (game_.teams().size() != teamsBefore || game_.members().size() != membersBefore || (flags & ReadSettings))
        unsaved_ = true;
    refreshView();
}

void MainController::save() { guarded(u"保存", [this] { saveCommand(); }); }

bool MainController::saveCommand() {
    computeStandings(game_);
    refreshView();
    if (!hasGame_) return false;
    const std::optional<QString> chosen =
        interaction_.chooseSaveFile(QStringLiteral("Svl (*.svl)"), QStringLiteral("svl"), localPath(currentFilePath_));
    if (!chosen) return false;
    changeOrRollBack([&] {
        currentFilePath_ = localPath(*chosen);
        saveGame(game_, currentFilePath_);
    });
    unsaved_ = false;
    steps_.markSaved();
    return true;
}

void MainController::saveToCurrentFile() {
    guarded(u"上書き保存", [this] {
        if (currentFilePath_.empty()) {
            saveCommand();
            return;
        }
        computeStandings(game_);
        refreshView();
        if (!hasGame_) return;
        saveGame(game_, currentFilePath_);
        unsaved_ = false;
        steps_.markSaved();
    });
}

void MainController::newGame() {
    guarded(u"新しいゲーム", [this] {
        if (!settleUnsaved(QStringLiteral("新しいゲーム"),
                          QStringLiteral("変更が保存されていません。保存してから新しいゲームを始めますか？")))
            return;
        Game fresh;
        setStartValues(fresh);
        game_ = std::move(fresh);
        currentFilePath_.clear();
        editingUnlocked_ = true;
        unsaved_ = false;
        steps_.clear();
        refreshView();
    });
}

void MainController::saveStandingsCsv() {
    guarded(u"順位表をCSVで保存", [this] {
        computeStandings(game_);
        refreshView();
        if (!hasGame_) return;
        // Beside the game's file, under its name.
        QString proposed;
        if (!currentFilePath_.empty()) {
            const QFileInfo file(localPath(currentFilePath_));
            proposed = file.absoluteDir().filePath(file.completeBaseName() + QStringLiteral(".csv"));
        }
        const std::optional<QString> chosen =
            interaction_.chooseSaveFile(QStringLiteral("CSV (*.csv)"), QStringLiteral("csv"), proposed);
        if (!chosen) return;
        writeFileAtomically(localPath(*chosen), lists::standingsCsv(game_));
    });
}

void MainController::password() {
    guarded(u"パスワード", [this] { recorded(Step::password, {}, [this](Step&) { passwordCommand(); }); });
}

void MainController::passwordCommand() {
    PasswordDialog dialog(editingUnlocked_, interaction_, dialogParent_);
    if (!interaction_.runDialog(dialog)) return;
    const auto notice = [this](const char16_t* caption, const char16_t* text) {
        interaction_.tell(Interaction::Icon::None, QString::fromUtf16(caption), QString::fromUtf16(text));
    };
    std::int32_t& stored = game_.settings.password;
    if (editingUnlocked_) {
        if (dialog.currentValue == stored && dialog.newValue == dialog.confirmValue) {
            if (stored != dialog.newValue) unsaved_ = true;
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
    guarded(u"設定", [this] {
        recorded(Step::settings, {}, [this](Step&) {
            recordingResults([this] {
                bool confirmed = false;
                changeOrRollBack([&] { confirmed = runSettingsCommand(game_, interaction_); });
                if (!confirmed) return;
                unsaved_ = true;
                fullUpdate();
            });
        });
    });
}

void MainController::addTeam() {
    guarded(u"チーム追加", [this] {
        recorded(Step::addTeam, {}, [this](Step&) {
            recordingResults([this] {
                if (addTeamByDialog(game_, interaction_)) unsaved_ = true;
                refreshView();
            });
        });
    });
}

void MainController::addMember() {
    guarded(u"参加者追加", [this] {
        recorded(Step::addMember, {}, [this](Step&) {
            if (addMemberByDialog(game_, interaction_)) unsaved_ = true;
            refreshView();
        });
    });
}

void MainController::htmlOutput() {
    guarded(u"HTML出力", [this] {
        recorded(Step::htmlOutput, {}, [this](Step&) {
            // The page's title and texts and which page it is are stored with
            // the game, its date and ranges are not: the game is unsaved only
            // when its file would change.
            const std::string storedBefore = settingsFileText(game_);
            const PageChoice pageBefore = game_.page;
            bool stored = false;
            changeOrRollBack([&] {
                stored = runHtmlOutputCommand(game_, interaction_, currentFilePath_, [this] {
                    refreshView();
                    return hasGame_;
                });
            });
            if (stored && (settingsFileText(game_) != storedBefore || game_.page != pageBefore)) unsaved_ = true;
        });
    });
}

void MainController::editTeam(int row) {
    guarded(u"チーム編集", [this, row] {
        if (row < 0 || row >= game_.teamCount()) return;
        recorded(Step::editTeam, {undo::Reach::record(row), undo::Reach::none()}, [this, row](Step& step) {
            recordingResults([this, row, &step] {
                const int teams = game_.teamCount();
                if (editTeamByDialog(game_, interaction_, row, editingUnlocked_)) unsaved_ = true;
                if (game_.teamCount() < teams) step = Step::deleteTeam;
                fullUpdate();
            });
        });
    });
}

void MainController::editMember(int row) {
    guarded(u"参加者情報", [this, row] {
        if (row < 0 || row >= game_.memberCount()) return;
        recorded(Step::editMember, {undo::Reach::none(), undo::Reach::record(row)}, [this, row](Step& step) {
            const int members = game_.memberCount();
            if (showMemberByDialog(game_, interaction_, row)) unsaved_ = true;
            if (game_.memberCount() < members) step = Step::expelMember;
            fullUpdate();
        });
    });
}

void MainController::teamHeaderClicked(int column) {
    guarded(u"並べ替え", [this, column] {
        sortTeams(game_, lists::teamSortKeyOfColumn(column));
        refreshView();
    });
}

void MainController::memberHeaderClicked(int column) {
    guarded(u"並べ替え", [this, column] {
        sortMembers(game_, lists::memberSortKeyOfColumn(column));
        refreshView();
    });
}

bool MainController::settleUnsaved(const QString& caption, const QString& question) {
    if (!unsaved_) return true;
    switch (interaction_.askYesNoCancel(caption, question)) {
        case Interaction::Answer::Yes: {
            // Go on only once the game is in its file.
            bool saved = false;
            guarded(u"保存", [&] { saved = saveCommand(); });
            // Save stops silently without a title; here the user asked for it.
            if (!saved && !hasGame_)
                interaction_.tell(Interaction::Icon::Warning, QStringLiteral("保存"),
                                  QStringLiteral("ゲームのタイトルが空のため、保存できません。\n"
                                                 "設定でタイトルを入力してから保存してください。"));
            return saved;
        }
        case Interaction::Answer::No: return true;
        case Interaction::Answer::Cancel: break;
    }
    return false;
}

bool MainController::confirmExit() {
    if (!unsaved_) return interaction_.askYesNo(QStringLiteral("終了"), QStringLiteral("終了しますか？"));
    return settleUnsaved(QStringLiteral("終了"), QStringLiteral("変更が保存されていません。保存してから終了しますか？"));
}

}  // namespace scorvale::ui
