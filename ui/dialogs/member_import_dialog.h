#pragma once

#include <QDialog>
#include <map>
#include <optional>
#include <string>

#include "imports/member_columns.h"
#include "imports/member_import.h"
#include "ui/dialogs/member_plan_model.h"
#include "ui/dialogs/member_spelling_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace scorvale::ui {

// "参加者の取り込み": the preview of a members file. It opens with the
// columns guessed from the cells and says how the file was read (encoding,
// separator) and why; every choice plans the import again at once (from the
// records read once; a new encoding or separator reads the bytes again and
// guesses anew). The table shows every row as it will be imported; the
// spellings of picks no team matches are listed once each, to be mapped to
// a team. OK is possible while the choices give a plan that imports
// someone; the caller applies it.
class MemberImportDialog : public QDialog {
public:
    // `file` is `bytes` read as `format` says; `game` is only read.
    MemberImportDialog(const QString& fileName, std::string bytes, imports::MembersFile file,
                       const imports::MembersFileFormat& format, const Game& game, std::string todayText,
                       QWidget* parent = nullptr);

    const imports::MemberImportOptions& options() const { return options_; }
    const imports::ColumnGuess& guess() const { return guess_; }
    // The plan of the current choices; null while they give none.
    const imports::MemberImportPlan* plan() const { return plan_ ? &*plan_ : nullptr; }
    const MemberPlanModel& model() const { return model_; }
    MemberSpellingModel& spellingModel() { return spellings_; }

    void accept() override;

private:
    void guessColumns();
    void fillColumnChoices();
    // Vote columns that followed the name column follow it to its new place.
    void followNameColumn();
    // Reads the bytes again in the chosen encoding and separator, guesses, plans.
    void reread();
    // Takes the choices and plans from the records.
    void replan();
    void showPlan(const QString& error);
    void showFile();
    QString columnLabel(std::size_t column) const;
    QString unusedColumnsText() const;
    void choose(const imports::PickSpelling& spelling, int team);

    std::string bytes_;
    imports::MembersFile file_;
    std::optional<text::InputProblem> fileError_;
    imports::ColumnGuess guess_;
    imports::MemberImportOptions options_;
    const Game& game_;
    imports::TeamMatcher matcher_;
    std::string today_;
    std::optional<imports::MemberImportPlan> plan_;
    MemberPlanModel model_;
    MemberSpellingModel spellings_;
    // The preview's mapping: a spelling's key -> (the spelling, the team).
    std::map<std::string, std::pair<std::string, int>> choices_;

    QComboBox* encoding_;
    QLabel* encodingInfo_;
    QComboBox* separator_;
    QLabel* separatorInfo_;
    QCheckBox* header_;
    QComboBox* nameColumn_;
    QComboBox* firstVote_;
    QComboBox* lastVote_;
    QComboBox* dateColumn_;
    QLabel* unused_;
    QCheckBox* replace_;
    QTableView* preview_;
    QLabel* spellingsLabel_;
    QTableView* spellingsView_;
    QLabel* counts_;
    QLabel* error_;
    QPushButton* ok_;
};

}  // namespace scorvale::ui
