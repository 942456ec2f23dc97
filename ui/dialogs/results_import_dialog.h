#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "imports/results_import.h"
#include "model/game.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStringListModel;
class QTreeWidget;

namespace scorvale::ui {

class Interaction;

// "試合結果の取り込み": what a match list would do to the teams, before
// anything changes. Each team of the list has a row with the team of the
// game it goes to (or 新しいチームとして追加, under the name in its row) and
// its results now and after the import. The knockout-goals box recomputes
// the results and keeps the choices. OK checks the plan against the game and
// stays open, naming the team, when it cannot be applied.
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
    void addRow(int row);
    void chooseTarget(int row, int target);
    void recompute();
    void refreshValues(int row);
    void refreshTeamsSummary();
    int maxNameWidth() const;

    const Game& game_;
    imports::MatchList list_;
    imports::MatchResults results_;
    imports::ImportPlan plan_;
    Interaction& interaction_;
    QStringListModel* choices_;
    int choiceWidth_ = 0;  // of a box that shows the widest choice whole
    QLabel* teamsSummary_;
    QTreeWidget* rows_;
    QCheckBox* knockoutGoals_;
    std::vector<QComboBox*> targets_;
    std::vector<QLineEdit*> newNames_;
};

}  // namespace scorvale::ui
