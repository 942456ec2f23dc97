#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "imports/member_import.h"
#include "ui/dialogs/member_plan_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace scorvale::ui {

// "参加者の取り込み": the preview of a members file. The columns, the
// encoding, the header and replace choices plan the import again at once
// (from the records read once; only a new encoding reads the bytes again);
// the table shows every row as it will be imported. OK is possible while the
// choices give a plan; the caller applies it.
class MemberImportDialog : public QDialog {
public:
    // `file` is `bytes` read with options.encoding; `game` is only read.
    MemberImportDialog(const QString& fileName, std::string bytes, imports::MembersFile file,
                       const imports::MemberImportOptions& options, const Game& game, std::string todayText,
                       QWidget* parent = nullptr);

    const imports::MemberImportOptions& options() const { return options_; }
    // The plan of the current choices; null while they give none.
    const imports::MemberImportPlan* plan() const { return plan_ ? &*plan_ : nullptr; }
    const MemberPlanModel& model() const { return model_; }

    void accept() override;

private:
    void fillColumnChoices();
    // Vote columns that followed the name column follow it to its new place.
    void followNameColumn();
    // Reads the bytes again in the chosen encoding, then plans.
    void reread();
    // Takes the choices and plans from the records.
    void replan();
    void showPlan(const QString& error);

    std::string bytes_;
    imports::MembersFile file_;
    std::optional<imports::MembersFileError> fileError_;
    imports::MemberImportOptions options_;
    const Game& game_;
    imports::TeamMatcher matcher_;
    std::string today_;
    std::optional<imports::MemberImportPlan> plan_;
    MemberPlanModel model_;

    QComboBox* encoding_;
    QCheckBox* header_;
    QComboBox* nameColumn_;
    QComboBox* firstVote_;
    QComboBox* lastVote_;
    QComboBox* dateColumn_;
    QCheckBox* replace_;
    QTableView* preview_;
    QLabel* counts_;
    QLabel* error_;
    QPushButton* ok_;
};

}  // namespace scorvale::ui
