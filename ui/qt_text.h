#pragma once

#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace scorvale::ui {

// The one place where the model's Shift-JIS bytes meet Qt's Unicode.
QString fromSjis(std::string_view sjis);
// Nothing when a character has no Shift-JIS form.
std::optional<std::string> toSjis(const QString& text);
// Shift-JIS bytes of `text`, counting an unencodable character as two bytes.
int sjisByteCount(const QString& text);

// Keeps the bytes a field showed unless the user changed its text: invalid
// Shift-JIS shown with replacement characters must survive an OK untouched.
std::optional<std::string> editedSjis(const QString& shown, std::string_view original);

// Refuses input that would make a line edit longer than `maxBytes` Shift-JIS bytes.
class ByteLimitValidator : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int& pos) const override;

private:
    int maxBytes_;
};

}  // namespace scorvale::ui
