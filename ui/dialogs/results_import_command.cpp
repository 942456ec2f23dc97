#include "ui/dialogs/results_import_command.h"

#include <QFileInfo>

#include "gamefile/file_error.h"
#include "gamefile/safe_file.h"
#include "imports/results_import.h"
#include "imports/results_replay.h"
#include "model/today_text.h"
#include "ui/dialogs/import_error_text.h"
#include "ui/dialogs/results_import_dialog.h"
#include "ui/core_path.h"
#include "ui/file_messages.h"

namespace scorvale::ui {

namespace {
constexpr char16_t kResultsCaption[] = u"試合結果の取り込み";
}

bool importResultsByDialog(Game& game, Interaction& interaction, std::optional<std::string> path,
                           const QString& folder) {
    if (!path) {
        const std::optional<QString> chosen =
            interaction.chooseOpenFile(QStringLiteral("試合結果 (*.json *.csv)"), folder);
        if (!chosen) return false;
        path = corePath(*chosen);
    }
    const QString shownPath = qtPath(*path);

    imports::PreparedImport prepared;
    try {
        const std::string bytes = readWholeFile(*path);
        imports::TeamMatcher matcher(game);
        prepared = imports::prepareImport(bytes, matcher);
    } catch (const FileError& error) {
        interaction.tell(Interaction::Icon::Warning, QString::fromUtf16(kResultsCaption),
                         shownPath + QStringLiteral("\n") + fileErrorReason(error));
        return false;
    } catch (const imports::ImportError& error) {
        interaction.tell(Interaction::Icon::Warning, QString::fromUtf16(kResultsCaption),
                         shownPath + QStringLiteral("\n試合結果のリストとして読めません。\n") + importErrorText(error));
        return false;
    }
    if (prepared.results.teams.empty()) {
        // The guesses say why, when a name was taken for a slot.
        QString text = shownPath + QStringLiteral("\nこのリストには、まだ取り込めるチームがありません。");
        for (const imports::ImportError& problem : prepared.list.problems)
            text += QStringLiteral("\n") + importErrorText(problem);
        interaction.tell(Interaction::Icon::Information, QString::fromUtf16(kResultsCaption), text);
        return false;
    }

    // The dialog takes the list; the history replays it.
    const imports::MatchList list = prepared.list;
    ResultsImportDialog dialog(game, std::move(prepared), {}, QFileInfo(shownPath).fileName(), interaction);
    if (!interaction.runDialog(dialog)) return false;
    imports::applyImportWithHistory(game, list, dialog.results(), dialog.plan(), dialog.options(), todayText());
    return true;
}

}  // namespace scorvale::ui
