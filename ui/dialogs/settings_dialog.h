#pragma once

#include <QDialog>

#include "model/records.h"
#include "model/results_history.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace scorvale::ui {

class Interaction;

// "設定": the rules of the game. Filled from a copy of the settings; after OK
// values() holds every confirmed field (rate 4 when no dividend was chosen).
// Below the rules it shows how many days the results history holds, with a
// box to clear it.
class SettingsDialog : public QDialog {
public:
    SettingsDialog(const GameSettings& values, Interaction& interaction, QWidget* parent = nullptr);
    SettingsDialog(const GameSettings& values, const ResultsHistory& history, Interaction& interaction,
                   QWidget* parent = nullptr);

    const GameSettings& values() const { return values_; }
    // 0 cubed, 1 squared, 2 normal; -1 when no radio button is selected.
    int rateChoice() const;
    // Whether OK asks to clear the results history.
    bool clearHistory() const;

    void accept() override;

private:
    GameSettings values_;
    Interaction& interaction_;
    QLineEdit* title_;
    QLineEdit* maxBet_;
    QCheckBox* over_;
    QButtonGroup* rate_;
    QLineEdit* win_;
    QLineEdit* draw_;
    QLineEdit* lose_;
    QLineEdit* tournamentWin_;
    QLineEdit* bonus1_;
    QLineEdit* bonus2_;
    QLineEdit* bonus3_;
    QLineEdit* qualifyBonus_;
    QCheckBox* clearHistory_;
};

}  // namespace scorvale::ui
