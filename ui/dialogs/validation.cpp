#include "ui/dialogs/validation.h"

#include <QLineEdit>
#include <limits>

#include "gamefile/file_lines.h"
#include "ui/interaction.h"
#include "ui/line_field.h"
#include "ui/qt_text.h"

namespace scorvale::ui {

namespace {
const QString kMessageCaption = QStringLiteral("Scorvale");
}

QString wholeNumberMessage() { return QStringLiteral("整数を入力してください。"); }

QString wholeNumberRangeMessage(std::int32_t low, std::int32_t high) {
    return QStringLiteral("%1 から %2 までの整数を入力してください。").arg(low).arg(high);
}

QString byteLimitMessage(int maxBytes) {
    return QStringLiteral("%1 バイト以内で入力してください（全角文字は 2 バイトです）。").arg(maxBytes);
}

QString tagMessage(const QString& fieldName, std::string_view tag) {
    return QStringLiteral("「%1」に「%2」は使えません（ゲームファイルの区切りの記号です）。")
        .arg(fieldName, QString::fromLatin1(tag.data(), static_cast<qsizetype>(tag.size())));
}

QString unencodableMessage(const QString& fieldName) {
    return QStringLiteral("「%1」に使えない文字があります（Shift-JIS で表せない文字です）。").arg(fieldName);
}

std::optional<std::int32_t> parseWholeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    int i = 0;
    if (trimmed[0] == u'-' || trimmed[0] == u'+') ++i;
    if (i == trimmed.size()) return std::nullopt;
    for (int k = i; k < trimmed.size(); ++k)
        if (trimmed[k] < u'0' || trimmed[k] > u'9') return std::nullopt;
    bool ok = false;
    const qlonglong value = trimmed.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void FieldReader::fail(QWidget* field, const QString& message) {
    ok_ = false;
    interaction_.tell(Interaction::Icon::Warning, kMessageCaption, message);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

void FieldReader::number(QLineEdit* field, std::int32_t& value) {
    if (!ok_) return;
    const auto parsed = parseWholeNumber(field->text());
    if (!parsed) return fail(field, wholeNumberMessage());
    value = *parsed;
}

void FieldReader::number(QLineEdit* field, std::int32_t& value, std::int32_t low, std::int32_t high) {
    if (!ok_) return;
    const auto parsed = parseWholeNumber(field->text());
    if (!parsed) return fail(field, wholeNumberMessage());
    if (*parsed < low || *parsed > high) return fail(field, wholeNumberRangeMessage(low, high));
    value = *parsed;
}

void FieldReader::text(QWidget* field, const QString& fieldName, const QString& shown, std::string& value,
                       int maxBytes) {
    if (!ok_) return;
    // Unchanged when it still shows what it was filled with (which a one-line
    // field shows with its line breaks made spaces): then the bytes stay, so
    // invalid Shift-JIS shown with replacement characters survives an OK.
    const QString filled = fromSjis(value);
    const bool untouched = shown == filled || shown == oneLineText(filled);
    const auto bytes = untouched ? std::optional(value) : toSjis(shown);
    if (!bytes) return fail(field, unencodableMessage(fieldName));
    if (maxBytes >= 0 && bytes->size() > static_cast<std::size_t>(maxBytes))
        return fail(field, byteLimitMessage(maxBytes));
    if (!untouched) {
        if (const std::string_view tag = gamefile::tagIn(*bytes); !tag.empty())
            return fail(field, tagMessage(fieldName, tag));
    }
    value = *bytes;
}

}  // namespace scorvale::ui
