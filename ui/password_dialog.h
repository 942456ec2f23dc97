#pragma once

#include <QDialog>
#include <cstdint>

class QLineEdit;

namespace scorvale::ui {

// Asks for the current password (locked window) or a new one twice
// (unlocked window); OK turns the three texts into their values.
class PasswordDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasswordDialog(bool unlocked, QWidget* parent = nullptr);

    std::int32_t currentValue = 0;
    std::int32_t newValue = 0;
    std::int32_t confirmValue = 0;

    QLineEdit* currentEdit() const { return current_; }
    QLineEdit* newEdit() const { return new_; }
    QLineEdit* confirmEdit() const { return confirm_; }

    void accept() override;

private:
    QLineEdit* current_;
    QLineEdit* new_;
    QLineEdit* confirm_;
};

}  // namespace scorvale::ui
