#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace scorvale::ui {

class Interaction;

// The values "チーム編集" shows and returns; texts are Shift-JIS bytes.
struct TeamValues {
    std::string name;
    std::string group;
    std::int32_t wins = 0;
    std::int32_t losses = 0;
    std::int32_t draws = 0;
    std::int32_t goalDiff = 0;
    std::int32_t qualify = 0;
    std::int32_t tournamentWins = 0;
    std::int32_t out = 0;
    std::string symbol;
    std::string date;  // stamped at OK

    friend bool operator==(const TeamValues&, const TeamValues&) = default;
};

// "チーム編集": one team entered, changed, viewed (editable false) or deleted.
class TeamDialog : public QDialog {
public:
    TeamDialog(const TeamValues& values, bool editable, Interaction& interaction, QWidget* parent = nullptr);

    const TeamValues& values() const { return values_; }
    bool deleteRequested() const { return deleteRequested_; }

    void accept() override;
    // "参照": the symbol field gets the bare name of the chosen file.
    void pickImageFile();

private:
    bool readAndCheck();
    void fill();
    void applyResultEnabling();
    void onCheckBoxClicked();

    TeamValues values_;
    bool editable_;
    bool deleteRequested_ = false;
    Interaction& interaction_;
    QLineEdit* name_;
    QLineEdit* group_;
    QLineEdit* wins_;
    QLineEdit* losses_;
    QLineEdit* draws_;
    QLineEdit* goalDiff_;
    QCheckBox* qualify_;
    QLineEdit* tournamentWins_;
    QCheckBox* out_;
    QLineEdit* symbol_;
    QPushButton* browse_;
    QPushButton* delete_;
    QPushButton* ok_;
};

}  // namespace scorvale::ui
