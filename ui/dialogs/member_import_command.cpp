#include "ui/dialogs/member_import_command.h"

#include <QFileInfo>
#include <filesystem>

#include "gamefile/file_error.h"
#include "gamefile/safe_file.h"
#include "imports/member_import.h"
#include "model/today_text.h"
#include "ui/dialogs/member_import_dialog.h"
#include "ui/core_path.h"
#include "ui/file_messages.h"
#include "ui/input_problem_text.h"

namespace scorvale::ui {

namespace {

const QString kMembersCaption = QStringLiteral("参加者の取り込み");

void warn(Interaction& interaction, const std::string& path, const QString& reason) {
    interaction.tell(Interaction::Icon::Warning, kMembersCaption, qtPath(path) + u'\n' + reason);
}

}  // namespace

bool importMembersByDialog(Game& game, Interaction& interaction, std::optional<std::string> path, const QString& folder) {
    if (!path) {
        const auto chosen = interaction.chooseOpenFile(QStringLiteral("CSV・テキスト (*.csv *.txt *.tsv);;すべてのファイル (*)"), folder);
        if (!chosen) return false;
        path = corePath(*chosen);
    }
    std::string bytes;
    imports::MembersFile file;
    try {
        // A file too large is refused before it is read.
        std::error_code unknown;
        if (const auto size = std::filesystem::file_size(*path, unknown); !unknown) imports::checkMembersFileSize(size);
        bytes = readWholeFile(*path);
        file = imports::readMembersFile(bytes);
    } catch (const FileError& error) {
        warn(interaction, *path, fileErrorReason(error));
        return false;
    } catch (const text::InputError& error) {
        warn(interaction, *path, inputProblemText(error.problem()));
        return false;
    }

    const std::string today = todayText();
    MemberImportDialog dialog(QFileInfo(qtPath(*path)).fileName(), std::move(bytes),
                              std::move(file), {}, game, today);
    if (!interaction.runDialog(dialog) || !dialog.plan()) return false;
    return imports::applyMemberImport(game, *dialog.plan(), today).changed();
}

}  // namespace scorvale::ui
