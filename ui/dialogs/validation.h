#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace scorvale::ui {

class Interaction;

// The messages of a refused field, written once for every dialog.
QString wholeNumberMessage();
QString wholeNumberRangeMessage(std::int32_t low, std::int32_t high);
QString byteLimitMessage(int maxBytes);
QString unencodableMessage(const QString& fieldName);
// A text the user typed that holds a tag of the game file (the file would not
// give it back).
QString tagMessage(const QString& fieldName, std::string_view tag);

// A whole number that fits 32 bits, blanks around it allowed; nothing otherwise.
std::optional<std::int32_t> parseWholeNumber(const QString& text);

// Reads fields one after another in a dialog's fixed order; the first bad
// field shows its message, takes the focus and makes every later read a no-op.
class FieldReader {
public:
    explicit FieldReader(Interaction& interaction) : interaction_(interaction) {}

    bool ok() const { return ok_; }

    // Stores into `value` only when the field holds a whole number in range.
    void number(QLineEdit* field, std::int32_t& value);
    void number(QLineEdit* field, std::int32_t& value, std::int32_t low, std::int32_t high);
    // Shift-JIS bytes of `shown`, keeping the original bytes when unchanged;
    // refused when a character has no Shift-JIS form or the bytes exceed `maxBytes` (< 0: no limit).
    void text(QWidget* field, const QString& fieldName, const QString& shown, std::string& value,
              int maxBytes = -1);
    void fail(QWidget* field, const QString& message);

private:
    Interaction& interaction_;
    bool ok_ = true;
};

}  // namespace scorvale::ui
