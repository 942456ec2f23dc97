#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "model/results_history.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace scorvale::ui {

class ByteLimitedTextEdit;
class Interaction;

// The values "HTML出力設定" shows and returns; texts are Shift-JIS bytes.
struct ReportDialogValues {
    std::string title;
    std::string date;
    std::string editor;
    std::string topImage;
    std::string leftImage;
    std::string rightImage;
    std::string backgroundImage;
    std::int32_t memberRange = 2;  // 0 Top5, 1 Top10, 2 all
    std::int32_t memberDetails = 0;
    std::int32_t teamRange = 2;
    std::string head;
    std::string foot;
    PageChoice page;  // remembered with the game, unlike the ranges

    friend bool operator==(const ReportDialogValues&, const ReportDialogValues&) = default;
};

class ReportSettingsDialog : public QDialog {
public:
    enum Image { TopImage, LeftImage, RightImage, BackgroundImage };
    static constexpr int kGreetingBytes = 2000;

    ReportSettingsDialog(const ReportDialogValues& values, Interaction& interaction, QWidget* parent = nullptr);

    const ReportDialogValues& values() const { return values_; }

    // "参照" beside `image`: only that field takes the chosen bare file name.
    void browseImage(Image image);
    void accept() override;

private:
    ReportDialogValues values_;
    Interaction& interaction_;
    QLineEdit* title_;
    QLineEdit* date_;
    QLineEdit* editor_;
    std::array<QLineEdit*, 4> images_{};
    QButtonGroup* memberRange_;
    QCheckBox* memberDetails_;
    QButtonGroup* teamRange_;
    ByteLimitedTextEdit* head_;
    ByteLimitedTextEdit* foot_;
    QButtonGroup* pageKind_;
    QCheckBox* picture_;
};

}  // namespace scorvale::ui
