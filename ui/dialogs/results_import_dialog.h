#pragma once

#include <QDialog>
#include <QString>

#include "imports/results_import.h"
#include "model/game.h"
#include "ui/dialogs/results_plan_model.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QTableView;

namespace scorvale::ui {

class Interaction;

// "試合結果の取り込み": what a match list would do to the teams, before
// anything changes. Each team of the list has a row with the team of the
// game it goes to (or 新しいチームとして追加, under the name in its row) and
// its results now and after the import; what the reading took on trust is
// listed above them. The knockout-goals box recomputes the results and keeps
// the choices. OK checks the plan against the game and stays open, naming
// the team, when it cannot be applied.
class ResultsImportDialog : public QDialog {
public:
    // `prepared` comes from prepareImport with `options`; `source` names the
    // file in the dialog; `game` is only read.
    ResultsImportDialog(const Game& game, imports::PreparedImport prepared, imports::ResultOptions options,
                        const QString& source, Interaction& interaction, QWidget* parent = nullptr);

    // What OK confirmed, for applyImport.
    const imports::MatchResults& results() const { return results_; }
    const imports::ImportPlan& plan() const { return plan_; }
    imports::ResultOptions options() const;

    void accept() override;

private:
    void recompute();
    void refreshTeamsSummary();
    void sizeColumns();
    // Ends an open edit of a cell, keeping what it holds.
    void commitEdit();
    int maxNameWidth() const;

    const Game& game_;
    imports::MatchList list_;
    imports::MatchResults results_;
    imports::ImportPlan plan_;
    Interaction& interaction_;
    ResultsPlanModel model_;
    QLabel* teamsSummary_;
    QListWidget* problems_;
    QTableView* rows_;
    QCheckBox* knockoutGoals_;
};

}  // namespace scorvale::ui
