#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace scorvale::ui {

class Interaction;

// Asks for the current password (locked window) or a new one twice
// (unlocked window); OK turns the three texts into their values, and refuses
// a character that Shift-JIS cannot hold.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    PasswordDialog(bool unlocked, Interaction& interaction, QWidget* parent = nullptr);

    std::int32_t currentValue = 0;
    std::int32_t newValue = 0;
    std::int32_t confirmValue = 0;

    QLineEdit* currentEdit() const { return current_; }
    QLineEdit* newEdit() const { return new_; }
    QLineEdit* confirmEdit() const { return confirm_; }

    void accept() override;

private:
    Interaction& interaction_;
    QLineEdit* current_;
    QLineEdit* new_;
    QLineEdit* confirm_;
};

}  // namespace scorvale::ui
